#include "articletest/article_test_report_window.h"

#include "dictionary/character_codes.h"

#include "articletest/article_test_report.h"
#include "articletest/test_window_state.h"
#include "articletest/top_ten_file.h"
#include "articletest/top_ten_window.h"
#include "coaching/code_explanation.h"
#include "dictionary/dictionary_instance.h"
#include "dictionary/two.h"
#include "platform/error_report.h"
#include "platform/fonts.h"
#include "platform/gbk_codec.h"
#include "platform/program_folder.h"
#include "platform/prompts.h"
#include "platform/window_setup.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTextBlock>
#include <QTimer>

TForm_result* Form_result = nullptr;

TForm_result::TForm_result(QWidget* parent) : QDialog(parent) {
    setupWindow(this, QStringLiteral("测试报告"), 460, 392, Frame::Dialog);
    setFont(fonts::song(14));
    Label7 = placeLabel(this, QStringLiteral("测试结果报告"), 0, 10, 460, 34);
    Label7->setFont(fonts::kai(26, true));
    Label7->setAlignment(Qt::AlignCenter);
    lbSorry = placeLabel(this, QStringLiteral("很遗憾，未能进前十！"), 20, 50, 240, 24);
    lbSorry->setStyleSheet(QStringLiteral("color: red;"));
    lbSorry->hide();

    const char* names[] = {"测试时间", "输入总数", "输错个数", "正确个数", "正 确 率", "打字速度"};
    QLabel** values[] = {&Ltime, &Ltotal, &Lwrong, &LRight, &LL, &LRate};
    for (int i = 0; i < 6; ++i) {
        placeLabel(this, QString::fromUtf8(names[i]), 20, 84 + i * 32, 80, 26);
        *values[i] = placeLabel(this, QString(), 104, 84 + i * 32, 140, 26);
        (*values[i])->setStyleSheet(QStringLiteral("color: #00008b; font-weight: bold;"));
    }
    placeLabel(this, QStringLiteral("勘误表"), 270, 50, 80, 24);
    StaticText1 = placeLabel(this, QStringLiteral("（按回车得正码）"), 330, 50, 130, 24);
    StaticText1->setStyleSheet(QStringLiteral("color: green;"));
    Mresult = new QPlainTextEdit(this);
    Mresult->setGeometry(270, 80, 170, 200);
    Mresult->setReadOnly(true);
    Mresult->setFocusPolicy(Qt::NoFocus);
    Mresult->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    LabelWhy = placeLabel(this, QString(), 20, 286, 420, 58);
    LabelWhy->setWordWrap(true);
    LabelWhy->setTextFormat(Qt::RichText);
    LabelWhy->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LabelWhy->setStyleSheet(QStringLiteral("color: #800000; font-weight: bold;"));
    SpeedButton1 = new QPushButton(QStringLiteral("关闭"), this);
    SpeedButton1->setGeometry(190, 352, 80, 30);
    SpeedButton1->setAutoDefault(false);
    connect(SpeedButton1, &QPushButton::clicked, this, &QDialog::accept);
}

void TForm_result::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        errors::guarded(this, [this] { FormShow(); });
}

void TForm_result::FormShow() {
    RevealIndex = 0;
    LabelWhy->clear();
    if (LastOnly)
        return;
    const TestWindowState* test = testWindowState();
    if (!test)
        return;
    const TestReport r =
        TestReport::compute(test->clockText(), test->typedCount(), test->wrongCount());
    Ltime->setText(r.time);
    Ltotal->setText(r.total);
    Lwrong->setText(r.wrong);
    LRight->setText(r.right);
    LL->setText(r.accuracy);
    LRate->setText(r.rate);
    Speed = r.speed;
    // The report first, painted; then the question of the top ten over it
    // (asked from within the showing, it came before the report was seen).
    QTimer::singleShot(0, this, [this] {
        if (isVisible())
            errors::guarded(this, [this] { decideTopTen(); });
    });
}

void TForm_result::decideTopTen() {
    if (Speed == 0) {
        lbSorry->hide();
        return;
    }
    QString notice; // a damaged list set aside: said once, and the result still counts
    const bool admitted = articleTopTen().admits(Speed, &notice);
    if (!notice.isEmpty())
        errors::report(this, notice);
    if (!admitted) {
        lbSorry->show();
        return;
    }
    const auto name =
        prompts::askText(this, QStringLiteral("恭喜你！进入前十！输入你的姓名"), QString());
    EntryName = TopTenFile::cutName(name.value_or(QString()));
    EntryPending = true;
    Thighscore list(this);
    list.exec();
    lbSorry->hide();
}

void TForm_result::showLastReport() {
    LastOnly = true;
    lbSorry->hide();
    exec();
    LastOnly = false;
}

void TForm_result::right(int index) {
    QTextBlock block = Mresult->document()->findBlockByNumber(index);
    if (!block.isValid())
        return;
    // A line shows its code once: one that already ends behind ")" is done.
    const QString line = block.text();
    const qsizetype close = line.lastIndexOf(u')');
    if (close >= 0 && close + 1 < line.size())
        return;
    const std::string expected = gbk::fromUnicodeLossy(line.left(1));
    const std::string code = two->CodeOfChar(expected);
    QTextCursor c(block);
    c.movePosition(QTextCursor::EndOfBlock);
    c.insertText(QString::fromStdString(code));
    explain(index, line.left(1), QString::fromStdString(code));
}

// The line's typed code against the character's codes, corner by corner; a
// right code on a wrong candidate is named as such.
void TForm_result::explain(int index, const QString& character, const QString& code) {
    const TestWindowState* test = testWindowState();
    const QString typed = test ? test->typedCodeOf(index) : QString();
    if (typed.isEmpty() || code.isEmpty()) {
        LabelWhy->clear();
        return;
    }
    const std::shared_ptr<const coaching::CornerTable> corners =
        coaching::CornerTable::shared(programFolder() + QLatin1String(coaching::kCornerTableFile));
    // The code shown came from the same dictionary; without the others the
    // note compares with it alone.
    const QStringList own = dictionary::codesOfCharacter(character).value_or(QStringList());
    const coaching::Explanation x =
        coaching::explain(typed, coaching::CharacterCode{character, code, own}, *corners,
                          coaching::Entry::WithCandidates);
    // The Song font's own line spacing lets wrapped lines touch.
    LabelWhy->setText(x.lines.isEmpty()
                          ? QString()
                          : QStringLiteral("<p style=\"line-height:125%;\">%1</p>")
                                .arg(QStringLiteral("%1（打了 %2）：%3")
                                         .arg(character, typed, x.lines.join(QStringLiteral("；")))
                                         .toHtmlEscaped()));
}

void TForm_result::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        errors::guarded(this, [this] {
            // Each Enter reveals the next line's code; once none is left,
            // Enter closes the report.
            if (RevealIndex < Mresult->document()->blockCount() &&
                !Mresult->toPlainText().isEmpty())
                right(RevealIndex++);
            else
                accept();
        });
        return;
    }
    QDialog::keyPressEvent(event);
}
