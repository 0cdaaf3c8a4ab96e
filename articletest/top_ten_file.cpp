#include "articletest/top_ten_file.h"

#include "platform/damaged_copy.h"
#include "platform/gbk_codec.h"
#include "platform/regular_file.h"
#include "platform/safe_write.h"
#include "platform/user_error.h"

#include <QFile>

#include <algorithm>

namespace {

int32_t scoreAt(const unsigned char* r) {
    return static_cast<int32_t>(static_cast<uint32_t>(r[20]) | (static_cast<uint32_t>(r[21]) << 8) |
                                (static_cast<uint32_t>(r[22]) << 16) |
                                (static_cast<uint32_t>(r[23]) << 24));
}

} // namespace

QString TopTenFile::damage(std::string_view bytes) {
    if (bytes.size() % kRecordSize != 0)
        return QStringLiteral("文件大小 %1 字节不是 %2 字节的整数倍")
            .arg(bytes.size())
            .arg(kRecordSize);
    if (bytes.size() > static_cast<size_t>(kRecordSize * kMaxEntries))
        return QStringLiteral("文件有 %1 字节，超过了十条记录").arg(bytes.size());
    int32_t previous = kMaxScore;
    for (size_t at = 0, n = 1; at < bytes.size(); at += kRecordSize, ++n) {
        const auto* r = reinterpret_cast<const unsigned char*>(bytes.data() + at);
        if (r[0] > kNameBytes)
            return QStringLiteral("第 %1 条记录的姓名长度 %2 超过 %3")
                .arg(n)
                .arg(r[0])
                .arg(kNameBytes);
        int invalid = 0;
        gbk::toUnicode(std::string_view(bytes.data() + at + 1, r[0]), &invalid);
        if (invalid != 0)
            return QStringLiteral("第 %1 条记录的姓名不是汉字编码（GBK）").arg(n);
        const int32_t score = scoreAt(r);
        if (score < 0 || score > kMaxScore)
            return QStringLiteral("第 %1 条记录的成绩 %2 不合理").arg(n).arg(score);
        if (score > previous)
            return QStringLiteral("第 %1 条记录的成绩比前一条高，次序乱了").arg(n);
        previous = score;
    }
    return {};
}

std::vector<TopTenFile::Entry> TopTenFile::parse(std::string_view bytes) {
    std::vector<Entry> out;
    for (size_t at = 0; at + kRecordSize <= bytes.size() && out.size() < kMaxEntries;
         at += kRecordSize) {
        const auto* r = reinterpret_cast<const unsigned char*>(bytes.data() + at);
        Entry e;
        e.name.assign(bytes.data() + at + 1, std::min<size_t>(r[0], kNameBytes));
        e.score = scoreAt(r);
        out.push_back(std::move(e));
    }
    return out;
}

QString TopTenFile::setAside(const QString& why) const {
    const QString shown = regularfile::fullPath(path_);
    const damagedcopy::Moved moved = damagedcopy::setAside(path_);
    if (moved.ok())
        return QStringLiteral("成绩文件 %1 已损坏（%2），已改名保存为 %3，成绩榜重新开始。")
            .arg(shown, why, moved.copy);
    return QStringLiteral("成绩文件 %1 已损坏（%2），无法改名保存（%3），新成绩不会写进它。")
        .arg(shown, why, moved.reason);
}

TopTenFile::Loaded TopTenFile::load() const {
    // One byte more than a full list tells an oversized file without reading it all.
    const auto file = regularfile::readTail(path_, kRecordSize * kMaxEntries + 1);
    Loaded out;
    if (file.status == regularfile::Contents::Status::Missing)
        return out; // no scores yet
    if (!file.ok())
        throw UserError(QStringLiteral("无法读取成绩文件 %1：%2")
                            .arg(regularfile::fullPath(path_), file.reason));
    const std::string_view bytes(file.bytes.constData(), static_cast<size_t>(file.bytes.size()));
    QString why =
        file.size > file.bytes.size()
            ? QStringLiteral("文件有 %1，超过了十条记录").arg(regularfile::sizeText(file.size))
            : damage(bytes);
    if (why.isEmpty()) {
        out.entries = parse(bytes);
        return out;
    }
    out.notice = setAside(why);
    out.damagedInPlace = QFile::exists(path_);
    return out;
}

std::vector<TopTenFile::Entry> TopTenFile::read(QString* notice) const {
    Loaded l = load();
    if (notice)
        *notice = l.notice;
    return std::move(l.entries);
}

bool TopTenFile::admits(int32_t speed, QString* notice) const {
    const std::vector<Entry> entries = read(notice);
    const bool lower = std::any_of(entries.begin(), entries.end(),
                                   [&](const Entry& e) { return e.score < speed; });
    return lower || entries.size() < static_cast<size_t>(kMaxEntries);
}

void TopTenFile::add(const Entry& entry, QString* notice) {
    Loaded l = load();
    if (notice)
        *notice = l.notice;
    if (l.damagedInPlace)
        throw UserError(l.notice);
    std::vector<Entry> entries = std::move(l.entries);
    Entry kept = entry;
    kept.score = std::clamp<int32_t>(kept.score, 0, kMaxScore);
    entries.push_back(kept);
    // This exchange sort places the new entry after every equal score.
    const size_t n = entries.size();
    for (size_t i = 0; i < n; ++i)
        for (size_t k = i + 1; k < n; ++k)
            if (entries[i].score < entries[k].score)
                std::swap(entries[i], entries[k]);
    if (entries.size() > static_cast<size_t>(kMaxEntries))
        entries.resize(kMaxEntries);
    write(entries);
}

void TopTenFile::clear() {
    write({});
}

void TopTenFile::write(const std::vector<Entry>& entries) {
    std::string bytes;
    for (const Entry& e : entries) {
        char r[kRecordSize] = {};
        const size_t length = std::min<size_t>(e.name.size(), kNameBytes);
        r[0] = static_cast<char>(length);
        std::copy_n(e.name.data(), length, r + 1);
        const auto s = static_cast<uint32_t>(e.score);
        for (int b = 0; b < 4; ++b)
            r[20 + b] = static_cast<char>((s >> (8 * b)) & 0xFF);
        bytes.append(r, kRecordSize);
    }
    safewrite::replaceFile(path_, bytes, QStringLiteral("成绩文件"));
}

std::string TopTenFile::cutName(const QString& name) {
    const std::string bytes = gbk::fromUnicodeLossy(name);
    size_t end = 0;
    for (size_t i = 0; i < bytes.size();) {
        const size_t width =
            gbk::isLeadByte(static_cast<unsigned char>(bytes[i])) && i + 1 < bytes.size() ? 2 : 1;
        if (i + width > static_cast<size_t>(kNameBytes))
            break;
        i += width;
        end = i;
    }
    return bytes.substr(0, end);
}
