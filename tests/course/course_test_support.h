#pragma once

#include <QString>

#include <ostream>

// Readable texts in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

inline QString u(const char* s) {
    return QString::fromUtf8(s);
}
