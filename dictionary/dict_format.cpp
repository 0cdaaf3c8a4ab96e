#include "dictionary/dict_format.h"

#include <algorithm>

namespace dict {

int compare(std::string_view a, std::string_view b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = foldCase(static_cast<unsigned char>(a[i]));
        unsigned char y = foldCase(static_cast<unsigned char>(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

std::string decodeCode(const unsigned char* packed) {
    std::string out;
    for (int i = 0; i < kCodeBytes; ++i) {
        unsigned hi = packed[i] >> 4;
        if (hi >= 10)
            break;
        out.push_back(static_cast<char>('0' + hi));
        unsigned lo = packed[i] & 0x0F;
        if (lo >= 10)
            break;
        out.push_back(static_cast<char>('0' + lo));
    }
    return out;
}

std::string decodeCodeOfChar(const unsigned char* packed) {
    std::string out;
    for (int i = 0; i < kCodeBytes; ++i) {
        unsigned hi = packed[i] >> 4;
        if (hi == 15)
            break;
        out += std::to_string(hi);
        unsigned lo = packed[i] & 0x0F;
        if (lo == 15)
            break;
        out += std::to_string(lo);
    }
    return out;
}

bool codeKey(std::string_view code, uint32_t& key) {
    if (code.size() > static_cast<size_t>(kMaxCodeDigits))
        return false;
    uint32_t k = 0;
    for (int i = 0; i < kMaxCodeDigits; ++i) {
        uint32_t nibble = 0;
        if (static_cast<size_t>(i) < code.size()) {
            char c = code[i];
            if (c < '0' || c > '9')
                return false;
            nibble = static_cast<uint32_t>(c - '0') + 1;
        }
        k = (k << 4) | nibble;
    }
    key = k;
    return true;
}

uint32_t codeKeyOfRecord(const unsigned char* packed) {
    uint32_t k = 0;
    int digits = 0;
    for (int i = 0; i < kCodeBytes; ++i) {
        unsigned hi = packed[i] >> 4;
        if (hi >= 10)
            break;
        k = (k << 4) | (hi + 1);
        ++digits;
        unsigned lo = packed[i] & 0x0F;
        if (lo >= 10)
            break;
        k = (k << 4) | (lo + 1);
        ++digits;
    }
    return k << (4 * (kMaxCodeDigits - digits));
}

std::array<unsigned char, kCodeBytes> packCode(std::string_view digits) {
    std::array<unsigned char, kCodeBytes> out{0xFF, 0xFF, 0xFF};
    for (size_t i = 0; i < digits.size() && i < static_cast<size_t>(kMaxCodeDigits); ++i) {
        unsigned d = static_cast<unsigned>(digits[i] - '0') & 0x0F;
        unsigned char& b = out[i / 2];
        if (i % 2 == 0)
            b = static_cast<unsigned char>((d << 4) | 0x0F);
        else
            b = static_cast<unsigned char>((b & 0xF0) | d);
    }
    return out;
}

} // namespace dict
