#pragma once

#include <QImage>
#include <QList>
#include <QString>

// The pictures of the code training: the exercise pictures, whose file
// names end in the code the learner types, and the training window's own
// pictures (mascot, vehicles, clock, side picture).
namespace art {

struct ExercisePicture {
    QString name; // file name without ".bmp"; its last digits are the code
    QImage image;
};

// Size of an exercise picture (the grid shows it at 49 × 48).
constexpr int kExerciseWidth = 98, kExerciseHeight = 96;

// Single stroke shapes of the rhyme: 横 1, 竖 2, 点 and 捺 3, 叉 4, 插 5,
// 方块 6, 角 7, 八 8, 小 9, 撇 and 左钩 0; several variants of each.
QList<ExercisePicture> strokePictures();

// Components whose shape gives one digit, drawn from the CJK fonts in two
// styles (楷 and 黑); only glyphs the fonts hold.
QList<ExercisePicture> componentPictures();

// A character with its corner code (the first four digits of its full code).
struct CodedCharacter {
    QString character;
    QString corners;
};
// Characters drawn large, each quarter tinted in its own colour (top left
// red, top right blue, bottom left green, bottom right purple), so that the
// learner reads one digit per coloured corner.
QList<ExercisePicture> colouredCharacters(const QList<CodedCharacter>& characters);
// The most frequent characters of a dictionary source table (chars.txt:
// code, character, frequency) that have exactly one full code.
QList<CodedCharacter> frequentCharacters(const QString& charsTable, int count);

// The training window's mascot (closed or open eyes), 72 × 72.
QImage mascot(bool open);
// The speed box's vehicles (0 bicycle, 1 car, 2 aeroplane), 64 × 36.
QImage vehicle(int which);
// The small clock beside the time of day, 24 × 24.
QImage clockFace();
// The decorative picture of the side panel, 171 × 158, drawn at `scale`
// device pixels a pixel.
QImage trainingSide(qreal scale = 1);

} // namespace art
