#pragma once

#include <QByteArray>
#include <QString>

#include <ostream>

// Readable Qt texts in GoogleTest's failure messages: "中文" instead of the
// bytes of the object. Found by argument-dependent lookup (QString and
// QByteArray live in the global namespace).
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QByteArray& b, std::ostream* os) {
    *os << '"' << b.toStdString() << '"';
}
