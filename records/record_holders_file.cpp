#include "records/record_holders_file.h"

#include "platform/damaged_copy.h"
#include "platform/gbk_codec.h"
#include "platform/regular_file.h"
#include "platform/safe_write.h"
#include "platform/user_error.h"

#include <QFileInfo>

#include <algorithm>

namespace {

QString shown(const QString& path) {
    return regularfile::fullPath(path);
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

QString RecordHoldersFile::damageOf(const std::string& bytes) {
    if (bytes.size() < static_cast<size_t>(kFileBytes))
        return QStringLiteral("只有 %1 字节，不完整，应为 %2 字节")
            .arg(bytes.size())
            .arg(kFileBytes);
    for (int k = 0; k < kSlots; ++k) {
        const std::string_view slot = std::string_view(bytes).substr(k * kSlotBytes, kSlotBytes);
        int invalid = 0;
        gbk::toUnicode(slot.substr(0, kNameBytes), &invalid);
        if (invalid != 0)
            return QStringLiteral("第 %1 条纪录的姓名不是汉字编码（GBK）").arg(k + 1);
        // A score is right-aligned digits after spaces, or only spaces.
        const std::string_view score = slot.substr(kNameBytes);
        const size_t digits = score.find_first_not_of(' ');
        if (digits != std::string_view::npos &&
            score.find_first_not_of("0123456789", digits) != std::string_view::npos)
            return QStringLiteral("第 %1 条纪录的成绩不是数字").arg(k + 1);
    }
    return {};
}

RecordHoldersFile::Contents RecordHoldersFile::load() const {
    Contents out;
    const std::string blank(kFileBytes, ' ');
    const auto file = regularfile::read(path_, kMaxFileBytes);
    if (file.status == regularfile::Contents::Status::Missing) {
        out.missing = true;
        out.bytes = blank;
        return out;
    }
    const bool tooLarge = file.size > kMaxFileBytes;
    if (!file.ok() && !tooLarge) {
        out.damage = QStringLiteral("无法读取纪录文件 %1：%2。").arg(shown(path_), file.reason);
        return out;
    }
    out.bytes.assign(file.bytes.constData(), static_cast<size_t>(file.bytes.size()));
    const QString why = tooLarge ? file.reason : damageOf(out.bytes);
    if (why.isEmpty())
        return out;
    const damagedcopy::Moved moved = damagedcopy::setAside(path_);
    if (!moved.ok()) {
        out.damage = QStringLiteral("纪录文件 %1 已损坏（%2），无法改名保存（%3）。")
                         .arg(shown(path_), why, moved.reason);
        return out;
    }
    out.notice = QStringLiteral("纪录文件 %1 已损坏（%2），已改名保存为 %3，纪录重新开始。")
                     .arg(shown(path_), why, moved.copy);
    out.bytes = blank;
    try {
        write(blank);
    } catch (const UserError& e) {
        out.missing = true; // the first record makes it
        out.notice += e.message();
    }
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
    out.notice = c.notice;
    const std::string stored =
        c.bytes.substr(static_cast<size_t>(slot * kSlotBytes + kNameBytes), kScoreBytes);
    // Unsigned bytes, as the stored text is compared: a space sorts below the digits.
    const std::string aligned = alignScore(score);
    const bool better = std::lexicographical_compare(
        stored.begin(), stored.end(), aligned.begin(), aligned.end(), [](char a, char b) {
            return static_cast<unsigned char>(a) < static_cast<unsigned char>(b);
        });
    if (better && !c.missing && !QFileInfo(path_).isWritable()) {
        out.notice += QStringLiteral("纪录文件 %1 不能写入（只读），这次的新纪录无法保存。")
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
    if (!c.damage.isEmpty())
        throw UserError(c.damage + QStringLiteral("纪录没有清除。"));
    write(std::string(std::max(c.bytes.size(), static_cast<size_t>(kFileBytes)), ' '));
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
    safewrite::replaceFile(path_, bytes, QStringLiteral("纪录文件"));
}
