#pragma once

#include <QString>

#include <array>
#include <string>

// The record holders of the twelve training exercises in "files/phb.txt": a
// file of single bytes without header or line ends, 12 slots of 15 bytes
// (slot k at byte 15 × k, k being the exercise kind). A slot holds the
// holder's name in GBK, left-aligned and padded with spaces to 10 bytes, then
// the score, right-aligned and padded with spaces to 5 bytes. A slot of 15
// spaces is an empty record. Bytes after the 180th are kept but not shown.
//
// Only a regular file is read. A missing file holds no records yet: the first
// record saved makes it, 180 bytes long. A damaged file (shorter than 180
// bytes, above kMaxFileBytes, a score that is not a right-aligned number or a
// name that is not GBK) is never taken for records and never deleted: it is
// renamed to "phb.txt.damaged" (".damaged.2", … when that name is taken), a
// fresh file of 180 spaces is started, and the learner is told once. A
// folder, a FIFO or a file that cannot be read is named and left as it is.
// Every write goes through safewrite, so a failure leaves the old records.
class RecordHoldersFile {
public:
    static constexpr int kSlots = 12;
    static constexpr int kSlotBytes = 15;
    static constexpr int kNameBytes = 10;
    static constexpr int kScoreBytes = 5;
    static constexpr int kFileBytes = kSlots * kSlotBytes;
    static constexpr qint64 kMaxFileBytes = 64 * 1024;

    explicit RecordHoldersFile(QString path) : path_(std::move(path)) {}

    struct Contents {
        bool missing = false;
        std::string bytes; // the whole file (missing: 180 spaces)
        QString damage;    // why the file cannot be used; empty when it can
        QString notice;    // a damaged file set aside and started afresh
    };
    // Reads the file, setting a damaged one aside. Never throws: a file that
    // cannot be used is told in `damage`.
    Contents load() const;

    // Why `bytes` are not a record file ("" when they are one).
    static QString damageOf(const std::string& bytes);

    // The score as the file compares it: right-aligned to 5 characters; an
    // empty score is 5 spaces, a score longer than 5 characters the empty text.
    static std::string alignScore(const QString& score);

    struct Judgement {
        bool record = false;
        QString notice; // a damaged or write-protected file, for the learner
    };
    // Whether `score` beats the record of `slot`: the aligned score compared
    // byte by byte with the stored one, strictly greater. A damaged file set
    // aside is told, and the score is judged against the fresh file; one that
    // cannot be read or written sets no record and says why.
    Judgement judge_record(int slot, const QString& score) const;

    // Writes the name (blanks and control characters at both ends removed,
    // cut to 10 bytes of GBK on a character boundary, padded with spaces) and
    // the score (right-aligned to 5 bytes; its first 5 bytes when longer) into
    // `slot`. Throws UserError naming the file when it is damaged or cannot be
    // written; the old records then stay as they were.
    void save_record(int slot, const QString& name, const QString& score) const;

    // Overwrites every byte of the file with a space, leaving at least the
    // 180 bytes of the records (a missing or damaged file gets a fresh one).
    // Throws UserError naming the file when it cannot be written.
    void clear() const;

    // The 15 stored bytes of each slot as text, from the first 180 bytes.
    static std::array<QString, kSlots> rows(const std::string& bytes);

    // The name as stored: trimmed, at most 10 bytes of GBK, never cut inside
    // a character, padded with spaces to 10 bytes.
    static std::string nameField(const QString& name);

    const QString& path() const { return path_; }

private:
    void write(const std::string& bytes) const;
    QString path_;
};
