#pragma once

#include "coaching/corner_table.h"

#include <QString>
#include <QStringList>

#include <vector>

// Why a typed code is wrong, in the rhyme's words: "一横二竖三点捺，叉四插五方块
// 六，七角八八九是小，撇与左钩都是零。" A typed code is compared with the right
// code digit by digit, and each corner that differs is named with the stroke
// the character has there and the stroke the typed digit stands for:
// "右下角是角（7），不是竖（2）". A word's code is shown as it is built from
// its characters' codes, and a wrong digit is traced to its character.
namespace coaching {

// "左上角", "右上角", "左下角", "右下角", "附角"; empty for other positions.
QString cornerName(int corner);
// The rhyme's name of a digit: "撇或左钩" for 0, "横" for 1, "竖", "点或捺",
// "叉", "插", "方", "角", "八", "小"; empty for anything but a digit.
QString rhymeName(QChar digit);

// A corner's stroke name as it stands in a sentence: the 0 of a stroke that
// already makes another corner ("已用") is named by that.
QString strokeInSentence(const QString& name);

// The characters of a text (code points), one string each.
QStringList charactersOf(const QString& text);

// Where a code is judged: alone (the training: a code is right only when it
// is the one asked for), or as the first step of a choice among candidates
// (the article test: any code of the character is right, the pick decides).
enum class Entry { CodeOnly, WithCandidates };

enum class Verdict {
    Right,          // the typed code is the code asked for (and only a code was judged)
    WrongCandidate, // the typed code enters the item, but another candidate was picked
    ShortCode,      // a shorter code of the item was typed where a longer one is asked
    OtherCode,      // another code of the item (another reading) was typed
    WrongDigits,    // digits differ, are missing or are too many: see the differences
};

// One digit of the typed code that differs from the right code.
struct DigitDifference {
    int index = 0; // the digit's position in the right code (in the typed code for an extra digit)
    int character = 0; // which character of a word the digit comes from; -1 for an extra digit
    int corner = -1;   // Corner of that character; -1 for an extra digit
    QChar right;       // null: the typed code has a digit too many here
    QChar typed;       // null: the typed code lacks this digit
    QString rightName; // the stroke at the corner: the character's own reading when known
    QString typedName; // the rhyme's name of the typed digit
    int stroke = -1;   // the stroke making the corner (stroke order from 0); -1 unknown
};

// The digits [from, from + length) of a word's code are the first `length`
// digits of the code of the word's character `character`.
struct WordPart {
    int character = 0;
    int from = 0;
    int length = 0;
};

struct Explanation {
    Verdict verdict = Verdict::Right;
    std::vector<DigitDifference> differences; // for WrongDigits, in digit order
    std::vector<WordPart> parts;              // words only: how the code is built
    QStringList lines;                        // the explanation for the learner
};

struct CharacterCode {
    QString character;
    QString code;         // the code asked for
    QStringList ownCodes; // further codes that enter the character (short codes, other readings)
};

struct WordCode {
    QString word;
    QStringList characterCodes; // each character's main code, in the word's order
    QString code;               // the code asked for
    QStringList ownCodes;       // further codes that enter the word (a one-key code)
};

// How a word of `characters` characters takes its six digits: two
// characters three digits each; three characters two each; four characters
// two, two, one, one; five and more the first two digits of the first
// character and the first digit of the second, the third, the last but one
// and the last. Empty for fewer than two characters.
std::vector<WordPart> wordCodeParts(int characters);
// The code of a word from its characters' main codes; empty when it has
// fewer than two characters or a code is too short for its part.
QString wordCode(const QStringList& characterCodes);

// Explains `typed` against a character's code. The corner table names the
// character's strokes; without an entry the rhyme's names are used.
Explanation explain(const QString& typed, const CharacterCode& asked, const CornerTable& corners,
                    Entry entry);
// Explains `typed` against a word's code: the first line shows how the code
// is built ("中国 = 500（中）+ 601（国）"), each wrong digit names its character.
Explanation explain(const QString& typed, const WordCode& asked, const CornerTable& corners,
                    Entry entry);

} // namespace coaching
