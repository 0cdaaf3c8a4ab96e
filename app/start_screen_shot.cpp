// tarvo-screenshot: the start screen as the software centre shows it, drawn
// by the program's own window on Qt's offscreen platform into a PNG.
//   tarvo-screenshot PROGRAM_DIR OUT_PNG
// The picture is the same at every build: no history is read (the plan line
// is that of a learner on the course's third step with a few reviews due),
// the animation stays hidden, and the training's entry has the keyboard's
// focus, so its preview and its frame show.
#include "app/start_screen.h"
#include "app/tarvo_application.h"
#include "course/course.h"
#include "platform/program_folder.h"

#include <QImage>
#include <QSaveFile>
#include <QToolButton>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "用法：tarvo-screenshot PROGRAM_DIR OUT_PNG\n");
        return 1;
    }
    // One device pixel a pixel, whatever the desktop that runs the build says.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qunsetenv("QT_SCALE_FACTOR");
    qunsetenv("QT_SCREEN_SCALE_FACTORS");
    qunsetenv("QT_ENABLE_HIGHDPI_SCALING");
    TarvoApplication app(argc, argv);
    setProgramFolder(QString::fromLocal8Bit(argv[1]));

    Tpreface01 screen;
    screen.openCourse = [] {};
    screen.plan = [] { return course::planLine(12, 3, 3, 16, 5); };
    screen.show();
    screen.activateWindow();
    QCoreApplication::processEvents();
    screen.updatePlan();
    screen.SpeedButton[3]->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();

    const QImage shot = screen.grab().toImage();
    const QString out = QString::fromLocal8Bit(argv[2]);
    QSaveFile file(out);
    if (shot.isNull() || !file.open(QIODevice::WriteOnly) || !shot.save(&file, "PNG") ||
        !file.commit()) {
        std::fprintf(stderr, "无法写入 %s\n", argv[2]);
        return 1;
    }
    return 0;
}
