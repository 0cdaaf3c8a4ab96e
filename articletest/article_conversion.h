#pragma once

#include <string>
#include <string_view>

// Turns any text into a test file: only the GB2312 Chinese characters (first
// byte 0xB0-0xF0, second 0xA1-0xFE) are kept, in lines of 30, each line
// followed by 0x0D 0x0D; the last line is filled with spaces to 59 bytes and
// the file ends with 0x0D 0x0D 0x20 0x0D.
namespace conversion {

constexpr int kCharsPerLine = 30;

struct Result {
    std::string bytes;  // the test file
    int characters = 0; // Chinese characters kept
};

// The conversion of `source`. The scan reads byte pairs: a pair that is a
// kept character is taken whole, any other pair moves on by one byte.
Result convert(std::string_view source, int charsPerLine = kCharsPerLine);

// The test file's name for a source: its path with the last three
// characters replaced by "tvm" (a.txt -> a.tvm, readme -> readtvm).
std::string targetPath(const std::string& sourcePath);

// Converts the file at `sourcePath` and writes the test file beside it
// (through a temporary file, so a failure leaves no half-written file).
// Throws UserError naming the file when the source cannot be read, the
// target cannot be written, or the source would be its own target.
Result convertFile(const std::string& sourcePath, std::string* writtenPath = nullptr);

} // namespace conversion
