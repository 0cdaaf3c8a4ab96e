#pragma once

#include <stdexcept>
#include <string>

// A dictionary file could not be read. The message is Chinese, names the
// file, and is meant to be shown to the learner as it is.
class DictionaryError : public std::runtime_error {
public:
    enum class Kind {
        Unreadable, // missing, no permission, a folder: said at every use
        Damaged,    // there but unusable (contents, size, not a regular file): said once
    };
    DictionaryError(const std::string& message, std::string file, Kind kind = Kind::Unreadable)
        : std::runtime_error(message), file_(std::move(file)), kind_(kind) {}
    const std::string& file() const { return file_; }
    Kind kind() const { return kind_; }

private:
    std::string file_;
    Kind kind_;
};
