#include "foreword_window.h"

#include "window_setup.h"

TForm2* Form2 = nullptr;

TForm2::TForm2(QWidget* parent) : QDialog(parent), player_(std::make_unique<SilentSoundPlayer>()) {
    setupWindow(this, QStringLiteral("前言"), 200, 100, Frame::Dialog);
}
