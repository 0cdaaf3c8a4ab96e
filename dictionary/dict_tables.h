#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// In-memory images of the dictionary files and the reads done on them.
// Each class takes the file's bytes as they are on disk; any bytes are safe:
// a partial last record is ignored and no read leaves the buffer.
namespace dict {

// Why the bytes of a group file are not a sound dictionary file, in Chinese,
// or "" when they are: the size must be a whole number of records, every
// code 1-6 digits with 0xF nibbles after the last digit, and the records in
// dictionary order (by code for "zhN", by text for "zhN.hz"). An empty file
// is sound (it holds no entry). Linear in the size.
std::string damageOf(int group, bool byText, std::string_view bytes);
// The same for the high-frequency list: a whole number of 12-byte records.
std::string frequentDamageOf(std::string_view bytes);

// One group file ("zhN" sorted by code, or "zhN.hz" sorted by text).
class GroupFile {
public:
    GroupFile(int group, std::string bytes);

    int group() const { return group_; }
    int64_t recordCount() const { return count_; }
    const unsigned char* record(int64_t i) const {
        return reinterpret_cast<const unsigned char*>(bytes_.data()) + i * size_;
    }

    // -1, 0, +1: `code` against the code of `record`, in dictionary order.
    int CompareCodeAt(std::string_view code, int64_t record) const;
    // -1, 0, +1: `word` against the text of `record` (at most `width` bytes,
    // up to the first 0xFF).
    int CompareTextAt(std::string_view word, int64_t record, int width) const;

    // Appends the texts of all records whose code is `code`, in file order.
    void FindByCode(std::string_view code, std::vector<std::string>& out) const;
    // True when a record's text equals `word` (binary search by text).
    bool HasText(std::string_view word) const;
    // The candidate text of a record: 0xFF bytes dropped, bytes of 0x20 and
    // below trimmed from both ends.
    std::string candidateText(int64_t record) const;

    // Index of the first record (in file order) whose character equals the
    // two bytes of `ch` in dictionary order, or -1. Group 1 only.
    int64_t firstRecordOfChar(std::string_view ch) const;

    size_t memoryBytes() const;

private:
    // A text of at most 8 bytes, folded and packed big-endian and padded with
    // zero bytes; with its length it orders texts as the dictionary order does.
    struct TextKey {
        uint64_t bytes;
        uint32_t length;
        int compare(const TextKey& o) const {
            if (bytes != o.bytes)
                return bytes < o.bytes ? -1 : 1;
            return length == o.length ? 0 : (length < o.length ? -1 : 1);
        }
    };
    static TextKey textKey(const unsigned char* text, int maxBytes);

    int64_t hitByCode(std::string_view code) const;
    void buildCodeKeys() const;
    void buildTextKeys() const;
    void buildPrefixFilter() const;
    // Position in the prefix filter of a text's first (up to) four bytes, folded.
    static uint32_t prefixSlot(const unsigned char* text, size_t length);
    void buildCharIndex() const;

    std::string bytes_;
    int group_;
    int size_;
    int64_t count_;
    // Built on first use, so a file serves only the searches it is asked for.
    // Order-preserving number of each record's code (see codeKey()).
    mutable std::vector<uint32_t> keys_;
    mutable bool hasCodeKeys_ = false;
    // Key of each record's text, for groups 1-4.
    mutable std::vector<TextKey> textKeys_;
    mutable bool hasTextKeys_ = false;
    // One bit for each text start found in the file: a word whose start has
    // no bit equals no record, and is answered without a search.
    mutable std::vector<uint64_t> prefixBits_;
    // First record of each folded two-byte character, built on first use.
    mutable std::vector<int32_t> charIndex_;
};

// The high-frequency word list: 12-byte records, bytes 6-9 a two-character word.
class FrequentList {
public:
    explicit FrequentList(const std::string& bytes);
    bool contains(std::string_view word) const;
    size_t memoryBytes() const { return words_.capacity() * sizeof(uint32_t); }

private:
    std::vector<uint32_t> words_; // folded, sorted
};

} // namespace dict
