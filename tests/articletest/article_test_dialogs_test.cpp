#include "tests/gui/program_folder_fixture.h"

#include "articletest/article_test_report_window.h"
#include "articletest/article_test_settings_window.h"
#include "articletest/article_test_window.h"
#include "articletest/article_text_view.h"
#include "articletest/conversion_done_window.h"
#include "articletest/top_ten_file.h"
#include "articletest/top_ten_window.h"
#include "dictionary/dictionary_instance.h"
#include "dictionary/two.h"
#include "platform/prompts.h"
#include "shared_windows/help_text_window.h"
#include "tests/dictionary/dict_test_files.h"

#include "tests/test_paths.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <QTimer>
#include <QWindow>

#include <sys/resource.h>

#include <csignal>

namespace {

using TestDialogs = ProgramFolderTest;

// How many pixels of a colour a widget draws inside a rectangle.
int pixelsOf(QWidget* w, const QRect& area, const QColor& colour) {
    const QImage img = w->grab(area).toImage();
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += img.pixelColor(x, y) == colour;
    return n;
}

TEST_F(TestDialogs, SettingsDurationAndColours) {
    // "确定" at once: ten minutes, the first time.
    QTimer::singleShot(0, [] { QTest::mouseClick(Form_color->BitBtn_ok, Qt::LeftButton); });
    QTest::mouseClick(form_test->SBtnSetup, Qt::LeftButton);
    EXPECT_EQ(form_test->TestMinutes, 10);
    EXPECT_EQ(form_test->Label_time->text(), QStringLiteral("  10分钟  "));
    EXPECT_EQ(form_test->ProgressBar1->maximum(), 600);

    // A background picked, then "放弃": the colour stays, the duration does not change.
    Form_color->pickColour = [](const QColor&) { return QColor(0, 128, 0); };
    QTimer::singleShot(0, [] {
        Form_color->colorItems->button(0)->click();
        QTest::mouseClick(Form_color->BitBtn5, Qt::LeftButton);
        Form_color->Edit_time->setValue(120);
        QTest::mouseClick(Form_color->BitBtn_cancel, Qt::LeftButton);
    });
    QTest::mouseClick(form_test->SBtnSetup, Qt::LeftButton);
    EXPECT_EQ(form_test->GroundColour, 0x008000u);
    EXPECT_EQ(form_test->TestMinutes, 10);
    // The article is drawn on the new ground, and so is the dialog's sample.
    EXPECT_GT(pixelsOf(form_test->REdit1, QRect(0, 0, 40, 40), QColor(0, 128, 0)), 1000);
    EXPECT_GT(pixelsOf(Form_color->example, QRect(4, 50, 40, 20), QColor(0, 128, 0)), 500);

    // The spin box keeps 120: "确定" now gives two hours.
    QTimer::singleShot(0, [] { QTest::mouseClick(Form_color->BitBtn_ok, Qt::LeftButton); });
    QTest::mouseClick(form_test->SBtnSetup, Qt::LeftButton);
    EXPECT_EQ(form_test->ProgressBar1->maximum(), 7200);

    // "缺省值" restores the colours, not the duration.
    Form_color->colorItems->button(3)->click();
    Form_color->takeColour(0x00FF00);
    EXPECT_EQ(form_test->InputColour, 0x00FF00u);
    QTest::mouseClick(Form_color->BtnDefault, Qt::LeftButton);
    EXPECT_EQ(form_test->InputColour, 0xFF0000u);
    EXPECT_EQ(form_test->GroundColour, 0xFFFFFFu);
    EXPECT_EQ(form_test->TestMinutes, 120);
    EXPECT_GT(pixelsOf(Form_color->example, QRect(4, 50, 40, 20), QColor(Qt::white)), 500);
    EXPECT_EQ(pixelsOf(Form_color->example, QRect(4, 50, 40, 20), QColor(0, 128, 0)), 0);
}

// What has the focus in the settings dialog, where keys go. (Offscreen no
// window manager activates a dialog that opens: do what it does.)
QWidget* focusInSettings() {
    if (QApplication::activeWindow() != Form_color) {
        Form_color->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(Form_color));
    }
    QWidget* w = QApplication::focusWidget();
    return w ? w : Form_color;
}

// Replaces the text of the focused field by `text`, then presses `finish`.
void typeInDialog(const QString& text, Qt::Key finish) {
    QWidget* field = focusInSettings();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier); // all of it
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
    if (finish != Qt::Key_unknown)
        QTest::keyClick(field, finish, Qt::KeypadModifier);
}

TEST_F(TestDialogs, TheDurationFieldTakesTwoDigitsAndAnEmptyOneIsOneMinute) {
    form_test->show();
    // Three digits typed: the third is refused. Enter confirms.
    QTimer::singleShot(0, [] {
        QTest::mouseClick(Form_color->Edit_time, Qt::LeftButton);
        typeInDialog(QStringLiteral("123"), Qt::Key_Enter);
    });
    QTest::mouseClick(form_test->SBtnSetup, Qt::LeftButton);
    EXPECT_EQ(form_test->TestMinutes, 12);
    EXPECT_EQ(form_test->Label_time->text(), QStringLiteral("  12分钟  "));

    // Emptied, then "确定" clicked: one minute.
    QTimer::singleShot(0, [] {
        QTest::mouseClick(Form_color->Edit_time, Qt::LeftButton);
        typeInDialog(QString(), Qt::Key_unknown);
        QTest::mouseClick(Form_color->BitBtn_ok, Qt::LeftButton);
    });
    QTest::mouseClick(form_test->SBtnSetup, Qt::LeftButton);
    EXPECT_EQ(form_test->TestMinutes, 1);
    EXPECT_EQ(form_test->ProgressBar1->maximum(), 60);
    EXPECT_EQ(Form_color->Edit_time->text(), QStringLiteral("1"));

    // The arrows still reach 120.
    QTimer::singleShot(0, [] {
        Form_color->Edit_time->setValue(99);
        QTest::mouseClick(Form_color->Edit_time, Qt::LeftButton);
        for (int i = 0; i < 30; ++i)
            QTest::keyClick(focusInSettings(), Qt::Key_Up);
        QTest::mouseClick(Form_color->BitBtn_ok, Qt::LeftButton);
    });
    QTest::mouseClick(form_test->SBtnSetup, Qt::LeftButton);
    EXPECT_EQ(form_test->TestMinutes, 120);
    form_test->hide();
}

class ReportAndTopTen : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        writeFile("hzlib/zh1",
                  QByteArray::fromStdString(dicttest::groupBytes(
                      1, {{"50006", dicttest::g("中")}, {"6015", dicttest::g("国")}})));
        form_test->HomeDir = path(QString());
    }
    // Shows the report as the test window does at the end of a test.
    void report(const QString& clock, int typed, int wrong, const QString& errors) {
        form_test->Lgo->setText(clock);
        form_test->alread->setText(QString::number(typed));
        form_test->wrong->setText(QString::number(wrong));
        Form_result->Mresult->setPlainText(errors);
        // After the report's own first step: the question of the top ten,
        // which it asks once it is shown.
        QTimer::singleShot(0, [this] { QTimer::singleShot(0, [this] { whileShown(); }); });
        Form_result->exec();
    }
    std::function<void()> whileReportShown = [] {};
    void whileShown() {
        // The top-ten list opened by an admission comes first.
        if (auto* list = qobject_cast<Thighscore*>(QApplication::activeModalWidget())) {
            gridNames << list->StringGrid1->item(1, 1)->text();
            list->close();
            QTimer::singleShot(0, [this] { whileShown(); });
            return;
        }
        whileReportShown();
        Form_result->close();
    }
    QStringList gridNames;
};

TEST_F(ReportAndTopTen, AReportEntersTheTopTenAndRevealsCodes) {
    report("01:00", 3, 2, QStringLiteral("中(种)\n国(  )"));
    EXPECT_EQ(Form_result->Ltime->text(), QStringLiteral("1分钟"));
    EXPECT_EQ(Form_result->LL->text(), QStringLiteral("33%"));
    EXPECT_EQ(Form_result->LRate->text(), QStringLiteral("1字/分"));
    EXPECT_EQ(questions, QStringList{QStringLiteral("恭喜你！进入前十！输入你的姓名")});
    EXPECT_EQ(gridNames, QStringList{QStringLiteral("小明")});
    EXPECT_FALSE(Form_result->lbSorry->isVisible());
    ASSERT_EQ(TopTenFile(path("files/record.dat")).read().size(), 1u);

    // Enter reveals the codes one line at a time; after the last line it
    // closes the report.
    whileReportShown = [] {
        for (int i = 0; i < 2; ++i)
            QTest::keyClick(Form_result, Qt::Key_Return);
        EXPECT_TRUE(Form_result->isVisible());
        QTest::keyClick(Form_result, Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_FALSE(Form_result->isVisible()) << "Enter closes a report with nothing left";
    };
    typedName = QStringLiteral("一个很长很长很长的名字");
    report("00:30", 3, 2, QStringLiteral("中(种)\n国(  )"));
    EXPECT_EQ(Form_result->Mresult->toPlainText(), QStringLiteral("中(种)50006\n国(  )6015"));
    // A line shows its code once, however often it is asked for.
    Form_result->right(0);
    Form_result->right(1);
    EXPECT_EQ(Form_result->Mresult->toPlainText(), QStringLiteral("中(种)50006\n国(  )6015"));
    const auto entries = TopTenFile(path("files/record.dat")).read();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name.size(), 16u) << "the faster result first, its name cut to 16 bytes";

    // Nothing typed: no speed, no question; Enter closes the report at once.
    whileReportShown = [] {
        QTest::keyClick(Form_result, Qt::Key_Return);
        EXPECT_FALSE(Form_result->isVisible());
    };
    questions.clear();
    report("0:00", 0, 0, QString());
    EXPECT_EQ(Form_result->LRate->text(), QStringLiteral("0字/分"));
    EXPECT_TRUE(questions.isEmpty());
    EXPECT_TRUE(errorsShown.isEmpty()) << errorsShown.join(u'\n').toStdString();
}

// The name for the top ten is asked once the report is on the screen, not
// while it is being shown (the question came before the report was seen).
TEST_F(ReportAndTopTen, TheNameIsAskedOverTheShownReport) {
    bool reportOnScreen = false;
    QString rateShown;
    prompts::setTextAnswerer([&](const QString& title) -> std::optional<QString> {
        questions << title;
        const QWindow* w = Form_result->windowHandle();
        reportOnScreen = w && w->isVisible();
        rateShown = Form_result->LRate->text();
        return QStringLiteral("小明");
    });
    report("01:00", 3, 2, QStringLiteral("中(种)\n国(  )"));
    EXPECT_EQ(questions, QStringList{QStringLiteral("恭喜你！进入前十！输入你的姓名")});
    EXPECT_TRUE(reportOnScreen);
    EXPECT_EQ(rateShown, QStringLiteral("1字/分"));
    EXPECT_EQ(gridNames, QStringList{QStringLiteral("小明")});
}

TEST_F(ReportAndTopTen, TheListClearsOnF1AndShowsTheLastReport) {
    TopTenFile(path("files/record.dat")).add({"a", 90});
    Form_result->EntryPending = false;
    Thighscore list;
    list.show();
    EXPECT_EQ(list.StringGrid1->item(0, 0)->text(), QStringLiteral("前十名"));
    EXPECT_EQ(list.StringGrid1->item(1, 1)->text(), QStringLiteral("a"));
    EXPECT_EQ(list.StringGrid1->item(1, 2)->text(), QStringLiteral("90"));
    EXPECT_EQ(list.StringGrid1->item(10, 0)->text(), QStringLiteral("10"));
    EXPECT_TRUE(list.Button1->isHidden());
    QTest::keyClick(&list, Qt::Key_F1);
    EXPECT_FALSE(list.Button1->isHidden());
    QTest::mouseClick(list.Button1, Qt::LeftButton);
    EXPECT_EQ(notices, QStringList{QStringLiteral("排行榜已清空")});
    EXPECT_EQ(list.StringGrid1->item(1, 1)->text(), QStringLiteral(" "));
    EXPECT_TRUE(TopTenFile(path("files/record.dat")).read().empty());

    // "上一次成绩" shows the last report without computing it again.
    Form_result->LRate->setText(QStringLiteral("42字/分"));
    form_test->alread->setText(QStringLiteral("999"));
    QString shown;
    QTimer::singleShot(0, [&] {
        shown = Form_result->LRate->text();
        Form_result->close();
    });
    QTest::mouseClick(list.Button3, Qt::LeftButton);
    EXPECT_EQ(shown, QStringLiteral("42字/分"));
    EXPECT_FALSE(Form_result->LastOnly);
}

TEST_F(ReportAndTopTen, AMissingRecordFileIsMadeAgainAtTheNextScore) {
    QFile::remove(path("files/record.dat"));
    report("01:00", 10, 0, QString());
    EXPECT_EQ(Form_result->LRate->text(), QStringLiteral("10字/分"));
    EXPECT_TRUE(errorsShown.isEmpty()) << errorsShown.join(u'\n').toStdString();
    EXPECT_EQ(questions, QStringList{QStringLiteral("恭喜你！进入前十！输入你的姓名")});
    EXPECT_EQ(gridNames, QStringList{QStringLiteral("小明")});
    EXPECT_EQ(TopTenFile(path("files/record.dat")).read().size(), 1u);
}

// Junk in the list is never taken for scores: it is set aside once, by name,
// and the result that found it still enters a fresh list.
TEST_F(ReportAndTopTen, ADamagedListIsSetAsideOnceAndTheScoreKept) {
    QByteArray junk(240, '\0');
    for (int i = 0; i < junk.size(); ++i)
        junk[i] = static_cast<char>(i * 37 + 11);
    writeFile("files/record.dat", junk);
    report("01:00", 10, 0, QString());
    ASSERT_EQ(errorsShown.size(), 1) << errorsShown.join(u'\n').toStdString();
    EXPECT_TRUE(errorsShown[0].contains(path("files/record.dat") + QStringLiteral(" 已损坏")))
        << errorsShown[0].toStdString();
    EXPECT_TRUE(errorsShown[0].contains(path("files/record.dat.damaged")));
    QFile kept(path("files/record.dat.damaged"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), junk);
    EXPECT_EQ(gridNames, QStringList{QStringLiteral("小明")});
    const auto entries = TopTenFile(path("files/record.dat")).read();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].score, 10);

    // The list opened again says nothing more.
    errorsShown.clear();
    Form_result->EntryPending = false;
    Thighscore list;
    list.show();
    EXPECT_EQ(list.StringGrid1->item(1, 2)->text(), QStringLiteral("10"));
    EXPECT_TRUE(errorsShown.isEmpty());
}

// A score that cannot be written is reported by the file's full path, and
// the list still shows what the file holds.
TEST_F(ReportAndTopTen, AFailedWriteStillShowsTheStoredList) {
    TopTenFile(path("files/record.dat")).add({"a", 90});
    TopTenFile(path("files/record.dat")).add({"b", 5});
    // Any write beyond zero bytes fails (with "file too large"), even as root.
    struct rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit none = old;
    none.rlim_cur = 0;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &none), 0);
    report("01:00", 10, 0, QString());
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    ASSERT_EQ(errorsShown.size(), 1) << errorsShown.join(u'\n').toStdString();
    EXPECT_TRUE(errorsShown[0].startsWith(QStringLiteral("无法写入成绩文件 ") +
                                          path("files/record.dat") + QStringLiteral("：")))
        << errorsShown[0].toStdString();
    EXPECT_EQ(gridNames, QStringList{QStringLiteral("a")}) << "the stored list, not an empty one";
    EXPECT_EQ(TopTenFile(path("files/record.dat")).read().size(), 2u);
}

TEST_F(ReportAndTopTen, ConvertingAnArticleAndSegmentingIt) {
    writeFile("hzlib/zh2.hz",
              QByteArray::fromStdString(dicttest::groupBytes(2, {{"1", dicttest::g("中国")}})));
    for (const char* f : {"zh1.hz", "zh3.hz", "zh4.hz", "zh5.hz"})
        writeFile(QStringLiteral("hzlib/") + f, QByteArray());
    writeFile("news.txt", QByteArray::fromStdString(dicttest::g("中国，中国人。abc")));
    form_test->show();
    form_test->ChangeDialog = [this] { return path("news.txt"); };

    // A source without a Chinese character is refused before anything is
    // written, and the status stays.
    writeFile("empty.txt", QByteArray("no hanzi here\r\n"));
    form_test->ChangeDialog = [this] { return path("empty.txt"); };
    const QString statusBefore = form_test->LChange->text();
    form_test->change_file->trigger();
    ASSERT_EQ(errorsShown.size(), 1);
    EXPECT_TRUE(errorsShown[0].contains(path("empty.txt"))) << errorsShown[0].toStdString();
    EXPECT_FALSE(QFile::exists(path("empty.tvm")));
    EXPECT_EQ(form_test->LChange->text(), statusBefore);
    errorsShown.clear();
    form_test->ChangeDialog = [this] { return path("news.txt"); };

    // No: the article stays as it was. The status names the encoding read.
    QString statusAsked;
    QTimer::singleShot(0, [&] {
        statusAsked = form_test->LChange->text();
        QTest::mouseClick(Form_change->BitBtn1, Qt::LeftButton);
    });
    form_test->change_file->trigger();
    EXPECT_EQ(statusAsked, QStringLiteral("请作决定（GBK）"));
    EXPECT_EQ(form_test->LChange->text(), statusBefore);
    EXPECT_EQ(Form_change->Label1->text(), QStringLiteral("共包含5个汉字"));
    EXPECT_TRUE(QFile::exists(path("news.tvm")));
    EXPECT_NE(form_test->Label_file->text(), QStringLiteral("news.tvm"));

    // Yes: the converted article is loaded, ready to start.
    QTimer::singleShot(0, [] { QTest::mouseClick(Form_change->BitBtnok, Qt::LeftButton); });
    form_test->change_file->trigger();
    EXPECT_EQ(form_test->Label_file->text(), QStringLiteral("news.tvm"));
    // Names are shown as spelt, never as HTML ("<b>news.tvm").
    EXPECT_EQ(form_test->Label_file->textFormat(), Qt::PlainText);
    EXPECT_EQ(form_test->LChange->textFormat(), Qt::PlainText);
    EXPECT_EQ(form_test->LChange->text(), QStringLiteral("请按开始按钮"));
    EXPECT_TRUE(form_test->BitBtn1->isEnabled());

    // The segmentation colours both words, magenta then blue.
    answerYes = true;
    QTest::mouseClick(form_test->BitBtn1, Qt::LeftButton);
    EXPECT_FALSE(form_test->BitBtn1->isEnabled());
    EXPECT_EQ(form_test->flow().text.mark(0, 0), TestText::Mark::WordMagenta);
    EXPECT_EQ(form_test->flow().text.mark(0, 2), TestText::Mark::WordBlue);
    // Drawn: magenta in the first word's cells, blue in the second's.
    const QRect first = form_test->REdit1->cellRect(0, 0).united(form_test->REdit1->cellRect(0, 1));
    const QRect second =
        form_test->REdit1->cellRect(0, 2).united(form_test->REdit1->cellRect(0, 3));
    EXPECT_GT(pixelsOf(form_test->REdit1, first, QColor(255, 0, 255)), 20);
    EXPECT_EQ(pixelsOf(form_test->REdit1, first, QColor(0, 0, 255)), 0);
    EXPECT_GT(pixelsOf(form_test->REdit1, second, QColor(0, 0, 255)), 20);
    // 人 after them belongs to no word: neither colour spills onto it.
    const QRect single = form_test->REdit1->cellRect(0, 4);
    EXPECT_EQ(form_test->flow().text.mark(0, 4), TestText::Mark::Untyped);
    EXPECT_EQ(pixelsOf(form_test->REdit1, single, QColor(0, 0, 255)), 0);
    EXPECT_EQ(pixelsOf(form_test->REdit1, single, QColor(255, 0, 255)), 0);
    EXPECT_TRUE(errorsShown.isEmpty()) << errorsShown.join(u'\n').toStdString();

    // The hidden "高频词" choice looks only for words of the high-frequency list.
    EXPECT_TRUE(form_test->rdgQC->isHidden());
    writeFile("hzlib/gpc.txt", QByteArray::fromStdString("500601" + dicttest::g("中国") + "\r\n"));
    form_test->openDialog = [this] { return path("news.tvm"); };
    form_test->select_file->trigger();
    form_test->rdgQCFrequent->setChecked(true);
    QTest::mouseClick(form_test->BitBtn1, Qt::LeftButton);
    EXPECT_EQ(form_test->flow().text.mark(0, 0), TestText::Mark::WordMagenta);
    EXPECT_EQ(form_test->flow().text.mark(0, 2), TestText::Mark::WordBlue);
    form_test->rdgQCAll->setChecked(true);

    // The input-method help reads files/tvm.rtf.
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(TARVO_SOURCE_DIR "/data/files/tvm.rtf"), path("files/tvm.rtf")));
    QTimer::singleShot(0, [] { form_help->close(); });
    QTest::mouseClick(form_test->key_help, Qt::LeftButton);
    EXPECT_TRUE(form_help->RichEdit1->toPlainText().contains(QStringLiteral("输入说明")));
    EXPECT_EQ(form_help->RichEdit1->textCursor().position(), 0) << "shown from its start";
    // Its lines have air between them: consecutive lines of one paragraph
    // lie at least 1.3 font heights apart.
    QTextDocument* doc = form_help->RichEdit1->document();
    doc->setTextWidth(120); // narrow: paragraphs wrap into several lines
    bool measured = false;
    for (QTextBlock b = doc->begin(); b.isValid() && !measured; b = b.next()) {
        QTextLayout* layout = b.layout();
        if (!layout || layout->lineCount() < 2)
            continue;
        const qreal gap = layout->lineAt(1).y() - layout->lineAt(0).y();
        EXPECT_GE(gap, 1.3 * layout->lineAt(0).height()) << b.text().toStdString();
        measured = true;
    }
    EXPECT_TRUE(measured);
    form_test->hide();
}

} // namespace
