#include "warmup/warmup_help.h"

#include "platform/fonts.h"
#include "platform/window_setup.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextCursor>

TFhelp* Fhelp = nullptr;

const QStringList& TFhelp::classicLines() {
    static const QStringList lines = {
        QStringLiteral("    游戏开始后，屏幕中央会出现一个六位字"),
        QStringLiteral("符串，相当于Tarvo码中的一个编码，你通过击"),
        QStringLiteral("小键盘来打出相同的编码即可。"),
        QStringLiteral("    如果在设定的时间内，打出的编码不断增"),
        QStringLiteral("多，那表示你的指法不断熟练，你Tarvo码的输"),
        QStringLiteral("入速度一定会提高的。"),
        QString(),
        QStringLiteral("    好了，开始吧。"),
    };
    return lines;
}

const QStringList& TFhelp::funLines() {
    static const QStringList lines = {
        QStringLiteral("    朋友，你玩过“打地鼠”的游戏吗？这是"),
        QStringLiteral("个很古老的游戏了，你控制一把小锤把不断从"),
        QStringLiteral("地洞中钻出的地鼠打死。"),
        QStringLiteral("   我们的游戏与此类似：地上有十六个洞，"),
        QStringLiteral("按照小键盘的顺序排列，不断有一只顽皮的小"),
        QStringLiteral("兔子从洞中钻出，你只要按下相同位置的键即"),
        QStringLiteral("可阻止它跑出。"),
        QStringLiteral("    边玩游戏，边锻炼你的指法。"),
        QStringLiteral("    "),
        QStringLiteral("         Ready，Go !!!"),
    };
    return lines;
}

namespace {

constexpr int kLineHeight = 18; // pixels: ten lines of 16-pixel type fill the page

// A memo that will show its lines exactly as written: no wrapping, lines
// close enough that every page fits the window without scrolling.
QPlainTextEdit* memo() {
    auto* m = new QPlainTextEdit;
    m->setReadOnly(true);
    m->setFont(fonts::song(16));
    m->setLineWrapMode(QPlainTextEdit::NoWrap);
    m->setFrameShape(QFrame::NoFrame);
    m->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m->document()->setDocumentMargin(2);
    m->setStyleSheet(QStringLiteral("QPlainTextEdit { background: #ffffe1; color: green; }"));
    return m;
}

// The lines are laid out when the window first shows: laying them out with
// the program's other windows would hold up the start.
void fill(QPlainTextEdit* m, const QStringList& lines) {
    if (!m->document()->isEmpty())
        return;
    QTextCursor cursor(m->document());
    QTextBlockFormat block;
    block.setLineHeight(kLineHeight, QTextBlockFormat::FixedHeight);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            cursor.insertBlock(block);
        else
            cursor.setBlockFormat(block);
        cursor.insertText(lines[i]);
    }
    m->moveCursor(QTextCursor::Start);
}

} // namespace

TFhelp::TFhelp(QWidget* parent) : QDialog(parent) {
    setupWindow(this, QStringLiteral("说明"), 337, 262, Frame::Dialog);
    setFont(fonts::song(16));
    Tabs = new QTabWidget(this);
    Tabs->setGeometry(0, 2, 337, 220);
    Tabs->setDocumentMode(true); // flat tabs
    ClassicMemo = memo();
    FunMemo = memo();
    Tabs->addTab(ClassicMemo, QStringLiteral("古典式"));
    Tabs->addTab(FunMemo, QStringLiteral("趣味式"));
    Button1 = new QPushButton(QStringLiteral("确定"), this);
    Button1->setGeometry(128, 226, 81, 30);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

void TFhelp::showEvent(QShowEvent* event) {
    fill(ClassicMemo, classicLines());
    fill(FunMemo, funLines());
    QDialog::showEvent(event);
}
