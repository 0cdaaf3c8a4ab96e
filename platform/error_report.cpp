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
    // Plain text: a file name such as "<b>春.txt" is shown as it is spelt.
    QMessageBox box(QMessageBox::Critical, QStringLiteral("错误"), message, QMessageBox::Ok,
                    parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

QString messageOf(const std::exception& e) {
    if (dynamic_cast<const std::bad_alloc*>(&e))
        return QStringLiteral("内存不足，操作没有完成。");
    return QString::fromUtf8(e.what());
}

} // namespace errors
