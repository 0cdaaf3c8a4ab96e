#include "training/foreword_window.h"

#include "platform/loaded_sound_player.h"
#include "platform/prompts.h"
#include "platform/window_setup.h"

TForm2* Form2 = nullptr;

TForm2::TForm2(QWidget* parent)
    : QDialog(parent), player_(makeSoundPlayer([](const QString& message) {
          // Told once: the training goes on without sound.
          prompts::inform(nullptr, QStringLiteral("声音"), message);
      })) {
    setupWindow(this, QStringLiteral("前言"), 200, 100, Frame::Dialog);
}
