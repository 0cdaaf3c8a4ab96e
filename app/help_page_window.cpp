#include "app/help_page_window.h"

#include "platform/fonts.h"
#include "platform/regular_file.h"
#include "platform/window_setup.h"

#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>

namespace {
constexpr qint64 kMaxPageBytes = 256 * 1024;
}

HelpPageWindow::HelpPageWindow(QWidget* parent) : QDialog(parent) {
    setupWindow(this, QStringLiteral("帮助"), 720, 560, Frame::Dialog);
    notice = placeLabel(this, QString(), 12, 8, 696, 40);
    notice->setWordWrap(true);
    notice->setFont(fonts::song(13));
    page = new QTextBrowser(this);
    page->setGeometry(12, 52, 696, 456);
    page->setOpenExternalLinks(false);
    auto* close = placeButton(this, QStringLiteral("关闭"), 310, 518, 100, 32);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void HelpPageWindow::load(const QString& path) {
    notice->setText(
        QStringLiteral("没有找到可以打开网页的浏览器，这里显示帮助文件 %1 的内容。").arg(path));
    const regularfile::Contents c = regularfile::read(path, kMaxPageBytes);
    if (!c.ok())
        notice->setText(QStringLiteral("没有找到可以打开网页的浏览器，帮助文件 %1 也读不出来：%2")
                            .arg(path, c.reason));
    page->setHtml(QString::fromUtf8(c.bytes));
}
