#include "dictionary/dict_tables.h"

#include "dictionary/dict_format.h"

#include <algorithm>

namespace dict {
namespace {

constexpr int kPrefixFilterBits = 20;

uint32_t foldedWord4(const unsigned char* p) {
    return (uint32_t{foldCase(p[0])} << 24) | (uint32_t{foldCase(p[1])} << 16) |
           (uint32_t{foldCase(p[2])} << 8) | uint32_t{foldCase(p[3])};
}

int foldedChar2(unsigned char a, unsigned char b) {
    return (foldCase(a) << 8) | foldCase(b);
}

// Whether a packed code is 1-6 digits followed only by 0xF nibbles.
bool soundCode(const unsigned char* packed) {
    int digits = 0;
    bool ended = false;
    for (int i = 0; i < 2 * kCodeBytes; ++i) {
        const unsigned nibble = i % 2 == 0 ? packed[i / 2] >> 4 : packed[i / 2] & 0x0F;
        if (!ended && nibble < 10)
            ++digits;
        else if (nibble == 0x0F)
            ended = true;
        else
            return false;
    }
    return digits > 0;
}

std::string_view recordText(const unsigned char* record, int width) {
    const auto* text = reinterpret_cast<const char*>(record + kCodeBytes);
    int len = 0;
    while (len < width && static_cast<unsigned char>(text[len]) != 0xFF)
        ++len;
    return std::string_view(text, static_cast<size_t>(len));
}

} // namespace

std::string damageOf(int group, bool byText, std::string_view bytes) {
    const size_t size = static_cast<size_t>(recordSize(group));
    if (bytes.size() % size != 0)
        return "文件大小 " + std::to_string(bytes.size()) + " 字节不是记录长度 " +
               std::to_string(size) + " 字节的整数倍";
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t count = bytes.size() / size;
    const int width = textWidth(group);
    for (size_t i = 0; i < count; ++i) {
        const unsigned char* r = data + i * size;
        if (!soundCode(r))
            return "第 " + std::to_string(i + 1) + " 条记录的编码不是 1 到 6 位数字";
        if (i == 0)
            continue;
        const unsigned char* before = r - size;
        const bool inOrder = byText ? compare(recordText(before, width), recordText(r, width)) <= 0
                                    : codeKeyOfRecord(before) <= codeKeyOfRecord(r);
        if (!inOrder)
            return "第 " + std::to_string(i + 1) + " 条记录不在" +
                   (byText ? "按字词排列" : "按编码排列") + "的次序上";
    }
    return {};
}

std::string frequentDamageOf(std::string_view bytes) {
    if (bytes.size() % kFrequentRecordSize != 0)
        return "文件大小 " + std::to_string(bytes.size()) + " 字节不是记录长度 " +
               std::to_string(kFrequentRecordSize) + " 字节的整数倍";
    return {};
}

GroupFile::GroupFile(int group, std::string bytes)
    : bytes_(std::move(bytes)), group_(group), size_(recordSize(group)),
      count_(static_cast<int64_t>(bytes_.size()) / size_) {}

void GroupFile::buildCodeKeys() const {
    keys_.resize(static_cast<size_t>(count_));
    for (int64_t i = 0; i < count_; ++i)
        keys_[static_cast<size_t>(i)] = codeKeyOfRecord(record(i));
    hasCodeKeys_ = true;
}

GroupFile::TextKey GroupFile::textKey(const unsigned char* text, int maxBytes) {
    TextKey k{0, 0};
    for (int i = 0; i < 8; ++i) {
        k.bytes <<= 8;
        if (i < maxBytes && text[i] != 0xFF && k.length == static_cast<uint32_t>(i)) {
            k.bytes |= foldCase(text[i]);
            ++k.length;
        }
    }
    return k;
}

uint32_t GroupFile::prefixSlot(const unsigned char* text, size_t length) {
    const size_t n = std::min<size_t>(length, 4);
    uint64_t v = n;
    for (size_t i = 0; i < n; ++i)
        v = (v << 8) | foldCase(text[i]);
    return static_cast<uint32_t>((v * 0x9E3779B97F4A7C15ull) >> (64 - kPrefixFilterBits));
}

void GroupFile::buildPrefixFilter() const {
    prefixBits_.assign((size_t{1} << kPrefixFilterBits) / 64, 0);
    const int width = textWidth(group_);
    for (int64_t i = 0; i < count_; ++i) {
        const unsigned char* text = record(i) + kCodeBytes;
        size_t len = 0;
        while (len < static_cast<size_t>(width) && text[len] != 0xFF)
            ++len;
        const uint32_t slot = prefixSlot(text, len);
        prefixBits_[slot / 64] |= uint64_t{1} << (slot % 64);
    }
}

void GroupFile::buildTextKeys() const {
    const int width = textWidth(group_);
    textKeys_.resize(static_cast<size_t>(count_));
    for (int64_t i = 0; i < count_; ++i)
        textKeys_[static_cast<size_t>(i)] = textKey(record(i) + kCodeBytes, width);
    hasTextKeys_ = true;
}

int GroupFile::CompareCodeAt(std::string_view code, int64_t rec) const {
    return compare(code, decodeCode(record(rec)));
}

int GroupFile::CompareTextAt(std::string_view word, int64_t rec, int width) const {
    const unsigned char* text = record(rec) + kCodeBytes;
    width = std::min(width, size_ - kCodeBytes);
    int len = 0;
    while (len < width && text[len] != 0xFF)
        ++len;
    return compare(word, std::string_view(reinterpret_cast<const char*>(text), len));
}

int64_t GroupFile::hitByCode(std::string_view code) const {
    // Record codes are at most six digits, so any other key matches nothing.
    uint32_t key;
    if (!codeKey(code, key))
        return -1;
    if (!hasCodeKeys_)
        buildCodeKeys();
    return searchRecords(count_, [&](int64_t i) {
        uint32_t k = keys_[static_cast<size_t>(i)];
        return key < k ? -1 : (key > k ? 1 : 0);
    });
}

void GroupFile::FindByCode(std::string_view code, std::vector<std::string>& out) const {
    int64_t hit = hitByCode(code);
    if (hit < 0)
        return;
    const uint32_t key = keys_[static_cast<size_t>(hit)];
    int64_t first = hit;
    while (first > 0 && keys_[static_cast<size_t>(first - 1)] == key)
        --first;
    for (int64_t i = first; i < count_ && keys_[static_cast<size_t>(i)] == key; ++i)
        out.push_back(candidateText(i));
}

bool GroupFile::HasText(std::string_view word) const {
    const int width = textWidth(group_);
    if (prefixBits_.empty())
        buildPrefixFilter();
    const uint32_t slot =
        prefixSlot(reinterpret_cast<const unsigned char*>(word.data()), word.size());
    if (!(prefixBits_[slot / 64] & (uint64_t{1} << (slot % 64))))
        return false; // no record starts as this word does
    if (width <= 8) {
        // A record's text has at most `width` bytes, so a longer word matches nothing.
        if (word.size() > static_cast<size_t>(width))
            return false;
        if (!hasTextKeys_)
            buildTextKeys();
        const TextKey key = textKey(reinterpret_cast<const unsigned char*>(word.data()),
                                    static_cast<int>(word.size()));
        // 0xFF inside the word never occurs in a record's text.
        if (key.length != word.size())
            return false;
        return searchRecords(count_, [&](int64_t i) {
                   return key.compare(textKeys_[static_cast<size_t>(i)]);
               }) >= 0;
    }
    return searchRecords(count_, [&](int64_t i) { return CompareTextAt(word, i, width); }) >= 0;
}

std::string GroupFile::candidateText(int64_t rec) const {
    const unsigned char* text = record(rec) + kCodeBytes;
    const int width = textWidth(group_);
    std::string out;
    out.reserve(static_cast<size_t>(width));
    for (int i = 0; i < width; ++i) {
        if (text[i] != 0xFF)
            out.push_back(static_cast<char>(text[i]));
    }
    size_t b = 0;
    size_t e = out.size();
    while (b < e && static_cast<unsigned char>(out[b]) <= 0x20)
        ++b;
    while (e > b && static_cast<unsigned char>(out[e - 1]) <= 0x20)
        --e;
    return out.substr(b, e - b);
}

void GroupFile::buildCharIndex() const {
    charIndex_.assign(65536, -1);
    for (int64_t i = 0; i < count_; ++i) {
        const unsigned char* r = record(i);
        int32_t& slot = charIndex_[static_cast<size_t>(foldedChar2(r[3], r[4]))];
        if (slot < 0)
            slot = static_cast<int32_t>(i);
    }
}

int64_t GroupFile::firstRecordOfChar(std::string_view ch) const {
    if (ch.size() != 2 || group_ != 1)
        return -1;
    if (charIndex_.empty())
        buildCharIndex();
    return charIndex_[static_cast<size_t>(
        foldedChar2(static_cast<unsigned char>(ch[0]), static_cast<unsigned char>(ch[1])))];
}

size_t GroupFile::memoryBytes() const {
    return bytes_.capacity() + keys_.capacity() * sizeof(uint32_t) +
           textKeys_.capacity() * sizeof(TextKey) + prefixBits_.capacity() * sizeof(uint64_t) +
           charIndex_.capacity() * sizeof(int32_t);
}

FrequentList::FrequentList(const std::string& bytes) {
    const size_t count = bytes.size() / kFrequentRecordSize;
    words_.reserve(count);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    for (size_t i = 0; i < count; ++i)
        words_.push_back(foldedWord4(p + i * kFrequentRecordSize + kFrequentWordOffset));
    std::sort(words_.begin(), words_.end());
}

bool FrequentList::contains(std::string_view word) const {
    if (word.size() != static_cast<size_t>(kFrequentWordBytes))
        return false;
    return std::binary_search(words_.begin(), words_.end(),
                              foldedWord4(reinterpret_cast<const unsigned char*>(word.data())));
}

} // namespace dict
