#pragma once

#include <QString>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The top ten of the article test in "files/record.dat": up to ten records of
// 24 bytes, best first: name length (0-16), 16 name bytes (GBK), 3 bytes of
// padding, the score as a signed 32-bit little-endian integer.
//
// A missing file is an empty list; the first score creates it. A damaged
// file is never taken for scores and never deleted: it is renamed to
// "record.dat.damaged" (".damaged.2", … when that name is taken), the learner
// is told once, and the list starts afresh. Messages name files by their
// full path.
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
    // The highest speed a list holds (characters per minute); a higher one
    // in a file marks it damaged, and a new score is kept within it.
    static constexpr int32_t kMaxScore = 100000;

    explicit TopTenFile(QString path) : path_(std::move(path)) {}

    // The entries in file order. `notice` receives the message for the
    // learner when a damaged file was set aside (the list is then empty).
    // Throws UserError naming the file when it cannot be read (a folder, a
    // FIFO, no permission).
    std::vector<Entry> read(QString* notice = nullptr) const;
    // Whether `speed` enters the list: a stored score is lower, or fewer than
    // ten are stored.
    bool admits(int32_t speed, QString* notice = nullptr) const;
    // Inserts an entry after every stored entry with an equal or higher score
    // and keeps the best ten. Written through a temporary file, so the old
    // list survives a failure. Throws, writing nothing, when a damaged file
    // could not be set aside.
    void add(const Entry& entry, QString* notice = nullptr);
    // Empties the list.
    void clear();

    // Why `bytes` are not a top-ten list ("" when they are one).
    static QString damage(std::string_view bytes);
    // The records of a list that damage() accepts.
    static std::vector<Entry> parse(std::string_view bytes);

    // The name cut to 16 bytes of GBK, never inside a character.
    static std::string cutName(const QString& name);

private:
    struct Loaded {
        std::vector<Entry> entries;
        QString notice;
        bool damagedInPlace = false; // damaged and could not be set aside
    };
    Loaded load() const;
    QString setAside(const QString& why) const;
    void write(const std::vector<Entry>& entries);
    QString path_;
};
