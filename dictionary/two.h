#pragma once

#include "dictionary/dict_format.h"
#include "dictionary/dict_tables.h"
#include "dictionary/directory_watch.h"
#include "dictionary/read_whole_file.h"

#include <array>
#include <atomic>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The code dictionary: turns a typed code into candidate characters or words,
// tells whether a run of characters is a dictionary word, and gives the code
// of a character.
//
// It reads the files of one dictionary folder ("hzlib"): zh1 … zh5 sorted by
// code, zh1.hz … zh5.hz sorted by text, and the high-frequency list gpc.txt.
// Each file is read into memory the first time an operation needs it and kept
// there; a file that is rewritten or replaced on disk is read again by the
// next operation that needs it. Creating the object reads nothing.
//
// Errors: a missing or unreadable file throws DictionaryError naming it, at
// every use. A damaged file (a size that is not a whole number of records,
// a code that is not 1-6 digits, records out of order, not a regular file,
// larger than kMaxDictionaryFileBytes) throws once, naming it; until it
// changes on disk it then finds nothing.
// Texts are GBK bytes. Use from one thread only.
class Ttwo {
public:
    enum class Scope { Characters, Words };

    // How the dictionary learns that a file changed: from a watch on its
    // folder, or (where the folder cannot be watched) by comparing the file's
    // identity (device, inode, size, modification time) at each use.
    enum class ChangeCheck { FolderWatch, FileIdentity };

    explicit Ttwo(std::string dictDir, ChangeCheck check = ChangeCheck::FolderWatch);
    ~Ttwo();
    Ttwo(const Ttwo&) = delete;
    Ttwo& operator=(const Ttwo&) = delete;

    // Replaces the candidate list by the texts whose code is `code`: for
    // characters from zh1; for words from zh2, zh3, zh4 and zh5 in turn, each
    // group in file order. If a file fails, the list keeps what came before;
    // damaged files (said once each) are all named in one error at the end,
    // and the sound groups are still searched.
    void LookupCode(Scope scope, std::string_view code);
    // Appends to the candidate list the texts of group `group` with `code`.
    void FindByCode(int group, std::string_view code);
    const std::vector<std::string>& Candidates() const { return candidates_; }
    int CandidateCount() const { return static_cast<int>(candidates_.size()); }

    // Whether `word`, of `length` characters (1-13), is in the dictionary.
    bool HasWord(int length, std::string_view word);
    // Whether the two-character word (4 bytes) is on the high-frequency list.
    bool IsFrequentWord(std::string_view word);
    // The code of the first zh1 record of the character, or "" if it has none.
    std::string CodeOfChar(std::string_view character);
    // Every code zh1 gives the character (its full codes and short codes), in
    // dictionary order; empty if it has none.
    std::vector<std::string> CodesOfChar(std::string_view character);
    // The character's full code: the first of its longest codes; "" if none.
    std::string FullCodeOfChar(std::string_view character);

    const std::string& dictDir() const { return dir_; }
    // How many times a file was read from disk (for tests and benchmarks).
    int fileReads() const { return fileReads_; }
    // Bytes held by the files read so far.
    size_t memoryBytes() const;

    static std::string fileName(int group, bool byText);
    static constexpr const char* kFrequentFile = "gpc.txt";

private:
    // One file of the folder: its image in memory and whether it is current.
    struct Slot {
        std::string name;
        std::atomic<bool> stale{true};
        bool watched = false; // loaded while the folder was watched
        FileIdentity identity;
        std::unique_ptr<dict::GroupFile> group;
        std::unique_ptr<dict::FrequentList> frequent;
    };
    static constexpr int kFrequentSlot = 2 * dict::kGroups;

    const dict::GroupFile& groupFile(int group, bool byText);
    const dict::FrequentList& frequentList();
    // Makes the slot current, reading the file if needed. Returns whether
    // the file was (re)read; `bytes` then holds its contents.
    bool refresh(Slot& slot, std::string& bytes);
    // Reports a damaged file (its slot then holds an empty image).
    [[noreturn]] void refuse(Slot& slot, const std::string& why);
    void markChanged(std::string_view name);

    std::string dir_;
    ChangeCheck check_;
    std::vector<std::string> candidates_;
    std::array<Slot, 2 * dict::kGroups + 1> slots_;
    int fileReads_ = 0;
    DirectoryWatch watch_; // last: its thread stops before the slots go
};
