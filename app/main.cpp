#include "create_windows.h"
#include "start_screen.h"
#include "tarvo_application.h"

int main(int argc, char** argv) {
    TarvoApplication app(argc, argv);
    createWindows();
    preface01->show();
    const int status = app.exec();
    destroyWindows();
    return status;
}
