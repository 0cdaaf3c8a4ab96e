#include "app/about_box.h"

#include "platform/desktop_open.h"
#include "platform/error_report.h"
#include "platform/fonts.h"
#include "platform/image_file.h"
#include "platform/program_folder.h"
#include "platform/window_setup.h"

#include <QFile>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

TAbout* About = nullptr;

TAbout::TAbout(QWidget* parent) : QDialog(parent) {
    setupWindow(this, QStringLiteral("关于系统"), 383, 336, Frame::Dialog, true);
    setFont(fonts::song(12));

    auto* title = new QLabel(QStringLiteral("Tarvo码输入法教学训练软件"), this);
    title->setFont(fonts::kai(24));
    title->setAlignment(Qt::AlignCenter);
    title->setGeometry(0, 14, 383, 34);

    auto* version =
        new QLabel(QStringLiteral("版本 %1　适用于 Linux 桌面").arg(QStringLiteral("0.1")), this);
    version->setFont(fonts::kai(12));
    version->setAlignment(Qt::AlignCenter);
    version->setGeometry(0, 52, 383, 18);

    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    rule->setGeometry(16, 78, 351, 4);

    Image1 = new QLabel(this);
    Image1->setGeometry(91, 94, 201, 49);
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->setScaledContents(true);
    Image1->installEventFilter(this);

    // Where the program's data comes from; the licences are in the package's
    // copyright file.
    const QStringList credits = {QStringLiteral("编码数据：Unicode 汉字数据库（Unihan）"),
                                 QStringLiteral("笔画数据：hanzi-writer-data（Arphic 公共许可）"),
                                 QStringLiteral("词语频度：jieba 词库（MIT 许可）"),
                                 QStringLiteral("测试文章：唐诗三百首（fortunes-zh）"),
                                 QStringLiteral("字体：文鼎 PL 明体、楷体，文泉驿正黑"),
                                 QStringLiteral("Tarvo 教学软件开发组")};
    for (int i = 0; i < credits.size(); ++i) {
        auto* line = new QLabel(credits[i], this);
        line->setGeometry(16, 154 + i * 22, 351, 20);
    }

    BitBtn1 = new QPushButton(QStringLiteral("关闭"), this);
    BitBtn1->setGeometry(290, 294, 77, 28);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

void TAbout::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The logo is an optional picture of the program folder.
    const QString logo = programFolder() + QStringLiteral("images/logo.png");
    if (Image1->pixmap().isNull() && QFile::exists(logo))
        errors::guarded(this, [&] {
            Image1->setPixmap(QPixmap::fromImage(readImageFileFor(logo, devicePixelRatioF())));
        });
}

bool TAbout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image1 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        errors::guarded(this, [this] { Image1Click(); });
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TAbout::Image1Click() {
    desktop::open(QUrl(QString::fromLatin1(kWebAddress)));
}

void TAbout::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
