#pragma once

#include <string>
#include <string_view>

// Turns any text into a test file: only the GB2312 Chinese characters (first
// byte 0xB0-0xF0, second 0xA1-0xFE, a pair that names a character) are
// kept, in lines of 30, each line followed by 0x0D 0x0D; the last line is
// filled with spaces to 59 bytes and the file ends with 0x0D 0x0D 0x20 0x0D.
namespace conversion {

constexpr int kCharsPerLine = 30;

// How the source's bytes were read.
enum class Encoding {
    Gbk,  // whole GBK characters: a lead byte 0x81-0xFE with its trail byte
    Utf8, // UTF-8, each character taken in its GBK form
};

// "GBK" or "UTF-8", as the status text and tarvo-dict name it.
const char* encodingName(Encoding e);

struct Result {
    std::string bytes;  // the test file
    int characters = 0; // Chinese characters kept
    Encoding encoding = Encoding::Gbk;
};

// The encoding a source is read in: UTF-8 when it starts with the UTF-8
// byte-order mark, or when it is valid UTF-8 holding at least one multi-byte
// sequence (a text cut off in its last character counts, the cut character
// is dropped); GBK otherwise (also for plain ASCII).
Encoding detectEncoding(std::string_view source);

// The conversion of `source`, read in the encoding detectEncoding() finds.
// GBK is read a whole character at a time: a lead byte 0x81-0xFE followed by
// a trail byte 0x40-0x7E or 0x80-0xFE is one character, kept or dropped as a
// whole; any other byte is dropped on its own. In a UTF-8 source that starts
// with a byte-order mark, a byte that begins no valid sequence is dropped.
Result convert(std::string_view source, int charsPerLine = kCharsPerLine);

// The test file's name for a source: the last three characters (not bytes)
// of the file name replaced by "tvm" (a.txt -> a.tvm, readme -> readtvm,
// 课文甲乙丙 -> 课文tvm). A name of fewer than three characters gets ".tvm"
// appended (ab -> ab.tvm), so the test file always stays in the source's folder.
// Paths are UTF-8.
std::string targetPath(const std::string& sourcePath);

// Converts the file at `sourcePath` and writes the test file beside it
// (through a temporary file, so a failure leaves no half-written file).
// Throws UserError naming the file, before anything is written, when the
// source cannot be read, holds no Chinese character to keep, or would be
// replaced by its target (a name ending in "tvm", a target that is a link to
// the source or another name of the same file, or any symbolic link); throws
// when the target cannot be written.
// A source larger than kMaxSourceBytes, or one that is not a regular file
// (a FIFO, a folder), is refused by name without being read; so is a name
// that is not UTF-8 (GBK, from an older system), which says so.
Result convertFile(const std::string& sourcePath, std::string* writtenPath = nullptr);
inline constexpr long long kMaxSourceBytes = 16LL * 1024 * 1024;

} // namespace conversion
