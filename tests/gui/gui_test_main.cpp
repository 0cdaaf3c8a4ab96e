// Runs GUI tests on Qt's offscreen platform: no display needed. The
// application object is the program's own, so the tests see its error
// handler and its Chinese dialogs.
#include "app/tarvo_application.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Sound goes nowhere, quietly, unless a test chooses SDL's disk output.
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER"))
        qputenv("SDL_AUDIODRIVER", "dummy");
    TarvoApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
