#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// GBK (code page 936) text on disk, QString in the program.
//
// Every file the program reads or writes holds GBK bytes; the codec turns them
// into QString for display and back. The mapping comes from glibc's iconv and
// is built once into tables, so converting is a plain table walk.
namespace gbk {

// Decodes GBK bytes. A byte or byte pair that is not GBK (a lone 0x80 or 0xFF,
// a lead byte without a valid trail byte, a truncated final lead byte) becomes
// U+FFFD; `invalidCount`, when given, receives how many were replaced.
QString toUnicode(std::string_view bytes, int* invalidCount = nullptr);

// Encodes to GBK; nullopt when some character has no GBK form.
std::optional<std::string> fromUnicode(QStringView text);

// Encodes to GBK, writing `replacement` for each character without a GBK form.
std::string fromUnicodeLossy(QStringView text, char replacement = '?');

// True for a byte that starts a GBK double-byte character (0x81-0xFE).
constexpr bool isLeadByte(unsigned char b) {
    return b >= 0x81 && b <= 0xFE;
}

// True when the two bytes form one GBK double-byte character.
bool isDoubleByteChar(unsigned char lead, unsigned char trail);

// The GBK double-byte form of one Unicode character, lead byte in the high
// half (中 gives 0xD6D0); 0 for ASCII and for a character without one.
uint16_t doubleByteOf(char32_t u);

} // namespace gbk
