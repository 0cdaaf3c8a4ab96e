#pragma once

#include <stdexcept>
#include <string>

// A dictionary file could not be read. The message is Chinese, names the
// file, and is meant to be shown to the learner as it is.
class DictionaryError : public std::runtime_error {
public:
    DictionaryError(const std::string& message, std::string file)
        : std::runtime_error(message), file_(std::move(file)) {}
    const std::string& file() const { return file_; }

private:
    std::string file_;
};
