#include "platform/error_report.h"

#include <QMessageBox>

#include <exception>
#include <new>

namespace errors {
namespace {
Reporter& reporter() {
    static Reporter r;
    return r;
}
} // namespace

void setReporter(Reporter r) {
    reporter() = std::move(r);
}

void report(QWidget* parent, const QString& message) {
    if (reporter()) {
        reporter()(parent, message);
        return;
    }
    QMessageBox::critical(parent, QStringLiteral("错误"), message);
}

QString messageOf(const std::exception& e) {
    if (dynamic_cast<const std::bad_alloc*>(&e))
        return QStringLiteral("内存不足，操作没有完成。");
    return QString::fromUtf8(e.what());
}

} // namespace errors
