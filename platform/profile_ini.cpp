#include "platform/profile_ini.h"

#include "platform/gbk_codec.h"

#include <algorithm>
#include <cctype>

namespace {

std::string_view trim(std::string_view s) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool sameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

std::optional<QString> readProfileValue(std::string_view bytes, std::string_view section,
                                        std::string_view key) {
    bool inSection = false;
    while (!bytes.empty()) {
        const size_t eol = bytes.find('\n');
        std::string_view line = trim(bytes.substr(0, eol));
        bytes = eol == std::string_view::npos ? std::string_view() : bytes.substr(eol + 1);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            const size_t close = line.find(']');
            inSection = close != std::string_view::npos &&
                        sameText(trim(line.substr(1, close - 1)), section);
            continue;
        }
        if (!inSection)
            continue;
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos || !sameText(trim(line.substr(0, eq)), key))
            continue;
        std::string_view value = trim(line.substr(eq + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        return gbk::toUnicode(value);
    }
    return std::nullopt;
}
