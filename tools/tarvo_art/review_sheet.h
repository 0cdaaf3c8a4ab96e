#pragma once

#include <QImage>
#include <QList>
#include <QString>

// Sheets for checking corner readings by eye: each cell shows one character
// drawn from its strokes, large, each stroke numbered at its start, with a
// caption line underneath.
namespace art {

struct ReviewCell {
    QString character;
    QString caption;
};

// One sheet of up to columns × rows cells; `strokeFolder` holds the stroke
// data files.
QImage reviewSheet(const QString& strokeFolder, const QList<ReviewCell>& cells, int columns,
                   int rows);

} // namespace art
