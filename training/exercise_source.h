#pragma once

#include <QString>
#include <QStringList>

#include <string>

// Where the training's items come from: the bitmaps of an exercise folder,
// whose file names end in their codes, and the fixed-record files of "hzlib".
namespace training {

// The code of a picture: the last run of digits of its path in front of the
// four-character extension ("ab12.bmp" → "12", "x3y45z.bmp" → "45"); empty
// when there is none or the path has four characters or fewer.
QString CodeFromFileName(const QString& path);

// Every "*.bmp" file of `folder` (relative to the working directory), as
// "folder/name", in name order.
QStringList ListPictures(const QString& folder);

// One record of an exercise file, as read.
struct ItemRecord {
    std::string code; // digits, blanks and control characters removed at both ends
    std::string text; // GBK bytes of the character or word
};

// Removes blanks and control characters (bytes up to 0x20) at both ends.
std::string trimBlanks(const std::string& bytes);

// An exercise file of "hzlib": equal records of `recordLength` bytes, each a
// 6-byte code field, the text field and CR LF.
class ExerciseFile {
public:
    // Reads the file. Throws UserError naming it when it cannot be read,
    // holds less than one record or a record that is not sound (damage()).
    ExerciseFile(const QString& path, int recordLength, int textBytes, bool textTrimmed);
    // From bytes in memory (the file's contents).
    ExerciseFile(std::string bytes, int recordLength, int textBytes, bool textTrimmed);

    // (size + 1) div record length: a last line without its CR LF is not counted.
    static int recordCount(qint64 fileSize, int recordLength);
    int recordCount() const { return recordCount(static_cast<qint64>(bytes_.size()), length_); }

    // The record at a byte offset; fields cut short by the end of the file
    // are read as far as they go.
    ItemRecord LoadItemRecord(qint64 offset) const;

    // Why the records are not sound, "" when they are: the first record
    // whose code is not 1-6 digits or whose text is not whole GBK
    // double-byte characters, as the learner reads it.
    QString damage() const;

private:
    std::string bytes_;
    int length_, textBytes_;
    bool trimmed_;
};

} // namespace training
