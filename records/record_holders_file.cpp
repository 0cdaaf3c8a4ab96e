#include "records/record_holders_file.h"

#include "platform/file_error_reason.h"
#include "platform/gbk_codec.h"
#include "platform/user_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

QString shown(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

// Blanks and control characters at both ends go, as a name box's text is trimmed.
QString trimmedName(const QString& name) {
    qsizetype from = 0, to = name.size();
    while (from < to && name[from].unicode() <= 0x20)
        ++from;
    while (to > from && name[to - 1].unicode() <= 0x20)
        --to;
    return name.mid(from, to - from);
}

} // namespace

RecordHoldersFile::Contents RecordHoldersFile::load() const {
    Contents out;
    const QFileInfo info(path_);
    if (!info.exists() && !info.isSymLink()) {
        out.missing = true;
        out.bytes.assign(kFileBytes, ' ');
        return out;
    }
    if (!info.isFile()) {
        out.damage = QStringLiteral("纪录文件 %1 不是普通文件，读不出纪录。").arg(shown(path_));
        return out;
    }
    if (info.size() > kMaxFileBytes) {
        out.damage =
            QStringLiteral("纪录文件 %1 有 %2 字节，太大了，不像纪录文件（应为 %3 字节）。")
                .arg(shown(path_))
                .arg(info.size())
                .arg(kFileBytes);
        return out;
    }
    QFile f(path_);
    if (!f.open(QIODevice::ReadOnly)) {
        out.damage =
            QStringLiteral("无法打开纪录文件 %1：%2").arg(shown(path_), fileErrorReason(f));
        return out;
    }
    const QByteArray bytes = f.read(kMaxFileBytes + 1);
    if (bytes.size() > kMaxFileBytes) {
        out.damage = QStringLiteral("纪录文件 %1 太大了，不像纪录文件（应为 %2 字节）。")
                         .arg(shown(path_))
                         .arg(kFileBytes);
        return out;
    }
    out.bytes.assign(bytes.constData(), static_cast<size_t>(bytes.size()));
    if (bytes.size() < kFileBytes)
        out.damage = QStringLiteral("纪录文件 %1 只有 %2 字节，不完整（应为 %3 字节）。")
                         .arg(shown(path_))
                         .arg(bytes.size())
                         .arg(kFileBytes);
    return out;
}

std::string RecordHoldersFile::alignScore(const QString& score) {
    const std::string s = score.toStdString();
    if (s.size() > static_cast<size_t>(kScoreBytes))
        return {};
    return std::string(static_cast<size_t>(kScoreBytes) - s.size(), ' ') + s;
}

RecordHoldersFile::Judgement RecordHoldersFile::judge_record(int slot, const QString& score) const {
    Judgement out;
    if (slot < 0 || slot >= kSlots)
        return out;
    const Contents c = load();
    if (!c.damage.isEmpty()) {
        out.notice = c.damage + QStringLiteral("这次的成绩不能记入纪录。");
        return out;
    }
    const std::string stored =
        c.bytes.substr(static_cast<size_t>(slot * kSlotBytes + kNameBytes), kScoreBytes);
    // Unsigned bytes, as the stored text is compared: a space sorts below the digits.
    const std::string aligned = alignScore(score);
    const bool better = std::lexicographical_compare(
        stored.begin(), stored.end(), aligned.begin(), aligned.end(), [](char a, char b) {
            return static_cast<unsigned char>(a) < static_cast<unsigned char>(b);
        });
    if (better && !c.missing && !QFileInfo(path_).isWritable()) {
        out.notice = QStringLiteral("纪录文件 %1 不能写入（只读），这次的新纪录无法保存。")
                         .arg(shown(path_));
        return out;
    }
    out.record = better;
    return out;
}

std::string RecordHoldersFile::nameField(const QString& name) {
    const std::string bytes = gbk::fromUnicodeLossy(trimmedName(name));
    size_t end = 0;
    for (size_t i = 0; i < bytes.size();) {
        const size_t width =
            gbk::isLeadByte(static_cast<unsigned char>(bytes[i])) && i + 1 < bytes.size() ? 2 : 1;
        if (i + width > static_cast<size_t>(kNameBytes))
            break;
        i += width;
        end = i;
    }
    return bytes.substr(0, end) + std::string(static_cast<size_t>(kNameBytes) - end, ' ');
}

void RecordHoldersFile::save_record(int slot, const QString& name, const QString& score) const {
    if (slot < 0 || slot >= kSlots)
        return;
    Contents c = load();
    if (!c.damage.isEmpty())
        throw UserError(c.damage + QStringLiteral("纪录没有保存。"));
    std::string scoreBytes = score.toStdString();
    if (scoreBytes.size() < static_cast<size_t>(kScoreBytes))
        scoreBytes.insert(0, static_cast<size_t>(kScoreBytes) - scoreBytes.size(), ' ');
    const std::string field = nameField(name) + scoreBytes.substr(0, kScoreBytes);
    c.bytes.replace(static_cast<size_t>(slot * kSlotBytes), kSlotBytes, field);
    write(c.bytes);
}

void RecordHoldersFile::clear() const {
    const Contents c = load();
    if (c.missing)
        return; // no records yet
    if (c.bytes.empty())
        throw UserError(c.damage + QStringLiteral("纪录没有清除。"));
    write(std::string(c.bytes.size(), ' '));
}

std::array<QString, RecordHoldersFile::kSlots> RecordHoldersFile::rows(const std::string& bytes) {
    std::array<QString, kSlots> out;
    for (int k = 0; k < kSlots; ++k) {
        const size_t at = static_cast<size_t>(k * kSlotBytes);
        if (at < bytes.size())
            out[static_cast<size_t>(k)] =
                gbk::toUnicode(std::string_view(bytes).substr(at, kSlotBytes));
    }
    return out;
}

void RecordHoldersFile::write(const std::string& bytes) const {
    QSaveFile f(path_);
    if (!f.open(QIODevice::WriteOnly) ||
        f.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        !f.commit())
        throw UserError(QStringLiteral("无法写入纪录文件 %1：%2，原来的纪录没有改动。")
                            .arg(shown(path_), fileErrorReason(f)));
}
