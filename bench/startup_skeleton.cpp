// The yardstick of the start-up benchmark: a Qt program that does the least
// the tutor must do before a picture. It creates as many empty top-level
// windows as its argument says (one when there is none), shows the first at
// the start screen's size, and ends after its first paint.
#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdlib>
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
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;
    auto* first = new FirstWindow;
    windows.emplace_back(first);
    for (int i = 1; i < count; ++i)
        windows.emplace_back(new QWidget);
    first->setFixedSize(1002, 712);
    first->show();
    return app.exec();
}
