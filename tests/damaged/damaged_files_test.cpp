// Every reader of the program's files over the shared set of damaged inputs:
// each case ends in a Chinese message naming the file by its full path, or in
// sound behaviour; the program goes on; no other file changes.
#include "tests/damaged/damaged_inputs.h"
#include "tests/support/full_disk.h"

#include "app/results_address.h"
#include "articletest/article_conversion.h"
#include "articletest/article_text.h"
#include "articletest/top_ten_file.h"
#include "dictionary/dict_compiler.h"
#include "dictionary/dictionary_error.h"
#include "dictionary/two.h"
#include "history/history_csv.h"
#include "platform/module_file.h"
#include "platform/stale_temporaries.h"
#include "platform/user_error.h"
#include "records/record_holders_file.h"
#include "tests/dictionary/dict_test_files.h"
#include "tests/support/qt_printers.h"
#include "tests/support/test_chars.h"
#include "tests/support/user_error_message.h"
#include "tests/test_paths.h"
#include "training/exercise_kind.h"
#include "training/exercise_source.h"
#include "warmup/warmup_log.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

using damaged::Expected;
using damaged::Kind;
using dicttest::g;

namespace {

QString full(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

// The bytes of a small regular file (never opens a FIFO, which would wait).
QByteArray readBytes(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > 1024 * 1024)
        return QByteArray();
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray topTenBytes(const std::vector<TopTenFile::Entry>& entries) {
    QTemporaryDir dir;
    TopTenFile file(dir.filePath("record.dat"));
    for (const auto& e : entries)
        file.add(e);
    return readBytes(dir.filePath("record.dat"));
}

class DamagedFiles : public ::testing::Test {
protected:
    QString folder() const { return dir.path(); }
    QString at(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

// "record.dat": a damaged list is set aside, said once, and the next score
// starts a fresh list; an unreadable one is named and nothing is written.
TEST_F(DamagedFiles, TopTenList) {
    const QByteArray good = topTenBytes({{g("小明"), 60}, {"b", 40}});
    const QString path = at("record.dat");
    const QString aside = at("record.dat.damaged");
    TopTenFile file(path);
    QByteArray before;
    damaged::checkReader(
        folder(), "record.dat", good,
        [&] {
            before = readBytes(path);
            QString notice;
            try {
                EXPECT_TRUE(file.admits(50, &notice)) << "a fresh or empty list admits";
                return notice;
            } catch (const UserError& e) {
                return e.message();
            }
        },
        {{Kind::Empty, nullptr},
         {Kind::Truncated, "已损坏"},
         {Kind::RandomBytes, "已损坏"},
         {Kind::Huge, "已损坏"},
         {Kind::Folder, "文件夹"},
         {Kind::Fifo, "不是普通文件"},
         {Kind::NoPermission, "没有访问权限"}},
        [&](Kind kind) {
            const bool setAside =
                kind == Kind::Truncated || kind == Kind::RandomBytes || kind == Kind::Huge;
            if (setAside) {
                // Kept byte for byte (the huge one by size), never deleted.
                ASSERT_TRUE(QFile::exists(aside));
                if (kind == Kind::Huge)
                    EXPECT_EQ(QFileInfo(aside).size(), damaged::kHugeBytes);
                else
                    EXPECT_EQ(readBytes(aside), before);
                QFile::remove(aside);
            }
            QString notice;
            if (kind == Kind::Folder || kind == Kind::Fifo || kind == Kind::NoPermission) {
                EXPECT_THROW(file.add({"new", 50}, &notice), UserError);
                return;
            }
            // Said once: the next reads are quiet, and the score is kept.
            file.add({"new", 50}, &notice);
            EXPECT_TRUE(notice.isEmpty()) << notice.toStdString();
            const auto entries = file.read(&notice);
            EXPECT_TRUE(notice.isEmpty());
            ASSERT_EQ(entries.size(), 1u);
            EXPECT_EQ(entries[0], (TopTenFile::Entry{"new", 50}));
        },
        [](Kind) { return std::set<QString>{"record.dat.damaged"}; });
}

TEST_F(DamagedFiles, TopTenRecordsAreValidatedOneByOne) {
    auto record = [](int length, const std::string& name, int32_t score) {
        std::string r(24, '\0');
        r[0] = static_cast<char>(length);
        r.replace(1, name.size(), name);
        for (int b = 0; b < 4; ++b)
            r[20 + b] = static_cast<char>((static_cast<uint32_t>(score) >> (8 * b)) & 0xFF);
        return r;
    };
    struct Row {
        const char* name;
        std::string bytes;
        const char* damage; // "" when sound
    };
    const Row rows[] = {
        {"two sound records", record(4, g("小明"), 60) + record(0, "", 60), ""},
        {"the highest score", record(1, "a", TopTenFile::kMaxScore), ""},
        {"ten records",
         [&] {
             std::string s;
             for (int i = 0; i < 10; ++i)
                 s += record(1, "x", 100 - i);
             return s;
         }(),
         ""},
        {"eleven records",
         [&] {
             std::string s;
             for (int i = 0; i < 11; ++i)
                 s += record(1, "x", 100 - i);
             return s;
         }(),
         "超过了十条记录"},
        {"a partial record", record(1, "a", 5) + "abc", "不是 24 字节的整数倍"},
        {"name length 17", record(17, "abcdefghijklmnopq", 5), "姓名长度 17"},
        {"a name that is not GBK", record(2, "\xFF\x41", 5), "不是汉字编码"},
        {"a cut-off character", record(1, "\xD0", 5), "不是汉字编码"},
        {"a negative score", record(1, "a", -1250300316), "-1250300316 不合理"},
        {"a score too high", record(1, "a", TopTenFile::kMaxScore + 1), "不合理"},
        {"scores out of order", record(1, "a", 5) + record(1, "b", 6), "第 2 条"},
    };
    for (const Row& r : rows) {
        EXPECT_TRUE(TopTenFile::damage(r.bytes).contains(QString::fromUtf8(r.damage)))
            << r.name << ": " << TopTenFile::damage(r.bytes).toStdString();
        EXPECT_EQ(TopTenFile::damage(r.bytes).isEmpty(), *r.damage == '\0') << r.name;
    }

    // A score beyond the range is kept within it, so the list stays sound.
    const QString path = at("record.dat");
    TopTenFile(path).add({"fast", TopTenFile::kMaxScore + 5});
    TopTenFile(path).add({"neg", -3});
    EXPECT_TRUE(TopTenFile::damage(readBytes(path).toStdString()).isEmpty());
    EXPECT_EQ(TopTenFile(path).read()[0].score, TopTenFile::kMaxScore);
}

TEST_F(DamagedFiles, AMissingListIsEmptyAndTheFirstScoreMakesIt) {
    const QString path = at("files/record.dat");
    QDir(folder()).mkdir("files");
    TopTenFile file(path);
    QString notice;
    EXPECT_TRUE(file.read(&notice).empty());
    EXPECT_TRUE(notice.isEmpty());
    EXPECT_TRUE(file.admits(1));
    EXPECT_FALSE(QFile::exists(path)) << "reading makes nothing";
    file.add({"a", 7});
    EXPECT_EQ(file.read(), (std::vector<TopTenFile::Entry>{{"a", 7}}));

    // Earlier damaged copies are kept: the next one takes the next free name.
    for (const char* name : {"record.dat.damaged", "record.dat.damaged.2"})
        ASSERT_TRUE(QFile::copy(path, at(QStringLiteral("files/") + name)));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write("junk");
    f.close();
    EXPECT_TRUE(file.read(&notice).empty());
    EXPECT_TRUE(notice.contains(full(at("files/record.dat.damaged.3")))) << notice.toStdString();
    EXPECT_TRUE(notice.contains(full(path)));
    EXPECT_EQ(readBytes(at("files/record.dat.damaged.3")).size(), 28);
}

// A damaged list that cannot be set aside is never overwritten by a new score.
TEST_F(DamagedFiles, ADamagedListThatCannotBeMovedIsNotOverwritten) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may rename in a read-only folder";
    QDir(folder()).mkdir("files");
    const QString path = at("files/record.dat");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a list");
    f.close();
    QFile::setPermissions(at("files"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QString notice;
    EXPECT_TRUE(TopTenFile(path).read(&notice).empty());
    EXPECT_TRUE(notice.contains(QStringLiteral("无法改名保存"))) << notice.toStdString();
    EXPECT_THROW(TopTenFile(path).add({"a", 5}), UserError);
    QFile::setPermissions(at("files"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(readBytes(path), QByteArray("not a list"));
}

// "record.txt": the warm-up log is text; any bytes are shown as text, only
// what is shown is read, and a file that is not a regular file is named.
// A module ("tarvo-sound.so"): anything but a whole shared object is refused
// before the loader maps it (a cut one died at its first page past the end; a
// FIFO made the start wait for ever).
TEST_F(DamagedFiles, Modules) {
    QFile module(QStringLiteral(TARVO_PROGRAM_DIR "/tarvo-sound.so"));
    ASSERT_TRUE(module.open(QIODevice::ReadOnly));
    const QByteArray good = module.readAll();
    const QString path = at("tarvo-sound.so");
    auto problem = [&] {
        const QString why = moduleProblem(path);
        return why.isEmpty() ? why : QStringLiteral("模块 %1 不能载入（%2）").arg(full(path), why);
    };
    const char* notModule = "不是这台电脑能载入的模块";
    damaged::checkReader(folder(), "tarvo-sound.so", good, problem,
                         {{Kind::Empty, notModule},
                          {Kind::Truncated, "文件不完整"},
                          {Kind::RandomBytes, notModule},
                          {Kind::Huge, "太大"},
                          {Kind::Folder, "文件夹"},
                          {Kind::Fifo, "不是普通文件"},
                          {Kind::NoPermission, "没有访问权限"}});
    for (const qsizetype cut : {qsizetype{64}, qsizetype{4096}, good.size() / 2}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(good.left(cut));
        f.close();
        EXPECT_TRUE(moduleProblem(path).contains(QStringLiteral("文件不完整"))) << cut;
    }
    QFile::remove(path);
    EXPECT_EQ(moduleProblem(path), QStringLiteral("没有这个文件"));
    QFile whole(path);
    ASSERT_TRUE(whole.open(QIODevice::WriteOnly));
    whole.write(good);
    whole.close();
    EXPECT_EQ(moduleProblem(path), QString());
}

TEST_F(DamagedFiles, WarmupLog) {
    const QByteArray good("2026-12-6: \xD0\xA1\xC3\xF7 \xD3\xC3\xCA\xB1\xA3\xBA"
                          "60 \xB3\xC9\xBC\xA8\xA3\xBA"
                          "25\r\n");
    const QString path = at("record.txt");
    damaged::checkReader(
        folder(), "record.txt", good,
        [&] {
            return userErrorMessage([&] {
                const auto shown = warmuplog::read(path);
                EXPECT_TRUE(shown.has_value());
            });
        },
        {{Kind::Empty, nullptr},
         {Kind::Truncated, nullptr},
         {Kind::RandomBytes, nullptr},
         {Kind::Huge, nullptr},
         {Kind::Folder, "文件夹"},
         {Kind::Fifo, "不是普通文件"},
         {Kind::NoPermission, "没有访问权限"}},
        [&](Kind kind) {
            // Adding a line: the regular files take it, the others are named at once.
            try {
                warmuplog::append(path, QStringLiteral("新的一行"));
                EXPECT_TRUE(kind != Kind::Folder && kind != Kind::Fifo);
                const auto shown = warmuplog::read(path);
                ASSERT_TRUE(shown);
                EXPECT_EQ(shown->lines.last(), QStringLiteral("新的一行"));
                EXPECT_EQ(shown->earlierLeftOut, kind == Kind::Huge);
            } catch (const UserError& e) {
                EXPECT_TRUE(kind == Kind::Folder || kind == Kind::Fifo)
                    << e.message().toStdString();
                EXPECT_TRUE(e.message().contains(full(path)));
            }
        });
}

// "phb.txt": a damaged file is set aside, said once, and the record that
// found it is judged against a fresh file; an unreadable one is named, sets
// no record and is left as it is.
TEST_F(DamagedFiles, RecordHolders) {
    const QByteArray good = QByteArray(165, ' ') + "Li        " + "   85";
    const QString path = at("phb.txt");
    const QString aside = at("phb.txt.damaged");
    const RecordHoldersFile file(path);
    QByteArray before;
    RecordHoldersFile::Judgement judged;
    damaged::checkReader(
        folder(), "phb.txt", good,
        [&] {
            before = readBytes(path);
            judged = file.judge_record(11, "90");
            return judged.notice;
        },
        {{Kind::Empty, "已损坏（只有 0 字节"},
         {Kind::Truncated, "已损坏（只有 179 字节"},
         {Kind::RandomBytes, "已损坏"},
         {Kind::Huge, "已损坏（文件太大"},
         {Kind::Folder, "文件夹"},
         {Kind::Fifo, "不是普通文件"},
         {Kind::NoPermission, "没有访问权限"}},
        [&](Kind kind) {
            const bool setAside = kind == Kind::Empty || kind == Kind::Truncated ||
                                  kind == Kind::RandomBytes || kind == Kind::Huge;
            EXPECT_EQ(judged.record, setAside) << "the record that found it still counts";
            if (!setAside) {
                EXPECT_THROW(file.save_record(11, "Wu", "90"), UserError);
                return;
            }
            if (kind == Kind::Huge)
                EXPECT_EQ(QFileInfo(aside).size(), damaged::kHugeBytes);
            else
                EXPECT_EQ(readBytes(aside), before) << "kept byte for byte";
            QFile::remove(aside);
            EXPECT_EQ(readBytes(path), QByteArray(180, ' ')) << "a fresh file";
            const auto again = file.judge_record(11, "90");
            EXPECT_TRUE(again.record);
            EXPECT_TRUE(again.notice.isEmpty()) << "said once";
            file.save_record(11, "Wu", "90");
            EXPECT_EQ(readBytes(path), QByteArray(165, ' ') + "Wu           90");
        },
        [](Kind) { return std::set<QString>{"phb.txt.damaged"}; });
}

// The dictionary: a damaged file is named once and then finds nothing until
// it is replaced; a file that cannot be opened is named at every use.
TEST_F(DamagedFiles, DictionaryFiles) {
    struct File {
        const char* name;
        std::string good;
        std::function<void(Ttwo&)> use;
    };
    const std::vector<File> files = {
        {"zh1", dicttest::groupBytes(1, {{"1", g("一")}, {"50006", g("中")}, {"6015", g("国")}}),
         [](Ttwo& t) { t.LookupCode(Ttwo::Scope::Characters, "50006"); }},
        {"zh2.hz", dicttest::groupBytes(2, {{"5060", g("国家")}, {"5060", g("中国")}}),
         [](Ttwo& t) { t.HasWord(2, g("中国")); }},
        {"zh5", dicttest::groupBytes(5, {{"123", g("一二三四五")}, {"124", g("一二三四六")}}),
         [](Ttwo& t) { t.FindByCode(5, "124"); }},
        {"gpc.txt", dicttest::frequentBytes({g("中国"), g("我们")}),
         [](Ttwo& t) { t.IsFrequentWord(g("我们")); }},
    };
    for (const File& file : files) {
        SCOPED_TRACE(file.name);
        // Each input meets a dictionary that has not read the file yet, as at
        // the first lookup of a run.
        std::unique_ptr<Ttwo> two;
        const QByteArray good = QByteArray::fromStdString(file.good);
        auto use = [&] {
            try {
                file.use(*two);
                return QString();
            } catch (const DictionaryError& e) {
                return QString::fromUtf8(e.what());
            }
        };
        auto firstUse = [&] {
            two = std::make_unique<Ttwo>(folder().toStdString());
            return use();
        };
        damaged::checkReader(folder(), file.name, good, firstUse,
                             {{Kind::Empty, nullptr},
                              {Kind::Truncated, "已损坏"},
                              {Kind::RandomBytes, "已损坏"},
                              {Kind::Huge, "太大"},
                              {Kind::Folder, "文件夹"},
                              {Kind::Fifo, "不是普通文件"},
                              {Kind::NoPermission, "没有权限"}},
                             [&](Kind kind) {
                                 // A damaged file is said once; an unreadable one each time.
                                 const bool again =
                                     kind == Kind::Folder || kind == Kind::NoPermission;
                                 EXPECT_EQ(!use().isEmpty(), again);
                             });
        EXPECT_TRUE(firstUse().isEmpty()) << "the good file is read without a word";
    }
}

// Every word file damaged: one message names them all, the sound group is
// still searched, and the next lookup says nothing more.
TEST_F(DamagedFiles, EveryWordFileDamagedIsNamedInOneMessage) {
    auto write = [&](const QString& name, const std::string& bytes) {
        QFile f(at(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes.data(), static_cast<qint64>(bytes.size()));
    };
    write("zh2", std::string(71, '\x5A'));
    write("zh3", dicttest::groupBytes(3, {{"50", g("中国人")}}));
    write("zh4", std::string(110, '\xAB'));
    write("zh5", std::string(30, '\xFF'));
    Ttwo two(folder().toStdString());
    try {
        two.LookupCode(Ttwo::Scope::Words, "50");
        FAIL() << "damaged files must be named";
    } catch (const DictionaryError& e) {
        const QString message = QString::fromUtf8(e.what());
        EXPECT_EQ(message.count(QStringLiteral("已损坏")), 3) << message.toStdString();
        for (const char* name : {"zh2", "zh4", "zh5"})
            EXPECT_TRUE(message.contains(full(at(name)) + QStringLiteral(" 已损坏"))) << name;
        EXPECT_FALSE(message.contains(full(at("zh3"))));
    }
    EXPECT_EQ(two.Candidates(), std::vector<std::string>{g("中国人")});
    two.LookupCode(Ttwo::Scope::Words, "50");
    EXPECT_EQ(two.Candidates(), std::vector<std::string>{g("中国人")});
}

TEST_F(DamagedFiles, DictionaryRecordsAreValidated) {
    const std::string zh1 =
        dicttest::groupBytes(1, {{"1", g("一")}, {"10", g("十")}, {"2", g("二")}});
    struct Row {
        const char* name;
        int group;
        bool byText;
        std::string bytes;
        const char* damage; // "" when sound
    };
    std::string badNibble = zh1;
    badNibble[0] = '\x1A'; // a nibble of 10 after the first digit
    std::string noDigit = zh1;
    noDigit[0] = '\xFF';
    std::string digitAfterEnd = zh1;
    digitAfterEnd[1] = '\xF1';
    const Row rows[] = {
        {"sound, codes as digit strings", 1, false, zh1, ""},
        {"empty", 3, false, "", ""},
        {"six digits", 2, false, dicttest::groupBytes(2, {{"123456", g("中国")}}), ""},
        {"a partial record", 1, false, zh1 + "\x11", "不是记录长度 5 字节的整数倍"},
        {"a nibble of 10", 1, false, badNibble, "第 1 条记录的编码"},
        {"no digit", 1, false, noDigit, "第 1 条记录的编码"},
        {"a digit after the end", 1, false, digitAfterEnd, "第 1 条记录的编码"},
        {"codes out of order", 1, false, dicttest::groupBytes(1, {{"2", g("二")}, {"10", g("十")}}),
         "第 2 条记录不在按编码排列"},
        {"texts in order", 2, true, dicttest::groupBytes(2, {{"9", g("国家")}, {"1", g("中国")}}),
         ""},
        {"texts out of order", 2, true,
         dicttest::groupBytes(2, {{"1", g("中国")}, {"9", g("国家")}}),
         "第 2 条记录不在按字词排列"},
        {"a short text first", 5, true,
         dicttest::groupBytes(5, {{"1", g("一二三四五")}, {"1", g("一二三四五六")}}), ""},
    };
    for (const Row& r : rows) {
        const std::string why = dict::damageOf(r.group, r.byText, r.bytes);
        EXPECT_NE(why.find(r.damage), std::string::npos) << r.name << ": " << why;
        EXPECT_EQ(why.empty(), *r.damage == '\0') << r.name << ": " << why;
    }
    EXPECT_EQ(dict::frequentDamageOf(dicttest::frequentBytes({g("中国")})), "");
    EXPECT_NE(dict::frequentDamageOf(dicttest::frequentBytes({g("中国")}) + "x"), "");
}

// Test files (".tvm").
TEST_F(DamagedFiles, TestFiles) {
    const std::string line = g("中国人民") + std::string(51, ' ') + "\r\r";
    const QByteArray good = QByteArray::fromStdString(line + "\r \r");
    const QString path = at("test.tvm");
    damaged::checkReader(folder(), "test.tvm", good,
                         [&] {
                             return userErrorMessage([&] {
                                 EXPECT_GT(TestText::loadFile(path).articleCharacters(), 0);
                             });
                         },
                         {{Kind::Empty, "没有可以练习的汉字"},
                          {Kind::Truncated, nullptr},
                          {Kind::RandomBytes, ""},
                          {Kind::Huge, "太大"},
                          {Kind::Folder, "文件夹"},
                          {Kind::Fifo, "不是普通文件"},
                          {Kind::NoPermission, "没有访问权限"}});
}

// The training's exercise files, each with its own record layout: Start is
// refused with the file's name and, for damage, its first bad record; or the
// records there are drawn; never a wait. The training opens them in the
// program folder by their full paths, which the messages give.
TEST_F(DamagedFiles, ExerciseFiles) {
    ASSERT_TRUE(QDir(folder()).mkdir("hzlib"));
    for (int k = 3; k <= 11; ++k) {
        const training::KindInfo& info = training::kind(training::exerciseKind(k));
        SCOPED_TRACE(info.source);
        // Five records of a right-aligned code and characters filling the text.
        QByteArray good;
        for (int i = 0; i < 5; ++i) {
            std::string text;
            for (int c = 0; c < info.textBytes / 2; ++c)
                text += gbkTestChar(i + c);
            const std::string code = std::to_string(100 + i);
            good +=
                QByteArray::fromStdString(code + std::string(6 - code.size(), ' ') + text + "\r\n");
        }
        ASSERT_EQ(good.size(), 5 * info.recordLength);
        const QString name = QString::fromLatin1(info.source);
        damaged::checkReader(folder(), name, good,
                             [&] {
                                 return userErrorMessage([&] {
                                     const training::ExerciseFile file(
                                         QDir(folder()).filePath(name), info.recordLength,
                                         info.textBytes, info.textTrimmed);
                                     EXPECT_EQ(file.recordCount(), 5);
                                 });
                             },
                             {{Kind::Empty, "太短"},
                              {Kind::Truncated, nullptr},
                              {Kind::RandomBytes, "已损坏：第 1 条记录"},
                              {Kind::Huge, "太大"},
                              {Kind::Folder, "文件夹"},
                              {Kind::Fifo, "不是普通文件"},
                              {Kind::NoPermission, "没有访问权限"}});
    }
}

TEST_F(DamagedFiles, ExerciseRecordsAreValidatedOneByOne) {
    const std::string zhong = g("中"), guo = g("国");
    struct Row {
        const char* name;
        std::string bytes;
        int recordLength, textBytes;
        bool trimmed;
        const char* damage; // "" when sound
    };
    const Row rows[] = {
        {"a sound record", "12345 " + zhong + "\r\n", 10, 2, false, ""},
        {"six digits", "123456" + zhong + "\r\n", 10, 2, false, ""},
        {"blanks and tabs around the code", "\t99\x01  " + zhong + "\r\n", 10, 2, false, ""},
        {"the last record without its LF", "1     " + zhong + "\r\n2     " + guo + "\r", 10, 2,
         false, ""},
        {"a trimmed text shorter than its field", "1234  " + zhong + guo + "    \r\n", 16, 8, true,
         ""},
        {"a letter in the code", "12a4  " + zhong + "\r\n", 10, 2, false,
         "第 1 条记录的编码不是 1 到 6 位数字"},
        {"a blank inside the code", "12 4  " + zhong + "\r\n", 10, 2, false, "第 1 条记录的编码"},
        {"no code", "      " + zhong + "\r\n", 10, 2, false, "第 1 条记录的编码"},
        {"the second record", "1     " + zhong + "\r\n2x    " + guo + "\r\n", 10, 2, false,
         "第 2 条记录的编码"},
        {"a text that is not GBK", "42    \xFF\x80\x81\x20\r\n", 12, 4, false,
         "第 1 条记录的文字不是完整的汉字（GBK）"},
        {"a character cut in half", "42    " + zhong + "\xD6 \r\n", 12, 4, false,
         "第 1 条记录的文字"},
        {"ASCII in the text", "42    " + zhong + "ab\r\n", 12, 4, false, "第 1 条记录的文字"},
        {"a blank text", "42    " + std::string(8, ' ') + "\r\n", 16, 8, true, "第 1 条记录的文字"},
    };
    for (const Row& r : rows) {
        const training::ExerciseFile file(r.bytes, r.recordLength, r.textBytes, r.trimmed);
        const QString why = file.damage();
        EXPECT_TRUE(why.contains(QString::fromUtf8(r.damage)))
            << r.name << ": " << why.toStdString();
        EXPECT_EQ(why.isEmpty(), *r.damage == '\0') << r.name << ": " << why.toStdString();
    }
}

// The source tables of `tarvo-dict build`: a refused table writes no dictionary.
TEST_F(DamagedFiles, DictionarySourceTables) {
    const QByteArray good = QStringLiteral("5\t中国\t100\n").toUtf8(); // tables are UTF-8
    for (const char* table : {"chars.txt", "frequent.txt"}) {
        QFile f(at(table));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(table == std::string("chars.txt") ? "1\t\xE4\xB8\x80\n" : "");
    }
    QTemporaryDir out;
    damaged::checkReader(folder(), "words.txt", good,
                         [&] {
                             QDir(out.path()).removeRecursively();
                             QDir().mkpath(out.path());
                             try {
                                 dict::compileDictionary(folder().toStdString(),
                                                         out.path().toStdString());
                                 return QString();
                             } catch (const dict::CompileError& e) {
                                 EXPECT_TRUE(QDir(out.path()).isEmpty()) << "nothing written";
                                 return QString::fromStdString(e.what());
                             }
                         },
                         {{Kind::Empty, nullptr},
                          {Kind::Truncated, nullptr},
                          {Kind::RandomBytes, ""},
                          {Kind::Huge, "太大"},
                          {Kind::Folder, "文件夹"},
                          {Kind::Fifo, "不是普通文件"},
                          {Kind::NoPermission, "没有访问权限"}});
}

// Texts converted into test files: a refused source writes nothing.
TEST_F(DamagedFiles, ConversionSources) {
    const QByteArray good = QByteArray::fromStdString(g("中国人民，学习。"));
    const QString path = at("source.txt");
    damaged::checkReader(
        folder(), "source.txt", good,
        [&] {
            try {
                conversion::convertFile(path.toStdString());
                return QString();
            } catch (const UserError& e) {
                EXPECT_FALSE(QFile::exists(at("source.tvm")));
                return e.message();
            }
        },
        {{Kind::Empty, "没有可以转换的汉字"},
         {Kind::Truncated, nullptr},
         {Kind::RandomBytes, ""},
         {Kind::Huge, "太大"},
         {Kind::Folder, "文件夹"},
         {Kind::Fifo, "不是普通文件"},
         {Kind::NoPermission, "没有访问权限"}},
        [&](Kind) { QFile::remove(at("source.tvm")); },
        [](Kind) { return std::set<QString>{"source.tvm"}; });
}

// "Server.ini".
TEST_F(DamagedFiles, ServerIni) {
    const QByteArray good("[ServerSetup]\r\nAddress=http://school.example.org/r.asp\r\n");
    damaged::checkReader(folder(), "Server.ini", good,
                         [&] {
                             return userErrorMessage(
                                 [&] { EXPECT_TRUE(resultsAddress(folder() + u'/').has_value()); });
                         },
                         {{Kind::Empty, nullptr},
                          {Kind::Truncated, nullptr},
                          {Kind::RandomBytes, nullptr},
                          {Kind::Huge, "太大"},
                          {Kind::Folder, "文件夹"},
                          {Kind::Fifo, "不是普通文件"},
                          {Kind::NoPermission, "没有访问权限"}});
}

TEST(WebAddress, OnlyHttpAndHttpsAreOpened) {
    struct Row {
        const char* address;
        bool opens;
    };
    const Row rows[] = {
        {"http://tarvo.example.com/tvm.asp?lxid=4", true},
        {"HTTPS://school.example.org/r.asp?a=1,2", true},
        {"  http://h/x  ", true},
        {"file:///etc/shadow", false},
        {"/etc/shadow", false},
        {"javascript:alert(1)", false},
        {"ftp://h/x", false},
        {"mailto:a@b.c", false},
        {"http:///nohost", false},
        {"", false},
        {"tarvo.example.com", false},
    };
    for (const Row& r : rows)
        EXPECT_EQ(webAddress(QString::fromUtf8(r.address)).has_value(), r.opens) << r.address;
    EXPECT_EQ(webAddress("https://h/p?q=1")->toString(), QStringLiteral("https://h/p?q=1"));
}

// Every writer on a full disk: the file that was there stays byte for byte
// (a missing one stays missing), no temporary file is left, and the learner
// is told which file failed, by its full path.
TEST_F(DamagedFiles, AFullDiskLosesNothing) {
    const QByteArray records = QByteArray(165, ' ') + g("小明").c_str() + "      99999";
    struct Writer {
        const char* name;
        const char* file;
        QByteArray before; // empty: no file before
        rlim_t room;       // the bytes a file may grow to
        std::function<void(const QString&)> write;
        const char* says;
    };
    const std::vector<Writer> writers = {
        {"a score in the top ten", "record.dat", topTenBytes({{"a", 90}}), 0,
         [](const QString& p) {
             TopTenFile(p).add({"b", 50});
         },
         "无法写入成绩文件 "},
        {"a record holder", "phb.txt", records, 0,
         [](const QString& p) { RecordHoldersFile(p).save_record(2, "Li", "120"); },
         "无法写入纪录文件 "},
        {"重新记名", "phb.txt", records, 0, [](const QString& p) { RecordHoldersFile(p).clear(); },
         "无法写入纪录文件 "},
        {"the CSV export over an earlier one", "训练记录.csv", "earlier export", 0,
         [&](const QString&) { history_csv::exportTo(folder(), {}, {}); }, "无法写入导出文件 "},
        {"a converted article",
         "news.tvm",
         {},
         0,
         [&](const QString&) { conversion::convertFile(at("news.txt").toStdString()); },
         "无法写入测试文件 "},
        // Half a line would join the next result: a short write is taken back.
        {"a warm-up result", "record.txt", "2026-12-5: a 用时：9 成绩：1\r\n", 40,
         [](const QString& p) {
             warmuplog::append(p, QStringLiteral("2026-12-6: 小明 用时：60 成绩：25"));
         },
         "无法写入排行文件 "},
    };
    QFile source(at("news.txt"));
    ASSERT_TRUE(source.open(QIODevice::WriteOnly));
    source.write(QByteArray::fromStdString(g("中国人民")));
    source.close();
    for (const Writer& w : writers) {
        SCOPED_TRACE(w.name);
        const QString path = at(w.file);
        QFile::remove(path);
        if (!w.before.isEmpty()) {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(w.before);
        }
        const damaged::Snapshot before = damaged::snapshot(folder());
        QString message;
        {
            const FullDisk disk(w.room);
            try {
                w.write(path);
            } catch (const UserError& e) {
                message = e.message();
            }
        }
        EXPECT_TRUE(
            message.startsWith(QString::fromUtf8(w.says) + full(path) + QStringLiteral("：")))
            << message.toStdString();
        EXPECT_EQ(damaged::snapshot(folder()), before) << "nothing changed, no temporary file left";
    }
}

// Leftover temporaries of an interrupted atomic write are removed at the next
// start; the file itself, other files and a write in progress are left alone.
TEST(StaleTemporaries, OnlyOldLeftoversOfOurOwnWritesGo) {
    QTemporaryDir dir;
    auto make = [&](const QString& name, int ageSeconds) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("x");
        f.flush(); // or the close would write the time anew
        f.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-ageSeconds),
                      QFileDevice::FileModificationTime);
    };
    make("record.dat", 3600);
    make("record.dat.Ab3xZ9", 3600);  // left by a write cut off at its last step
    make("record.dat.k2LmQ0", 5);     // another copy of the program writing now
    make("record.dat.damaged", 3600); // a damaged list kept for the learner
    make("record.dat.Ab3xZ", 3600);   // not our pattern
    make("record.dat.Ab3xZ90", 3600); // not our pattern
    make("record.txt.Ab3xZ9", 3600);  // not a name we write this way
    QDir(dir.path()).mkdir("record.dat.Folder");
    const QStringList removed = removeStaleTemporaries(dir.path(), {"record.dat"});
    EXPECT_EQ(removed, QStringList{"record.dat.Ab3xZ9"});
    QStringList left = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    left.sort();
    EXPECT_EQ(left, (QStringList{"record.dat", "record.dat.Ab3xZ", "record.dat.Ab3xZ90",
                                 "record.dat.Folder", "record.dat.damaged", "record.dat.k2LmQ0",
                                 "record.txt.Ab3xZ9"}));
    EXPECT_TRUE(removeStaleTemporaries(dir.path() + "/missing", {"record.dat"}).isEmpty());
}

} // namespace
