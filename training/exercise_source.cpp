#include "training/exercise_source.h"

#include "platform/gbk_codec.h"
#include "platform/regular_file.h"
#include "platform/user_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace training {

QString CodeFromFileName(const QString& path) {
    if (path.size() <= 4)
        return QString();
    int i = path.size() - 5; // the character before the extension
    while (i >= 0 && !path[i].isDigit())
        --i;
    const int end = i + 1;
    while (i >= 0 && path[i].isDigit())
        --i;
    return path.mid(i + 1, end - (i + 1));
}

QStringList ListPictures(const QString& folder) {
    QStringList out;
    const QDir dir(folder);
    const QStringList names = dir.entryList({QStringLiteral("*.bmp")},
                                            QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& name : names) {
        const QString path = folder + u'/' + name;
        if (QFileInfo(path).isFile())
            out << path;
    }
    return out;
}

std::string trimBlanks(const std::string& bytes) {
    size_t b = 0, e = bytes.size();
    while (b < e && static_cast<unsigned char>(bytes[b]) <= 0x20)
        ++b;
    while (e > b && static_cast<unsigned char>(bytes[e - 1]) <= 0x20)
        --e;
    return bytes.substr(b, e - b);
}

namespace {
// The largest exercise file read: the shipped ones are below 1 MB.
constexpr qint64 kMaxExerciseBytes = 16 * 1024 * 1024;

std::string readExerciseFile(const QString& path) {
    // Only a regular file within the limit: a FIFO in its place would hold
    // Start for ever, a huge file fill the memory.
    const regularfile::Contents c = regularfile::read(path, kMaxExerciseBytes);
    if (c.status == regularfile::Contents::Status::Missing)
        throw UserError(QStringLiteral("无法打开练习文件“%1”，不能开始练习。")
                            .arg(regularfile::fullPath(path)));
    if (!c.ok())
        throw UserError(QStringLiteral("练习文件“%1”读不出来（%2），不能开始练习。")
                            .arg(regularfile::fullPath(path), c.reason));
    return c.bytes.toStdString();
}
} // namespace

ExerciseFile::ExerciseFile(const QString& path, int recordLength, int textBytes, bool textTrimmed)
    : ExerciseFile(readExerciseFile(path), recordLength, textBytes, textTrimmed) {
    if (recordCount() < 1)
        throw UserError(QStringLiteral("练习文件“%1”太短，连一条记录也没有，不能开始练习。")
                            .arg(regularfile::fullPath(path)));
    // A damaged record would give the keypad a code it cannot type: the
    // file is refused before a run starts.
    const QString why = damage();
    if (!why.isEmpty())
        throw UserError(QStringLiteral("练习文件“%1”已损坏：%2，不能开始练习。")
                            .arg(regularfile::fullPath(path), why));
}

ExerciseFile::ExerciseFile(std::string bytes, int recordLength, int textBytes, bool textTrimmed)
    : bytes_(std::move(bytes)), length_(recordLength), textBytes_(textBytes),
      trimmed_(textTrimmed) {}

int ExerciseFile::recordCount(qint64 fileSize, int recordLength) {
    return recordLength > 0 ? static_cast<int>((fileSize + 1) / recordLength) : 0;
}

ItemRecord ExerciseFile::LoadItemRecord(qint64 offset) const {
    auto field = [this](qint64 at, int size) {
        if (at < 0 || at >= static_cast<qint64>(bytes_.size()))
            return std::string();
        return bytes_.substr(static_cast<size_t>(at), static_cast<size_t>(size));
    };
    ItemRecord r;
    r.code = trimBlanks(field(offset, 6));
    r.text = field(offset + 6, textBytes_);
    if (trimmed_)
        r.text = trimBlanks(r.text);
    return r;
}

namespace {
bool isCode(const std::string& code) {
    return !code.empty() && code.size() <= 6 &&
           std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool isWholeCharacters(const std::string& text) {
    if (text.empty() || text.size() % 2 != 0)
        return false;
    for (size_t i = 0; i < text.size(); i += 2)
        if (!gbk::isDoubleByteChar(static_cast<unsigned char>(text[i]),
                                   static_cast<unsigned char>(text[i + 1])))
            return false;
    return true;
}
} // namespace

QString ExerciseFile::damage() const {
    for (int r = 0; r < recordCount(); ++r) {
        const ItemRecord rec = LoadItemRecord(static_cast<qint64>(r) * length_);
        const QString where = QStringLiteral("第 %1 条记录").arg(r + 1);
        if (!isCode(rec.code))
            return where + QStringLiteral("的编码不是 1 到 6 位数字");
        if (!isWholeCharacters(rec.text))
            return where + QStringLiteral("的文字不是完整的汉字（GBK）");
    }
    return QString();
}

} // namespace training
