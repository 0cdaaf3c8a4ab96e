#pragma once

#include <QHash>
#include <QString>

#include <array>

// The corner table: for every coded character its main code and how each of
// its four corners is read. The program folder holds it as "hzlib/corners.txt",
// a copy of the table the dictionary and the code diagrams are made from: one
// line per character, tab-separated, e.g.
//
//   啊	61000	0 5 - 9	方 横 空角 左钩
//
// the character; its main code (4 or 5 digits, the fifth being the extra
// corner); the stroke that makes each of the four corners, in stroke order
// from 0, "-" where no stroke does; and each corner's stroke name as the
// rhyme reads it. A 0 is named by what makes it: "撇", "左钩", or "亠",
// "已用" (the stroke already makes another corner) and "空角" (no stroke).
namespace coaching {

// Digit positions of a character's code: the four corners, then the extra
// corner (the fifth digit).
enum Corner { TopLeft = 0, TopRight = 1, BottomLeft = 2, BottomRight = 3, ExtraCorner = 4 };

// Where the table lies, relative to the program folder.
inline constexpr char kCornerTableFile[] = "hzlib/corners.txt";

struct CornerEntry {
    QString code;                 // the main code, 4 or 5 digits
    std::array<QString, 4> names; // the stroke name of each corner
    std::array<int, 4> strokes;   // the stroke making each corner; -1: none
};

class CornerTable {
public:
    // The table in a file; a missing or unreadable file gives an empty table.
    static CornerTable fromFile(const QString& path);
    // The table in text of the file's form. A line that does not hold a
    // character, a code of 4 or 5 digits, four strokes and four names that
    // fit the code's digits is left out; of two lines for one character the
    // first counts.
    static CornerTable fromText(const QString& text);

    // The entry of a character, or nullptr when the table does not know it.
    const CornerEntry* find(const QString& character) const;
    qsizetype size() const { return entries_.size(); }
    bool isEmpty() const { return entries_.isEmpty(); }

private:
    QHash<QString, CornerEntry> entries_;
};

// Whether `name` is a name the rhyme gives a corner of `digit`.
bool nameFitsDigit(const QString& name, QChar digit);

} // namespace coaching
