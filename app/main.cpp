#include "app/command_line.h"
#include "app/create_windows.h"
#include "app/first_paint_probe.h"
#include "app/start_screen.h"
#include "app/tarvo_application.h"

#include <iostream>

int main(int argc, char** argv) {
    // --help and --version answer on the terminal, without a window.
    if (const auto status = answerCommandLine({argv + 1, argv + argc}, std::cout))
        return *status;
    TarvoApplication app(argc, argv);
    // The start screen shows first; the other windows are made right after
    // its first paint, before the learner can reach them.
    createStartScreen();
    afterFirstPaint(preface01, [] {
        if (quitHereWhenAsked("painted"))
            return;
        createModuleWindows();
        quitHereWhenAsked("ready");
    });
    preface01->show();
    const int status = app.exec();
    destroyWindows();
    return status;
}
