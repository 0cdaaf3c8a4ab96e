#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget start;
    start.setWindowTitle(QStringLiteral("Tarvo码输入法教学训练软件"));
    start.setFixedSize(1002, 712);
    start.show();
    return app.exec();
}
