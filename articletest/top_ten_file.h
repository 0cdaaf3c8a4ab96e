#pragma once

#include <QString>

#include <cstdint>
#include <string>
#include <vector>

// The top ten of the article test in "files/record.dat": up to ten records of
// 24 bytes, best first: name length (0-16), 16 name bytes (GBK), 3 bytes of
// padding, the score as a signed 32-bit little-endian integer.
class TopTenFile {
public:
    struct Entry {
        std::string name; // GBK, at most 16 bytes
        int32_t score = 0;
        bool operator==(const Entry&) const = default;
    };
    static constexpr int kRecordSize = 24;
    static constexpr int kMaxEntries = 10;
    static constexpr int kNameBytes = 16;

    explicit TopTenFile(QString path) : path_(std::move(path)) {}

    // The entries in file order (at most ten; a partial last record is left
    // out, a name length above 16 is read as 16). Throws UserError naming the
    // file when it is missing or unreadable.
    std::vector<Entry> read() const;
    // Whether `speed` enters the list: a stored score is lower, or fewer than
    // ten are stored.
    bool admits(int32_t speed) const;
    // Inserts an entry after every stored entry with an equal or higher score
    // and keeps the best ten. Written through a temporary file, so the old
    // list survives a failure.
    void add(const Entry& entry);
    // Empties the list.
    void clear();

    // The name cut to 16 bytes of GBK, never inside a character.
    static std::string cutName(const QString& name);

private:
    void write(const std::vector<Entry>& entries);
    QString path_;
};
