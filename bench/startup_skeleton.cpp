// The yardstick of the start-up benchmark: a Qt program that does the least
// the tutor must do before its first picture. It creates nineteen empty
// top-level windows, shows one of the start screen's size, and ends after
// its first paint.
#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <vector>

namespace {

class FirstWindow : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(rect(), Qt::white);
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::vector<std::unique_ptr<QWidget>> windows;
    auto* first = new FirstWindow;
    windows.emplace_back(first);
    for (int i = 1; i < 19; ++i)
        windows.emplace_back(new QWidget);
    first->setFixedSize(1002, 712);
    first->show();
    return app.exec();
}
