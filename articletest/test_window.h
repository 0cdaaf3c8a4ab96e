#pragma once

#include "colour.h"

#include <QDialog>
#include <QString>

// The article test window.
class Tform_test : public QDialog {
    Q_OBJECT
public:
    explicit Tform_test(QWidget* parent = nullptr);

    // The program's folder, set by the start screen; the working directory
    // while the window is shown.
    QString HomeDir;

    // Test settings, changed by the settings dialog.
    int TestMinutes = 15;
    Colour TypedColour = 0x000000;
    Colour UntypedColour = 0x000000;
    Colour InputColour = 0xFF0000;
    Colour GroundColour = 0xFFFFFF;

protected:
    void showEvent(QShowEvent* event) override;
};

extern Tform_test* form_test;
