#pragma once

#include <QString>

#include <optional>
#include <string_view>

// Reads one value of a profile (INI) file the way the Windows profile reader
// does: sections and keys match regardless of letter case, the value is the
// text after "=" with surrounding blanks removed, and one pair of matching
// quotes around it is dropped. The bytes are GBK. Nothing else is
// interpreted: the value is returned as it stands in the file.
//
// Returns nullopt when the section or key is absent.
std::optional<QString> readProfileValue(std::string_view fileBytes, std::string_view section,
                                        std::string_view key);
