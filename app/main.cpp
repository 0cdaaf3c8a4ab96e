#include "app/command_line.h"
#include "app/create_windows.h"
#include "app/first_paint_probe.h"
#include "app/history_loader.h"
#include "app/start_screen.h"
#include "app/tarvo_application.h"
#include "platform/loaded_sound_player.h"
#include "platform/screen_fit.h"

#include <iostream>
#include <vector>

int main(int argc, char** argv) {
    // --help and --version answer on the terminal, without a window.
    if (const auto status = answerCommandLine({argv + 1, argv + argc}, std::cout))
        return *status;
    // The arguments as given, for a start again (the application takes its
    // own options out of argv).
    std::vector<char*> arguments(argv, argv + argc + 1);
    TarvoApplication app(argc, argv);
    // The start screen shows first; the other windows are made right after
    // its first paint, before the learner can reach them.
    createStartScreen();
    screenfit::startAgainToFit(*preface01, arguments.data());
    afterFirstPaint(preface01, [] {
        if (quitHereWhenAsked("painted"))
            return;
        createModuleWindows();
        if (quitHereWhenAsked("ready"))
            return;
        // The installation's check: the modules loaded at their first use load.
        if (qgetenv("TARVO_QUIT_AFTER_FIRST_PAINT") == "modules")
            QCoreApplication::exit(loadedHistory() && soundModuleLoads() ? 0 : 3);
    });
    preface01->show();
    const int status = app.exec();
    destroyWindows();
    return status;
}
