// The program as a package installs it: executable in <prefix>/bin, data in
// <prefix>/share/tarvo, score files in the learner's data folder.
#include "tests/gui/program_folder_fixture.h"

#include "articletest/article_test_report_window.h"
#include "articletest/top_ten_file.h"
#include "articletest/top_ten_window.h"
#include "history/history_instance.h"
#include "platform/program_folder.h"
#include "platform/score_files.h"
#include "platform/user_error.h"
#include "tests/support/user_error_message.h"
#include "warmup/warmup_ranking_window.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

class InstalledLayout : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        ASSERT_TRUE(root_.isValid());
        QDir(root_.path()).mkpath("prefix/bin");
        QDir(root_.path()).mkpath("prefix/share/tarvo/hzlib");
        QDir(root_.path()).mkpath("prefix/share/tarvo/files");
        QFile shipped(root_.filePath("prefix/share/tarvo/files/record.dat"));
        ASSERT_TRUE(shipped.open(QIODevice::WriteOnly));
        shipped.close();
        oldXdg_ = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", root_.filePath("xdg").toUtf8());
        setProgramFolder(QString());
        setExecutableFolder(root_.filePath("prefix/bin"));
    }
    void TearDown() override {
        setExecutableFolder(QString());
        qputenv("XDG_DATA_HOME", oldXdg_);
        ProgramFolderTest::TearDown();
    }
    QString under(const QString& relative) const { return root_.filePath(relative); }
    QTemporaryDir root_;
    QByteArray oldXdg_;
};

TEST_F(InstalledLayout, ScoresGoToTheLearnersFolderNeverUnderThePrefix) {
    EXPECT_TRUE(runsInstalled());
    EXPECT_EQ(programFolder(), under("prefix/share/tarvo/"));
    EXPECT_EQ(historyDatabasePath(), under("xdg/tarvo/history.sqlite"));

    // A warm-up result is logged in the learner's folder.
    FHot_Sort->today = [] { return QStringLiteral("2026-12-6"); };
    FHot_Sort->TimeText = "60";
    FHot_Sort->ScoreText = "7";
    FHot_Sort->show();
    FHot_Sort->LabeledEdit1->setText(QStringLiteral("小明"));
    QTest::mouseClick(FHot_Sort->Button1, Qt::LeftButton);
    EXPECT_TRUE(errorsShown.isEmpty()) << errorsShown.join(u'\n').toStdString();
    EXPECT_TRUE(QFile::exists(under("xdg/tarvo/files/record.txt")));
    EXPECT_FALSE(QFile::exists(under("prefix/share/tarvo/files/record.txt")));

    // An article test's top-ten entry too, whatever the working folder.
    Form_result->Speed = 42;
    Form_result->EntryName = "Ming";
    Form_result->EntryPending = true;
    {
        Thighscore list;
        list.show();
        EXPECT_EQ(list.StringGrid1->item(1, 2)->text(), QStringLiteral("42"));
    }
    Form_result->EntryPending = false;
    EXPECT_TRUE(errorsShown.isEmpty()) << errorsShown.join(u'\n').toStdString();
    ASSERT_EQ(TopTenFile(under("xdg/tarvo/files/record.dat")).read().size(), 1u);
    EXPECT_EQ(QFile(under("prefix/share/tarvo/files/record.dat")).size(), 0);

    // The shipped top-ten list is copied on first use; the learner's copy is
    // never replaced afterwards, also when it is damaged.
    const QString list = scoreFilePath(QStringLiteral("record.dat"));
    EXPECT_EQ(list, under("xdg/tarvo/files/record.dat"));
    ASSERT_TRUE(QFile::exists(list));
    {
        QFile f(list);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("damaged");
    }
    scoreFilePath(QStringLiteral("record.dat"));
    QFile f(list);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("damaged"));
}

TEST_F(InstalledLayout, ALearnersFolderThatCannotBeMadeIsNamed) {
    QFile blocker(under("xdg"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
    blocker.close();
    const QString message = userErrorMessage([] { scoreFilePath(QStringLiteral("record.txt")); });
    EXPECT_TRUE(message.contains(under("xdg/tarvo/files"))) << message.toStdString();
    // The ranking dialog reports it and stays open; nothing lost.
    FHot_Sort->show();
    QTest::mouseClick(FHot_Sort->Button1, Qt::LeftButton);
    ASSERT_EQ(errorsShown.size(), 1);
    EXPECT_TRUE(errorsShown[0].contains(QStringLiteral("无法建立成绩文件夹")));
    EXPECT_TRUE(FHot_Sort->isVisible());
    FHot_Sort->close();
}

TEST(BuildLayout, TheBuildFolderKeepsItsScoresBesideItsData) {
    setProgramFolder(QString());
    setExecutableFolder(QString());
    EXPECT_FALSE(runsInstalled());
}

} // namespace
