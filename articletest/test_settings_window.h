#pragma once

#include "colour.h"

#include <QDialog>

// The test's colours and duration.
class TForm_color : public QDialog {
    Q_OBJECT
public:
    // Reads the test window's current settings for its sample, so the test
    // window must exist first.
    explicit TForm_color(QWidget* parent = nullptr);

    // The values the sample shows.
    Colour SampleTyped, SampleUntyped, SampleInput, SampleGround;
    int SampleMinutes;
};

extern TForm_color* Form_color;
