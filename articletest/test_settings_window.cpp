#include "test_settings_window.h"

#include "test_window.h"
#include "window_setup.h"

#include <stdexcept>

TForm_color* Form_color = nullptr;

TForm_color::TForm_color(QWidget* parent) : QDialog(parent) {
    if (!form_test)
        throw std::logic_error("the test window must be created before its settings dialog");
    SampleTyped = form_test->TypedColour;
    SampleUntyped = form_test->UntypedColour;
    SampleInput = form_test->InputColour;
    SampleGround = form_test->GroundColour;
    SampleMinutes = form_test->TestMinutes;
    setupWindow(this, QStringLiteral("设置"), 360, 300, Frame::Dialog);
    showPendingNote(this);
}
