#include "tests/dictionary/dict_test_files.h"

#include "tests/test_paths.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QStringList>

namespace {

struct ToolResult {
    int status;
    QString out;
    QString err;
};

ToolResult tarvoDict(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(TARVO_DICT_TOOL), args);
    EXPECT_TRUE(p.waitForFinished(60000));
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

TEST(TarvoDictCommand, QueriesTheBuiltDictionary) {
    ToolResult r = tarvoDict({"lookup", "--chars", "50006"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.split(u'\n').contains(QStringLiteral("中"))) << r.out.toStdString();

    // Every code of a character: the full code first, the short ones marked.
    r = tarvoDict({"code", "中"});
    EXPECT_EQ(r.status, 0);
    const QStringList codes = r.out.trimmed().split(u'\n');
    const QString code = codes.first();
    EXPECT_EQ(code, QStringLiteral("50006"));
    EXPECT_TRUE(codes.contains(QStringLiteral("50\t简码"))) << r.out.toStdString();
    r = tarvoDict({"lookup", "--chars", code});
    EXPECT_TRUE(r.out.split(u'\n').contains(QStringLiteral("中")));

    r = tarvoDict({"lookup", "--words", "500601"});
    EXPECT_TRUE(r.out.split(u'\n').contains(QStringLiteral("中国")));

    EXPECT_EQ(tarvoDict({"word", "中国"}).out, "yes\n");
    EXPECT_EQ(tarvoDict({"word", "国中"}).out, "no\n");
    EXPECT_EQ(tarvoDict({"word", "--frequent", "中国"}).out, "yes\n");
}

// What tarvo-dict cannot read or write is an error with a message, and the
// options are taken in each usual form.
TEST(TarvoDictCommand, RefusesWhatItCannotReadAndTakesTheUsualOptionForms) {
    dicttest::DictDir dir;
    std::string garbage(3001, '\0');
    for (size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<char>((i * 7919 + 13) % 251);
    dir.write("zh1", garbage);
    dir.write("utf8.tvm", "热爱和平，中国。");
    const QString zh1 = QString::fromStdString(dir.path() + "/zh1");
    const QString utf8 = QString::fromStdString(dir.path() + "/utf8.tvm");
    const struct {
        QStringList args;
        const char16_t* says;
    } refused[] = {
        {{"dump", zh1}, u"已损坏"},
        {{"lookup", "--chars", "abc"}, u"1 至 6 位数字"},
        {{"lookup", "--chars", "1234567"}, u"1 至 6 位数字"},
        {{"lookup", "--chars", ""}, u"1 至 6 位数字"},
        {{"code", "한"}, u"不是一个汉字"},
        {{"code", "中国"}, u"不是一个汉字"},
        {{"segment", utf8}, u"UTF-8"},
    };
    for (const auto& r : refused) {
        const ToolResult result = tarvoDict(r.args);
        EXPECT_EQ(result.status, 1) << r.args.join(' ').toStdString();
        EXPECT_TRUE(result.err.contains(QString::fromUtf16(r.says)))
            << r.args.join(' ').toStdString() << ": " << result.err.toStdString();
        EXPECT_TRUE(result.out.isEmpty()) << r.args.join(' ').toStdString();
    }
    const QString hzlib = QStringLiteral(TARVO_PROGRAM_DIR "/hzlib");
    EXPECT_EQ(tarvoDict({"lookup", "--dir=" + hzlib, "--words", "500601"}).status, 0);
    EXPECT_TRUE(
        tarvoDict({"lookup", "--words", "--", "500601"}).out.contains(QStringLiteral("中国")));
    const ToolResult help = tarvoDict({"lookup", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("segment"))) << "a line per command";
    // A write that fails (a full disk) fails the command.
    QProcess full;
    full.setStandardOutputFile(QStringLiteral("/dev/full"));
    full.start(QStringLiteral(TARVO_DICT_TOOL), {QStringLiteral("--help")});
    ASSERT_TRUE(full.waitForFinished(60000));
    EXPECT_EQ(full.exitCode(), 1);
}

TEST(TarvoDictCommand, BuildsADictionaryAndReportsErrors) {
    dicttest::DictDir src;
    dicttest::DictDir out;
    src.write("chars.txt", "1\t一\t5\n");
    src.write("words.txt", "12\t一二\t5\n");
    src.write("frequent.txt", "");
    const QString dir = QString::fromStdString(out.path());
    ToolResult r = tarvoDict({"build", QString::fromStdString(src.path()), dir});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(tarvoDict({"lookup", "--dir", dir, "--words", "12"}).out, "一二\n");
    EXPECT_EQ(tarvoDict({"dump", dir + "/zh1"}).out, "1\t一\n");

    src.write("words.txt", "12\t一二\nx\t三\n");
    r = tarvoDict({"build", QString::fromStdString(src.path()), dir});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("words.txt 第 2 行"))) << r.err.toStdString();

    r = tarvoDict({"lookup", "--dir", "/nonexistent", "--chars", "1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("/nonexistent/zh1"))) << r.err.toStdString();

    EXPECT_EQ(tarvoDict({"lookup", "1"}).status, 1);
    EXPECT_EQ(tarvoDict({"frobnicate"}).status, 1);
}

TEST(TarvoDictCommand, ConvertsAndSegmentsArticles) {
    dicttest::DictDir dir;
    dir.write("poem.txt", dicttest::g("静夜思　李白\r\n床前明月光，疑是地上霜。"));
    dir.write("utf8.txt", "热爱和平，“中国”。");
    ToolResult r = tarvoDict({"convert", QString::fromStdString(dir.path() + "/poem.txt")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "15\tGBK\n");
    r = tarvoDict({"convert", QString::fromStdString(dir.path() + "/utf8.txt")});
    EXPECT_EQ(r.out, "6\tUTF-8\n") << r.err.toStdString();

    r = tarvoDict({"segment", QString::fromStdString(dir.path() + "/poem.tvm")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    const QStringList tokens = r.out.trimmed().split(u'/');
    EXPECT_EQ(tokens.join(QString()), QStringLiteral("静夜思李白床前明月光疑是地上霜"));
    EXPECT_TRUE(tokens.contains(QStringLiteral("李白"))) << r.out.toStdString();
    EXPECT_TRUE(tokens.contains(QStringLiteral("明月"))) << r.out.toStdString();

    // --frequent: only the two-character words of the high-frequency list.
    const QString utf8Article = QString::fromStdString(dir.path() + "/utf8.tvm");
    EXPECT_EQ(tarvoDict({"segment", utf8Article}).out, QStringLiteral("热爱/和平/中国\n"));
    r = tarvoDict({"segment", "--frequent", utf8Article});
    EXPECT_EQ(r.out, QStringLiteral("热/爱/和平/中国\n")) << r.err.toStdString();

    dir.write("same.tvm", "x");
    r = tarvoDict({"convert", QString::fromStdString(dir.path() + "/same.tvm")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("same.tvm")));
    dir.write("empty.txt", "");
    r = tarvoDict({"convert", QString::fromStdString(dir.path() + "/empty.txt")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("empty.txt"))) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(QString::fromStdString(dir.path() + "/empty.tvm")));
}

TEST(TarvoDictCommand, RefusesOptionsACommandDoesNotTake) {
    dicttest::DictDir dir;
    dir.write("poem.txt", dicttest::g("床前明月光"));
    const QString source = QString::fromStdString(dir.path() + "/poem.txt");
    const QStringList rows[] = {
        {"segment", "--bogus", source},
        {"convert", "--frequent", source},
        {"convert", "--dir", "/tmp", source},
        {"lookup", "--chars", "--frobnicate", "1"},
        {"code", "--words", "中"},
        {"dump", "--dir", "/tmp", source},
    };
    for (const QStringList& args : rows) {
        const ToolResult r = tarvoDict(args);
        EXPECT_EQ(r.status, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("用法"))) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << args.join(' ').toStdString();
    }
    EXPECT_FALSE(QFile::exists(QString::fromStdString(dir.path() + "/poem.tvm")));
}

} // namespace
