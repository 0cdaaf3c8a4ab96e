#include "tools/tarvo_dict/commands.h"

#include "articletest/article_conversion.h"
#include "articletest/article_text.h"
#include "dictionary/dict_compiler.h"
#include "dictionary/dict_format.h"
#include "dictionary/dict_tables.h"
#include "dictionary/dictionary_error.h"
#include "dictionary/read_whole_file.h"
#include "dictionary/segmentation.h"
#include "dictionary/two.h"
#include "platform/gbk_codec.h"

#include <QList>
#include <QString>
#include <QStringDecoder>

#include <algorithm>
#include <ostream>
#include <string_view>

namespace {

const char* const kUsage =
    "用法：\n"
    "  tarvo-dict build SOURCE_DIR HZLIB_DIR      由词表源文件生成词库\n"
    "  tarvo-dict lookup [--dir HZLIB_DIR] (--chars|--words) CODE\n"
    "                                             列出编码（1 至 6 位数字）的候选字或词\n"
    "  tarvo-dict code [--dir HZLIB_DIR] CHARACTER\n"
    "                                             列出一个字的所有编码：先全码，简码标“简码”\n"
    "  tarvo-dict word [--dir HZLIB_DIR] [--frequent] TEXT\n"
    "                                             词库（或高频词表）里有没有这个词：yes 或 no\n"
    "  tarvo-dict dump FILE                       把词库文件逐条列成文字（先检查文件）\n"
    "  tarvo-dict convert SOURCE                  把文本转换成旁边的测试文件，打印字数和编码\n"
    "  tarvo-dict segment [--dir HZLIB_DIR] [--frequent] TESTFILE\n"
    "                                             把测试文件的文章按词库切词，词间加 /\n"
    "选项：--dir HZLIB_DIR 或 --dir=HZLIB_DIR 指定词库文件夹；-- 之后的参数都不当选项。\n"
    "每个命令都可以加 --help。\n";

struct Options {
    std::string dir;
    bool dirGiven = false;
    std::vector<std::string> flags;
    std::vector<std::string> positional;
    bool has(const std::string& f) const {
        for (const auto& x : flags)
            if (x == f)
                return true;
        return false;
    }
};

bool parse(const std::vector<std::string>& args, const std::string& defaultDir, Options& o,
           std::ostream& err) {
    o.dir = defaultDir;
    bool optionsEnded = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (optionsEnded) {
            o.positional.push_back(a);
        } else if (a == "--") {
            optionsEnded = true;
        } else if (a.rfind("--dir=", 0) == 0) {
            o.dir = a.substr(6);
            o.dirGiven = true;
            if (o.dir.empty()) {
                err << "--dir= 后面缺少文件夹\n";
                return false;
            }
        } else if (a == "--dir") {
            if (i + 1 >= args.size()) {
                err << "--dir 后面缺少文件夹\n";
                return false;
            }
            o.dir = args[++i];
            o.dirGiven = true;
        } else if (a.rfind("--", 0) == 0) {
            o.flags.push_back(a);
        } else {
            o.positional.push_back(a);
        }
    }
    return true;
}

std::string utf8(const std::string& gbkBytes) {
    return gbk::toUnicode(gbkBytes).toStdString();
}

// The GBK form of a command-line text, or nullopt when it has no GBK form.
std::optional<std::string> gbkOf(const std::string& utf8Text) {
    return gbk::fromUnicode(QString::fromStdString(utf8Text));
}

int usage(std::ostream& err) {
    err << kUsage;
    return 1;
}

int build(const Options& o, std::ostream& out, std::ostream&) {
    if (o.positional.size() != 2)
        throw dict::CompileError(kUsage);
    auto s = dict::compileDictionary(o.positional[0], o.positional[1]);
    out << "字 " << s.entries[0] << "，二字词 " << s.entries[1] << "，三字词 " << s.entries[2]
        << "，四字词 " << s.entries[3] << "，多字词 " << s.entries[4] << "，高频词 "
        << s.frequentWords << "\n";
    return 0;
}

int lookup(const Options& o, std::ostream& out, std::ostream& err) {
    const bool chars = o.has("--chars");
    if (o.positional.size() != 1 || chars == o.has("--words"))
        return usage(err);
    const std::string& c = o.positional[0];
    if (c.empty() || c.size() > 6 ||
        !std::all_of(c.begin(), c.end(), [](char d) { return d >= '0' && d <= '9'; })) {
        err << "编码 “" << c << "” 不对：应为 1 至 6 位数字\n";
        return 1;
    }
    Ttwo two(o.dir);
    two.LookupCode(chars ? Ttwo::Scope::Characters : Ttwo::Scope::Words, c);
    for (const std::string& c : two.Candidates())
        out << utf8(c) << "\n";
    return 0;
}

int code(const Options& o, std::ostream& out, std::ostream& err) {
    if (o.positional.size() != 1)
        return usage(err);
    auto ch = gbkOf(o.positional[0]);
    if (!ch || ch->size() != 2) {
        err << "“" << o.positional[0] << "” 不是一个汉字\n";
        return 1;
    }
    Ttwo two(o.dir);
    // Every code, the full code first, the short codes marked.
    const std::string full = two.FullCodeOfChar(*ch);
    if (full.empty()) {
        err << "词库里没有“" << o.positional[0] << "”\n";
        return 1;
    }
    out << full << "\n";
    for (const std::string& c : two.CodesOfChar(*ch))
        if (c != full)
            out << c << (c.size() < full.size() ? "\t简码" : "") << "\n";
    return 0;
}

int word(const Options& o, std::ostream& out, std::ostream& err) {
    if (o.positional.size() != 1)
        return usage(err);
    Ttwo two(o.dir);
    const QString text = QString::fromStdString(o.positional[0]);
    auto bytes = gbkOf(o.positional[0]);
    bool found = false;
    if (bytes) {
        found = o.has("--frequent") ? two.IsFrequentWord(*bytes)
                                    : two.HasWord(static_cast<int>(text.toUcs4().size()), *bytes);
    }
    out << (found ? "yes" : "no") << "\n";
    return 0;
}

// Prints a dictionary file as text: code, tab, text per record; gpc.txt as its words.
int dump(const Options& o, std::ostream& out, std::ostream& err) {
    if (o.positional.size() != 1)
        return usage(err);
    const std::string& path = o.positional[0];
    const std::string bytes = readWholeFile(path);
    const std::string name = path.substr(path.find_last_of('/') + 1);
    if (name == Ttwo::kFrequentFile) {
        if (const std::string why = dict::frequentDamageOf(bytes); !why.empty()) {
            err << "词库文件 " << path << " 已损坏（" << why << "）\n";
            return 1;
        }
        for (size_t i = 0; i + dict::kFrequentRecordSize <= bytes.size();
             i += dict::kFrequentRecordSize)
            out << utf8(bytes.substr(i + dict::kFrequentWordOffset, dict::kFrequentWordBytes))
                << "\n";
        return 0;
    }
    if (name.size() < 3 || name.compare(0, 2, "zh") != 0 || name[2] < '1' || name[2] > '5') {
        err << "不认识的词库文件名：" << name << "（应为 zh1 … zh5、zh1.hz … zh5.hz 或 gpc.txt）\n";
        return 1;
    }
    // Checked as the program checks it: garbage is refused, not printed.
    const bool byText = name.size() > 3 && name.compare(3, std::string::npos, ".hz") == 0;
    if (const std::string why = dict::damageOf(name[2] - '0', byText, bytes); !why.empty()) {
        err << "词库文件 " << path << " 已损坏（" << why << "）\n";
        return 1;
    }
    dict::GroupFile file(name[2] - '0', bytes);
    for (int64_t i = 0; i < file.recordCount(); ++i)
        out << dict::decodeCode(file.record(i)) << "\t" << utf8(file.candidateText(i)) << "\n";
    return 0;
}

// Converts a text into a test file beside it, as the test window's menu does.
int convert(const Options& o, std::ostream& out, std::ostream& err) {
    if (o.positional.size() != 1)
        return usage(err);
    const auto result = conversion::convertFile(o.positional[0]);
    out << result.characters << "\t" << conversion::encodingName(result.encoding) << "\n";
    return 0;
}

// Prints the article of a test file with the dictionary words separated by
// "/": all words of 2 to 9 characters, or with --frequent only the
// two-character words of the high-frequency list, as the test window's choice.
int segment(const Options& o, std::ostream& out, std::ostream& err) {
    if (o.positional.size() != 1)
        return usage(err);
    // A test file is GBK: a text in UTF-8 (not yet converted) would be cut
    // into nonsense.
    const std::string raw = readWholeFile(o.positional[0]);
    QStringDecoder asUtf8(QStringDecoder::Utf8);
    const QString decoded = asUtf8(QByteArrayView(raw.data(), static_cast<qsizetype>(raw.size())));
    if (!asUtf8.hasError() && !decoded.isEmpty() && std::any_of(raw.begin(), raw.end(), [](char c) {
            return static_cast<unsigned char>(c) >= 0x80;
        })) {
        err << o.positional[0] << " 是 UTF-8 文本，不是测试文件：请先用 tarvo-dict convert 转换\n";
        return 1;
    }
    const TestText text = TestText::loadFile(QString::fromStdString(o.positional[0]));
    const auto lines = segmentation::articleLines(text.lines());
    Ttwo two(o.dir);
    const bool frequentOnly = o.has("--frequent");
    const auto runs = segmentation::segment(
        lines,
        [&](int n, std::string_view w) {
            return frequentOnly ? n == 2 && two.IsFrequentWord(w) : two.HasWord(n, w);
        },
        [](int) {});
    for (const std::string& line : segmentation::joinWithSlashes(lines, runs)) {
        if (!line.empty())
            out << utf8(line) << "\n";
    }
    return 0;
}

// The commands, the options each takes ("--dir" stands for "--dir
// HZLIB_DIR") and what runs them. Looked up by name at run time, so the names
// stay whole strings in the program.
struct Command {
    std::string_view name;
    std::vector<std::string> options;
    int (*run)(const Options& o, std::ostream& out, std::ostream& err);
};

const Command* commandNamed(const std::string& name) {
    static const std::vector<Command> commands = {
        {"build", {}, build},
        {"lookup", {"--dir", "--chars", "--words"}, lookup},
        {"code", {"--dir"}, code},
        {"word", {"--dir", "--frequent"}, word},
        {"dump", {}, dump},
        {"convert", {}, convert},
        {"segment", {"--dir", "--frequent"}, segment},
    };
    for (const Command& c : commands)
        if (c.name == name)
            return &c;
    return nullptr;
}

// False, after the message and the usage text, when `o` holds an option that
// `cmd` (nullptr: an unknown command, which takes none) does not take.
bool optionsFit(const std::string& name, const Command* cmd, const Options& o, std::ostream& err) {
    auto takes = [&](const std::string& f) {
        return cmd && std::find(cmd->options.begin(), cmd->options.end(), f) != cmd->options.end();
    };
    std::vector<std::string> given = o.flags;
    if (o.dirGiven)
        given.push_back("--dir");
    for (const std::string& f : given) {
        if (!takes(f)) {
            err << "命令 " << name << " 不认识选项 " << f << "\n";
            usage(err);
            return false;
        }
    }
    return true;
}

} // namespace

int runTarvoDict(const std::vector<std::string>& args, const std::string& defaultDictDir,
                 std::ostream& out, std::ostream& err) {
    if (args.empty())
        return usage(err);
    // --help alone or after a command: the usage, and a failed write fails.
    if (args[0] == "--help" || args[0] == "-h" ||
        (args.size() == 2 && (args[1] == "--help" || args[1] == "-h"))) {
        out << kUsage;
        out.flush();
        return out ? 0 : 1;
    }
    if (args[0] == "--version") {
        out << "tarvo-dict " TARVO_VERSION "\n";
        return 0;
    }
    Options o;
    if (!parse(args, defaultDictDir, o, err))
        return 1;
    const std::string& name = args[0];
    const Command* cmd = commandNamed(name);
    if (!optionsFit(name, cmd, o, err))
        return 1;
    try {
        if (cmd)
            return cmd->run(o, out, err);
    } catch (const std::exception& e) {
        err << e.what() << "\n";
        return 1;
    }
    err << "不认识的命令：" << name << "\n";
    return usage(err);
}
