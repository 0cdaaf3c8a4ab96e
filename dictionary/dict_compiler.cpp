#include "dictionary/dict_compiler.h"

#include "dictionary/dict_format.h"
#include "platform/gbk_codec.h"
#include "platform/regular_file.h"
#include "platform/safe_write.h"
#include "platform/user_error.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <vector>

namespace dict {
namespace {

struct Entry {
    std::string code;
    std::string text; // GBK
    long long frequency = 0;
};

[[noreturn]] void rowError(const QString& file, int line, const QString& what) {
    throw CompileError(
        QStringLiteral("%1 第 %2 行：%3").arg(file).arg(line).arg(what).toStdString());
}

bool isCode(const QString& s) {
    if (s.isEmpty() || s.size() > kMaxCodeDigits)
        return false;
    return std::all_of(s.begin(), s.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// The largest source table read (the shipped ones are a few MB).
constexpr qint64 kMaxSourceBytes = 64 * 1024 * 1024;

// Reads the rows of one table; `frequentTable` rows are code + word only.
std::vector<Entry> readTable(const QString& dir, const QString& name, bool frequentTable) {
    const QString path = QDir(dir).filePath(name);
    // Only a regular file within the limit: a FIFO given as a source table
    // is refused at once instead of waiting for a writer.
    const regularfile::Contents c = regularfile::read(path, kMaxSourceBytes);
    if (!c.ok())
        throw CompileError(
            QStringLiteral("无法读取词库源文件 %1（%2）").arg(path, c.reason).toStdString());
    std::vector<Entry> rows;
    int lineNo = 0;
    for (qsizetype at = 0; at < c.bytes.size();) {
        qsizetype end = c.bytes.indexOf('\n', at);
        if (end < 0)
            end = c.bytes.size();
        const QByteArray raw = c.bytes.mid(at, end - at);
        at = end + 1;
        ++lineNo;
        QString line = QString::fromUtf8(raw).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.contains(QChar::ReplacementCharacter))
            rowError(path, lineNo, QStringLiteral("不是有效的 UTF-8 文本"));
        const QStringList fields = line.split(u'\t');
        if (fields.size() < 2 || fields.size() > (frequentTable ? 2 : 3))
            rowError(path, lineNo,
                     frequentTable ? QStringLiteral("应为“编码<Tab>词语”两栏")
                                   : QStringLiteral("应为“编码<Tab>字词[<Tab>频度]”"));
        const QString code = fields[0].trimmed();
        if (!isCode(code))
            rowError(path, lineNo, QStringLiteral("编码“%1”不是1到6位数字").arg(code));
        const QString text = fields[1].trimmed();
        if (text.isEmpty())
            rowError(path, lineNo, QStringLiteral("缺少字词"));
        auto gbkText = gbk::fromUnicode(text);
        if (!gbkText)
            rowError(path, lineNo, QStringLiteral("“%1”含有 GBK 中没有的字符").arg(text));
        if (gbkText->size() > static_cast<size_t>(textWidth(kGroups)))
            rowError(path, lineNo, QStringLiteral("“%1”太长：词条最多13个汉字").arg(text));
        if (frequentTable && gbkText->size() != static_cast<size_t>(kFrequentWordBytes))
            rowError(path, lineNo, QStringLiteral("“%1”不是两个汉字的词").arg(text));
        Entry e{code.toStdString(), std::move(*gbkText), 0};
        if (fields.size() == 3) {
            bool ok = false;
            e.frequency = fields[2].trimmed().toLongLong(&ok);
            if (!ok || e.frequency < 0)
                rowError(path, lineNo, QStringLiteral("频度“%1”不是非负整数").arg(fields[2]));
        }
        rows.push_back(std::move(e));
    }
    return rows;
}

int groupOfText(const std::string& gbkText) {
    const int chars = static_cast<int>((gbkText.size() + 1) / 2);
    return groupOfLength(chars);
}

void writeFile(const QString& dir, const std::string& name, const std::string& bytes) {
    const QString path = QDir(dir).filePath(QString::fromStdString(name));
    try {
        safewrite::replaceFile(path, bytes, QStringLiteral("词库文件"));
    } catch (const UserError& e) {
        throw CompileError(e.message().toStdString());
    }
}

std::string groupBytes(int group, const std::vector<const Entry*>& entries) {
    const int width = textWidth(group);
    std::string out;
    out.reserve(entries.size() * static_cast<size_t>(recordSize(group)));
    for (const Entry* e : entries) {
        auto packed = packCode(e->code);
        out.append(reinterpret_cast<const char*>(packed.data()), packed.size());
        out.append(e->text);
        out.append(static_cast<size_t>(width) - e->text.size(), '\xFF');
    }
    return out;
}

} // namespace

CompileSummary compileDictionary(const std::string& sourceDir, const std::string& outDir) {
    const QString src = QString::fromStdString(sourceDir);
    const QString out = QString::fromStdString(outDir);
    std::vector<Entry> entries = readTable(src, QStringLiteral("chars.txt"), false);
    std::vector<Entry> words = readTable(src, QStringLiteral("words.txt"), false);
    entries.insert(entries.end(), std::make_move_iterator(words.begin()),
                   std::make_move_iterator(words.end()));
    const std::vector<Entry> frequent = readTable(src, QStringLiteral("frequent.txt"), true);

    if (!QDir().mkpath(out))
        throw CompileError(QStringLiteral("无法建立词库文件夹 %1").arg(out).toStdString());

    CompileSummary summary;
    for (int g = 1; g <= kGroups; ++g) {
        std::vector<const Entry*> group;
        for (const Entry& e : entries) {
            if (groupOfText(e.text) == g)
                group.push_back(&e);
        }
        summary.entries[g - 1] = static_cast<int>(group.size());

        std::stable_sort(group.begin(), group.end(), [](const Entry* a, const Entry* b) {
            int c = compare(a->code, b->code);
            return c != 0 ? c < 0 : a->frequency > b->frequency;
        });
        writeFile(out, "zh" + std::to_string(g), groupBytes(g, group));

        std::stable_sort(group.begin(), group.end(), [](const Entry* a, const Entry* b) {
            return compare(a->text, b->text) < 0;
        });
        writeFile(out, "zh" + std::to_string(g) + ".hz", groupBytes(g, group));
    }

    // 12-byte records: the code padded to 6 bytes, the word, CR LF.
    std::string gpc;
    for (const Entry& e : frequent) {
        std::string code = e.code;
        code.resize(kFrequentWordOffset, ' ');
        gpc += code + e.text + "\r\n";
    }
    writeFile(out, "gpc.txt", gpc);
    summary.frequentWords = static_cast<int>(frequent.size());
    return summary;
}

} // namespace dict
