#pragma once

#include <string>

struct FileIdentity {
    long long inode = 0;
    long long size = -1;
    long long mtimeNs = 0;
    bool operator==(const FileIdentity&) const = default;
};

// The largest dictionary file read (the program's own are well under 1 MB).
inline constexpr long long kMaxDictionaryFileBytes = 64LL * 1024 * 1024;

// Reads a whole file in one go. Throws DictionaryError with a Chinese message
// naming `path` (made absolute) when it is missing or unreadable, is not a
// regular file (a FIFO is refused at once, never waited on) or is larger
// than `maxBytes` (refused by its size, nothing read). `identity` receives
// the inode, size and modification time seen at the open, also when the
// file is refused for what it is.
std::string readWholeFile(const std::string& path, FileIdentity* identity = nullptr,
                          long long maxBytes = kMaxDictionaryFileBytes);

// The identity of the file now, or size -1 when it cannot be seen.
FileIdentity identityOf(const std::string& path);
