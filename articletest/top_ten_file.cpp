#include "top_ten_file.h"

#include "file_error_reason.h"
#include "gbk_codec.h"
#include "user_error.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>

std::vector<TopTenFile::Entry> TopTenFile::read() const {
    QFile f(path_);
    if (!f.open(QIODevice::ReadOnly))
        throw UserError(QStringLiteral("无法打开成绩文件 %1：%2").arg(path_, fileErrorReason(f)));
    const QByteArray bytes = f.read(kRecordSize * kMaxEntries);
    std::vector<Entry> out;
    for (qsizetype at = 0; at + kRecordSize <= bytes.size(); at += kRecordSize) {
        const auto* r = reinterpret_cast<const unsigned char*>(bytes.constData() + at);
        const int length = std::min<int>(r[0], kNameBytes);
        Entry e;
        e.name.assign(reinterpret_cast<const char*>(r + 1), static_cast<size_t>(length));
        e.score = static_cast<int32_t>(
            static_cast<uint32_t>(r[20]) | (static_cast<uint32_t>(r[21]) << 8) |
            (static_cast<uint32_t>(r[22]) << 16) | (static_cast<uint32_t>(r[23]) << 24));
        out.push_back(std::move(e));
    }
    return out;
}

bool TopTenFile::admits(int32_t speed) const {
    const std::vector<Entry> entries = read();
    const bool lower = std::any_of(entries.begin(), entries.end(),
                                   [&](const Entry& e) { return e.score < speed; });
    return lower || entries.size() < static_cast<size_t>(kMaxEntries);
}

void TopTenFile::add(const Entry& entry) {
    std::vector<Entry> entries = read();
    entries.push_back(entry);
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
    QSaveFile f(path_);
    if (!f.open(QIODevice::WriteOnly) ||
        f.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        !f.commit())
        throw UserError(QStringLiteral("无法写入成绩文件 %1：%2").arg(path_, fileErrorReason(f)));
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
