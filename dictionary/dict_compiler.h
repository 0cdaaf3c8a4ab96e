#pragma once

#include <stdexcept>
#include <string>

// Builds the binary dictionary files from source tables.
//
// The source folder holds three UTF-8 tables, one row a line, fields split by
// tabs; empty lines and lines starting with "#" are skipped:
//   chars.txt     code  character  [frequency]
//   words.txt     code  word       [frequency]
//   frequent.txt  code  two-character word
// A row's group follows from its length (1-4 characters, 5-13 in group 5),
// whichever table it is in. Within one code the entries are offered by
// falling frequency, then in table order.
//
// Output: zh1 … zh5 (sorted by code), zh1.hz … zh5.hz (sorted by text) and
// gpc.txt, each written to a temporary file and renamed into place.
namespace dict {

class CompileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct CompileSummary {
    int entries[5] = {}; // per group
    int frequentWords = 0;
};

// Throws CompileError (a Chinese message naming the file and line) on a bad
// row, or when a file cannot be read or written.
CompileSummary compileDictionary(const std::string& sourceDir, const std::string& outDir);

} // namespace dict
