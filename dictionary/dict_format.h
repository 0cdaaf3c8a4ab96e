#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The byte layout of the code dictionary files and the one comparison that
// orders and searches them.
//
// Group N (1-4) holds entries of N double-byte characters, group 5 entries of
// 5 to 13. A record is a packed code of 3 bytes followed by the text field,
// filled with 0xFF after the last character.
namespace dict {

constexpr int kGroups = 5;
constexpr int kCodeBytes = 3;
constexpr int kMaxCodeDigits = 6;
constexpr int kFrequentRecordSize = 12;
constexpr int kFrequentWordOffset = 6;
constexpr int kFrequentWordBytes = 4;

// Group of a word of `chars` characters: 1-4 as they are, 5 for 5 and more.
constexpr int groupOfLength(int chars) {
    return chars >= 5 ? 5 : chars;
}
constexpr int recordSize(int group) {
    return group >= 5 ? 29 : 2 * group + 3;
}
constexpr int textWidth(int group) {
    return group >= 5 ? 26 : 2 * group;
}

constexpr unsigned char foldCase(unsigned char c) {
    return (c >= 0x61 && c <= 0x7A) ? static_cast<unsigned char>(c - 0x20) : c;
}

// Dictionary order: unsigned bytes, a-z folded to A-Z, the first difference
// decides, a prefix comes first. Returns -1, 0 or +1 for a against b.
int compare(std::string_view a, std::string_view b);

// The code of a record as the code-order readers see it: digits up to the
// first nibble of 10 or more.
std::string decodeCode(const unsigned char* packed);

// The code of a record as the character-to-code scan sees it: nibbles up to
// the first nibble of 15; a nibble of 10-14 is written as its decimal value.
std::string decodeCodeOfChar(const unsigned char* packed);

// An order-preserving number for a code of at most six digits: each digit d
// becomes the nibble d + 1, the end of the code the nibble 0. Two codes
// compare in dictionary order exactly as their keys compare as numbers.
// Returns false when `code` is longer than six characters or not all digits.
bool codeKey(std::string_view code, uint32_t& key);
uint32_t codeKeyOfRecord(const unsigned char* packed);

// Packs a code of 1-6 digits (not checked here) into the 3-byte form with
// 0xF after the last digit.
std::array<unsigned char, kCodeBytes> packCode(std::string_view digits);

// The record search shared by the code and text lookups. `compareAt(i)`
// compares the key with record i (-1: key first, 0: equal, +1: key after).
// Probes the middle record (halves rounded to the even neighbour), narrows to
// two records and checks both (the lower wins). Returns the hit or -1.
template <typename CompareAt> int64_t searchRecords(int64_t count, CompareAt compareAt) {
    if (count <= 0)
        return -1;
    int64_t lo = 0;
    int64_t hi = count - 1;
    do {
        int64_t sum = lo + hi;
        int64_t mid = sum / 2;
        if ((sum & 1) && (mid & 1))
            ++mid; // x.5 rounds to the even neighbour
        int c = compareAt(mid);
        if (c < 0)
            hi = mid;
        else if (c > 0)
            lo = mid;
        else
            return mid;
    } while (lo != hi && hi - lo != 1);
    if (hi - lo == 1) {
        int64_t hit = -1;
        if (compareAt(hi) == 0)
            hit = hi;
        if (compareAt(lo) == 0)
            hit = lo;
        return hit;
    }
    return -1;
}

} // namespace dict
