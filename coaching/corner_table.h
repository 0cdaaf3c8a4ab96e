#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>

// The corner table: for every coded character its main code and how each of
// its digits is read. The program folder holds it as "hzlib/corners.txt", a
// copy of the table the dictionary and the code diagrams are made from: one
// line per character, tab-separated, e.g.
//
//   他	04210	0 3 1 4 2	撇 叉 竖 横 左钩
//
// the character; its main code (4 or 5 digits, the fifth being the extra
// corner); the stroke that makes each digit, in stroke order from 0, "-"
// where no stroke does; and each digit's shape name as the rhyme reads it,
// one stroke and one name a digit. A 0 is named by what makes it: "撇",
// "左钩", or "亠", "已用" (the stroke already makes another corner) and
// "空角" (no stroke).
namespace coaching {

// Digit positions of a character's code: the four corners, then the extra
// corner (the fifth digit).
enum Corner { TopLeft = 0, TopRight = 1, BottomLeft = 2, BottomRight = 3, ExtraCorner = 4 };

// Where the table lies, relative to the program folder.
inline constexpr char kCornerTableFile[] = "hzlib/corners.txt";

// The most digits a character's code has: four corners and the extra one.
inline constexpr int kCodeDigits = 5;

struct CornerEntry {
    QString code;                           // the main code, 4 or 5 digits
    std::array<QString, kCodeDigits> names; // the shape name of each digit; empty past the code
    std::array<int, kCodeDigits> strokes;   // the stroke making each digit; -1: none
};

class CornerTable {
public:
    // The table in a file; a missing or unreadable file gives an empty table.
    // `problem` (when given) then says why in Chinese, naming the file; for a
    // table read with lines left out, it names the first of them.
    static CornerTable fromFile(const QString& path, QString* problem = nullptr);
    // The same, read once and shared by every part of the program that asks
    // for it (the training's notes, the test report's, the history's counts),
    // and read again when the file's time changes (a newer table installed
    // under a running program). `problem` as fromFile's.
    static std::shared_ptr<const CornerTable> shared(const QString& path,
                                                     QString* problem = nullptr);
    // The table in text of the file's form. A line that does not hold a
    // character, a code of 4 or 5 digits, and a stroke and a name for each
    // digit that fit it is left out; of two lines for one character the
    // first counts.
    static CornerTable fromText(const QString& text, int* firstBadLine = nullptr);

    // The entry of a character, or nullptr when the table does not know it.
    const CornerEntry* find(const QString& character) const;
    qsizetype size() const { return entries_.size(); }
    // The characters in the order of their lines.
    const QStringList& characters() const { return order_; }
    bool isEmpty() const { return entries_.isEmpty(); }
    // A digest of the text the table was read from: counts made with one
    // table are known to be stale under another.
    const QString& fingerprint() const { return fingerprint_; }

private:
    QHash<QString, CornerEntry> entries_;
    QStringList order_;
    QString fingerprint_;
};

// Whether `name` is a name the rhyme gives a corner of `digit`.
bool nameFitsDigit(const QString& name, QChar digit);

} // namespace coaching
