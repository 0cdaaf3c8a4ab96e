#pragma once

#include "platform/colour.h"

#include <QString>

// What the test window's dialogs read from it and set on it: the settings
// dialog its colours and duration, the report the clock and the counts of
// the test that ended. The test window is the one instance; the dialogs find
// it through testWindowState() and never include the window itself.
class TestWindowState {
public:
    virtual ~TestWindowState();

    // Test settings, changed by the settings dialog.
    int TestMinutes = 15;
    Colour TypedColour = 0x000000;
    Colour UntypedColour = 0x000000;
    Colour InputColour = 0xFF0000;
    Colour GroundColour = 0xFFFFFF;

    // Applies the settings dialog's duration: its label and the progress
    // bar's length. The article takes the colours when the dialog closes.
    virtual void applySettings() = 0;

    // The test clock's text ("05:00"), the characters typed and typed wrong.
    virtual QString clockText() const = 0;
    virtual int typedCount() const = 0;
    virtual int wrongCount() const = 0;
    // The code typed for the report's error line `index` (ASCII digits; ""
    // when none was kept).
    virtual QString typedCodeOf(int index) const = 0;

protected:
    TestWindowState();
};

// The test window, or null before it is made and after it is deleted.
TestWindowState* testWindowState();
