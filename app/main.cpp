#include "create_windows.h"
#include "start_screen.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    createWindows();
    preface01->show();
    const int status = app.exec();
    destroyWindows();
    return status;
}
