#include "tests/gui/program_folder_fixture.h"

#include "app/about_box.h"
#include "platform/error_report.h"
#include "platform/user_error.h"
#include "training/encoding_diagram.h"
#include "training/pause_notice.h"
#include "training/training_help_panel.h"
#include "training/training_window.h"
#include "warmup/warmup_help.h"

#include <QColorDialog>
#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

namespace {

using InformationWindows = ProgramFolderTest;

TEST_F(InformationWindows, AboutBoxClosesOnEscAndItsLogoOpensTheWebSite) {
    QTimer::singleShot(0, [] { QTest::keyClick(About, Qt::Key_Escape); });
    About->exec();
    EXPECT_FALSE(About->isVisible());

    QTimer::singleShot(0, [this] {
        QTest::mouseClick(About->Image1, Qt::LeftButton);
        EXPECT_EQ(opened.size(), 1u);
        QTest::mouseClick(About->BitBtn1, Qt::LeftButton);
    });
    About->exec();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl(QString::fromLatin1(TAbout::kWebAddress)));
    EXPECT_TRUE(About->windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST_F(InformationWindows, PauseNoticeOnlyClosesByContinue) {
    bool stillOpen = false;
    QTimer::singleShot(0, [&] {
        QTest::keyClick(Formstop, Qt::Key_Escape);
        Formstop->close();
        stillOpen = Formstop->isVisible();
        QTest::keyClick(Formstop->BitBtn1, Qt::Key_Return); // Enter presses "继续"
    });
    Formstop->exec();
    EXPECT_TRUE(stillOpen);
    EXPECT_FALSE(Formstop->isVisible());
    EXPECT_FALSE(Formstop->windowFlags() & Qt::WindowCloseButtonHint);

    QTimer::singleShot(0, [] { QTest::mouseClick(Formstop->BitBtn1, Qt::LeftButton); });
    Formstop->exec();
    EXPECT_FALSE(Formstop->isVisible());
}

TEST_F(InformationWindows, EncodingDiagramRestartsTheTrainingClockOnlyDuringAnExercise) {
    Form1->BitBtn1->show();
    // No exercise under way: closing starts no clock.
    QTimer::singleShot(0, [] { formdelait->close(); });
    formdelait->exec();
    EXPECT_FALSE(Form1->Timer1->isActive());
    EXPECT_FALSE(Form1->Timer3->isActive());
    EXPECT_FALSE(Form1->BitBtn1->isHidden());

    // During an exercise, the close box restarts the clocks and keeps the button.
    Form1->SBtnStart->setEnabled(false);
    QTimer::singleShot(0, [] { formdelait->close(); });
    formdelait->exec();
    EXPECT_TRUE(Form1->Timer1->isActive());
    EXPECT_TRUE(Form1->Timer3->isActive());
    EXPECT_FALSE(Form1->BitBtn1->isHidden());

    // "关  闭" also hides the button.
    Form1->Timer1->stop();
    Form1->Timer3->stop();
    QTimer::singleShot(0, [] { QTest::mouseClick(formdelait->BitBtn1, Qt::LeftButton); });
    formdelait->exec();
    EXPECT_TRUE(Form1->BitBtn1->isHidden());
    EXPECT_TRUE(Form1->Timer1->isActive());
    EXPECT_EQ(formdelait->BitBtn1->text(), QStringLiteral("关  闭"));
}

TEST_F(InformationWindows, HelpPanelAndWarmupHelpShowTheirTexts) {
    EXPECT_EQ(FormSM->RichEdit1->toPlainText(),
              QStringLiteral("对不起，未找到说明文件，但你可以点“开始”练习的。"));
    EXPECT_TRUE(FormSM->RichEdit1->isReadOnly());
    EXPECT_TRUE(FormSM->windowFlags() & Qt::FramelessWindowHint);

    // Opens on "古典式" the first time, then on the tab last shown.
    int firstTab = -1;
    QTimer::singleShot(0, [&] {
        firstTab = Fhelp->Tabs->currentIndex();
        Fhelp->Tabs->setCurrentIndex(1);
        QTest::keyClick(Fhelp->Button1, Qt::Key_Return);
    });
    Fhelp->exec();
    int secondTab = -1;
    QTimer::singleShot(0, [&] {
        secondTab = Fhelp->Tabs->currentIndex();
        Fhelp->close();
    });
    Fhelp->exec();
    EXPECT_EQ(firstTab, 0);
    EXPECT_EQ(secondTab, 1);
    EXPECT_EQ(Fhelp->Tabs->tabText(1), QStringLiteral("趣味式"));

    // The rules are written once, however often the window shows.
    const QStringList classic = Fhelp->ClassicMemo->toPlainText().split(u'\n');
    ASSERT_EQ(classic.size(), 8);
    EXPECT_EQ(classic[1], QStringLiteral("符串，相当于Tarvo码中的一个编码，你通过击"));
    EXPECT_EQ(classic[6], QString());
    const QStringList fun = Fhelp->FunMemo->toPlainText().split(u'\n');
    ASSERT_EQ(fun.size(), 10);
    EXPECT_EQ(fun[8], QStringLiteral("    "));
    EXPECT_EQ(fun[9], QStringLiteral("         Ready，Go !!!"));
}

TEST_F(InformationWindows, TheErrorHandlerShowsAnErrorAndTheNextEventRuns) {
    int after = 0;
    errors::guarded(nullptr, [] { throw UserError(QStringLiteral("无法读取文件 a.txt")); });
    errors::guarded(nullptr, [&] { ++after; });
    errors::guarded(nullptr, [] { throw 42; });
    EXPECT_EQ(errorsShown, (QStringList{"无法读取文件 a.txt", "程序遇到了未知的错误。"}));
    EXPECT_EQ(after, 1);
}

} // namespace

namespace {

TEST(QtDialogs, SpeakChinese) {
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QStringLiteral("取消"));
    QColorDialog colours;
    EXPECT_EQ(colours.windowTitle(), QStringLiteral("选择颜色"));
    // The kinds of the file dialogs' entries, which Qt's translation lacks.
    QFileIconProvider kinds;
    EXPECT_EQ(kinds.type(QFileInfo(QDir::tempPath())), QStringLiteral("文件夹"));
}

} // namespace
