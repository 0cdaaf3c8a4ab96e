#pragma once

#include <string>

// Reads a whole file in one go. Throws DictionaryError with a Chinese message
// naming `path` when it is missing or unreadable. `identity` receives the
// inode, size and modification time seen at the read.
struct FileIdentity {
    long long inode = 0;
    long long size = -1;
    long long mtimeNs = 0;
    bool operator==(const FileIdentity&) const = default;
};

std::string readWholeFile(const std::string& path, FileIdentity* identity = nullptr);

// The identity of the file now, or size -1 when it cannot be seen.
FileIdentity identityOf(const std::string& path);
