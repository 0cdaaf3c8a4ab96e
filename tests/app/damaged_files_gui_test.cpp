// Damaged and unusual files met through the windows, as the learner meets
// them: a clear message naming the file, the window goes on, nothing waits.
#include "tests/gui/program_folder_fixture.h"

#include "app/create_windows.h"
#include "articletest/article_test_window.h"
#include "platform/image_file.h"
#include "platform/rtf_reader.h"
#include "platform/user_error.h"
#include "tests/damaged/damaged_inputs.h"
#include "tests/dictionary/dict_test_files.h"
#include "tests/support/user_error_message.h"
#include "warmup/warmup_ranking_window.h"
#include "warmup/warmup_window.h"

#include "tests/test_paths.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>

#include <sys/stat.h>

#include <random>

namespace {

using damaged::Kind;
using DamagedFilesInWindows = ProgramFolderTest;

// The help texts: a damaged RTF gives what can be read; a huge one is
// refused by its size, so the viewer never freezes.
TEST_F(DamagedFilesInWindows, HelpTexts) {
    QFile help(QStringLiteral(TARVO_SOURCE_DIR "/data/files/tvm.rtf"));
    ASSERT_TRUE(help.open(QIODevice::ReadOnly));
    const QByteArray good = help.readAll();
    damaged::checkReader(path("files"), "tvm.rtf", good,
                         [&] {
                             QTextDocument doc;
                             return userErrorMessage(
                                 [&] { readRtfFile(path("files/tvm.rtf"), doc); });
                         },
                         {{Kind::Empty, nullptr},
                          {Kind::Truncated, nullptr},
                          {Kind::RandomBytes, nullptr},
                          {Kind::Huge, "太大"},
                          {Kind::Folder, "文件夹"},
                          {Kind::Fifo, "不是普通文件"},
                          {Kind::NoPermission, "没有访问权限"}});
}

// Pictures: a damaged one is named with its reason, a huge one refused by
// its size before decoding, a FIFO refused at once.
TEST_F(DamagedFilesInWindows, Pictures) {
    writeJpeg("images/2.jpg", Qt::red);
    QFile jpeg(path("images/2.jpg"));
    ASSERT_TRUE(jpeg.open(QIODevice::ReadOnly));
    const QByteArray good = jpeg.readAll();
    damaged::checkReader(path("images"), "2.jpg", good,
                         [&] {
                             return userErrorMessage([&] {
                                 EXPECT_FALSE(readImageFile(path("images/2.jpg")).isNull());
                             });
                         },
                         {{Kind::Empty, "图片"},
                          {Kind::Truncated, ""},
                          {Kind::RandomBytes, "图片"},
                          {Kind::Huge, "太大"},
                          {Kind::Folder, "文件夹"},
                          {Kind::Fifo, "不是普通文件"},
                          {Kind::NoPermission, "没有访问权限"}});
}

// The largest help text the viewer takes, made of the paragraphs that cost
// the most, still reads.
TEST_F(DamagedFilesInWindows, TheLargestHelpTextReads) {
    QByteArray rtf = "{\\rtf1 ";
    while (rtf.size() < kMaxRtfFileBytes - 16)
        rtf += "\\par x";
    rtf += "}";
    writeFile("files/big.rtf", rtf);
    QTextDocument doc;
    readRtfFile(path("files/big.rtf"), doc);
    EXPECT_GT(doc.blockCount(), 25000);
}

// A test file that is a FIFO is refused by name at once instead of hanging
// the window; a fresh article can be chosen after it.
TEST_F(DamagedFilesInWindows, ATestFileThatIsAFifo) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("test.tvm")).constData(), 0644), 0);
    form_test->HomeDir = path(QString());
    form_test->show();
    ASSERT_EQ(errorsShown.size(), 1);
    EXPECT_TRUE(errorsShown[0].startsWith(QStringLiteral("无法打开测试文件 ") + path("test.tvm")))
        << errorsShown[0].toStdString();
    EXPECT_TRUE(errorsShown[0].contains(QStringLiteral("不是普通文件")));
    EXPECT_TRUE(form_test->BtnStart->isHidden());

    writeFile("poem.tvm",
              QByteArray::fromStdString(dicttest::g("中国") + std::string(55, ' ') + "\r\r \r"));
    form_test->openDialog = [this] { return path("poem.tvm"); };
    form_test->select_file->trigger();
    EXPECT_FALSE(form_test->BtnStart->isHidden());
    EXPECT_EQ(errorsShown.size(), 1);
    form_test->hide();
}

// A damaged character file is named once while typing; the typed code stays.
TEST_F(DamagedFilesInWindows, ADamagedDictionaryIsNamedOnceWhileTyping) {
    writeFile("test.tvm",
              QByteArray::fromStdString(dicttest::g("中国") + std::string(55, ' ') + "\r\r \r"));
    std::mt19937 rng(damaged::kSeed);
    QByteArray junk(5000, '\0');
    for (char& c : junk)
        c = static_cast<char>(rng() & 0xFF);
    writeFile("hzlib/zh1", junk);
    form_test->HomeDir = path(QString());
    form_test->show();
    QTest::mouseClick(form_test->BtnStart, Qt::LeftButton);
    for (const char* code : {"5", "0", " ", "5", " "})
        QTest::keyClick(form_test->Edit_input, code[0] == ' ' ? Qt::Key_Space : Qt::Key(code[0]),
                        Qt::KeypadModifier);
    ASSERT_EQ(errorsShown.size(), 1) << errorsShown.join(u'\n').toStdString();
    EXPECT_TRUE(errorsShown[0].contains(path("hzlib/zh1") + QStringLiteral(" 已损坏")))
        << errorsShown[0].toStdString();
    form_test->hide();
}

// The warm-up log: a long log opens at once with its newest lines; a FIFO in
// its place is named, in both modes, and the dialog stays usable.
TEST_F(DamagedFilesInWindows, TheWarmupLog) {
    QByteArray log;
    int lines = 0;
    while (log.size() < 3 * 1024 * 1024)
        log += "2026-12-6: n" + QByteArray::number(lines++) +
               " \xD3\xC3\xCA\xB1\xA3\xBA"
               "60\r\n";
    writeFile("files/record.txt", log);
    FHot->N2->trigger();
    const QStringList shown = FHot_Sort->Memo1->toPlainText().split(u'\n');
    EXPECT_EQ(shown.first(), QStringLiteral("……（这里只列出最近的记录）"));
    EXPECT_EQ(shown.last(), QStringLiteral("2026-12-6: n%1 用时：60").arg(lines - 1));
    EXPECT_LT(shown.size(), lines / 10);
    FHot_Sort->close();

    QFile::remove(path("files/record.txt"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("files/record.txt")).constData(), 0644), 0);
    FHot->N2->trigger();
    ASSERT_EQ(errorsShown.size(), 1);
    EXPECT_TRUE(errorsShown[0].contains(path("files/record.txt")));
    FHot_Sort->close();
    FHot_Sort->Memo1->hide();

    FHot_Sort->TimeText = "60";
    FHot_Sort->ScoreText = "25";
    FHot_Sort->show();
    QTest::mouseClick(FHot_Sort->Button1, Qt::LeftButton);
    ASSERT_EQ(errorsShown.size(), 2);
    EXPECT_TRUE(
        errorsShown[1].startsWith(QStringLiteral("无法打开排行文件 ") + path("files/record.txt")))
        << errorsShown[1].toStdString();
    EXPECT_TRUE(FHot_Sort->isVisible()) << "nothing lost: the dialog stays open";
    FHot_Sort->close();
}

// A score file's write cut off at its last step left its temporary file: the
// next start removes it and keeps the file.
TEST_F(DamagedFilesInWindows, LeftoverTemporariesGoAtTheNextStart) {
    destroyWindows();
    writeFile("files/phb.txt", QByteArray(180, ' '));
    for (const QString name : {"record.dat", "phb.txt"}) {
        writeFile("files/" + name + ".Q7wErt", QByteArray(24, 'x'));
        QFile left(path("files/" + name + ".Q7wErt"));
        ASSERT_TRUE(left.open(QIODevice::ReadWrite));
        left.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-3600),
                         QFileDevice::FileModificationTime);
    }
    createWindows();
    for (const QString name : {"record.dat", "phb.txt"}) {
        EXPECT_FALSE(QFile::exists(path("files/" + name + ".Q7wErt"))) << name.toStdString();
        EXPECT_TRUE(QFile::exists(path("files/" + name)));
    }
}

} // namespace
