#include "platform/window_setup.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QVBoxLayout>
#include <QWidget>

namespace {

// Centres its window the first time it is shown, then removes itself: a
// window shown again stays where it was, so it neither drifts by its frame
// nor jumps back from where the learner moved it.
class CentreOnFirstShow : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            centreOnScreen(static_cast<QWidget*>(watched));
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

// Keeps a window on the light ground its coloured texts were chosen for
// (navy messages, dark red titles, black names): under a dark style the
// window takes a light palette of its own instead of the dark one.
class KeepLightGround : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::PaletteChange || event->type() == QEvent::Polish) {
            auto* w = static_cast<QWidget*>(watched);
            if (w->palette().color(QPalette::Window).lightness() < 128)
                w->setPalette(lightGround());
        }
        return false;
    }
};

} // namespace

QPalette lightGround() {
    QPalette p(QColor(236, 236, 236), QColor(240, 240, 240));
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::AlternateBase, QColor(245, 245, 245));
    p.setColor(QPalette::Text, Qt::black);
    p.setColor(QPalette::WindowText, Qt::black);
    p.setColor(QPalette::ButtonText, Qt::black);
    p.setColor(QPalette::ToolTipBase, QColor(255, 255, 225));
    p.setColor(QPalette::ToolTipText, Qt::black);
    p.setColor(QPalette::Highlight, QColor(48, 140, 198));
    p.setColor(QPalette::HighlightedText, Qt::white);
    // A disabled button or box looks disabled: grey text on a paler ground.
    const QColor grey(150, 150, 150);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, grey);
    p.setColor(QPalette::Disabled, QPalette::Base, QColor(240, 240, 240));
    p.setColor(QPalette::Disabled, QPalette::Button, QColor(232, 232, 232));
    p.setColor(QPalette::Disabled, QPalette::Highlight, QColor(190, 190, 190));
    return p;
}

bool styleIsDark(const QStyle& style) {
    return style.standardPalette().color(QPalette::Window).lightness() < 128;
}

void keepStyleReadable(QApplication& app) {
    // A dark style draws its buttons dark whatever the window's palette, and
    // the windows' black captions would be black on dark grey: under such a
    // style the program takes Qt's own Fusion, which follows the palette.
    if (app.style() && styleIsDark(*app.style()))
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
}

void centreOnScreen(QWidget* w) {
    const QScreen* screen = w->screen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    QRect frame = w->frameGeometry();
    frame.moveCenter(available.center());
    // A window larger than the screen (a large scale factor) keeps its title
    // bar on the screen, where the learner can reach it, rather than being
    // centred past the screen's top and left edges.
    if (frame.top() < available.top())
        frame.moveTop(available.top());
    if (frame.left() < available.left())
        frame.moveLeft(available.left());
    w->move(frame.topLeft());
}

void setupWindow(QWidget* w, const QString& caption, int width, int height, Frame frame,
                 bool stayOnTop, Placement placement) {
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint;
    switch (frame) {
    case Frame::Main:
        flags |= Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint;
        break;
    case Frame::Dialog:
        flags |=
            Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        break;
    case Frame::DialogNoClose:
        flags |= Qt::Dialog | Qt::WindowTitleHint;
        break;
    case Frame::Borderless:
        flags = Qt::Tool | Qt::FramelessWindowHint;
        break;
    }
    if (stayOnTop)
        flags |= Qt::WindowStaysOnTopHint;
    w->setWindowFlags(flags);
    w->installEventFilter(new KeepLightGround(w));
    w->setWindowTitle(caption);
    w->setFixedSize(width, height);
    if (placement == Placement::Centred)
        w->installEventFilter(new CentreOnFirstShow(w));
}

void ownWindow(QWidget* window, QWidget* owner) {
    const Qt::WindowFlags flags = window->windowFlags();
    window->setParent(owner, flags);
}

QLabel* placeLabel(QWidget* parent, const QString& text, int x, int y, int w, int h) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(x, y, w, h);
    // Plain text: a label showing a file name or a typed name shows it as
    // spelt ("<b>春.txt" is no bold 春.txt); a label drawn as HTML says so.
    l->setTextFormat(Qt::PlainText);
    return l;
}

QPushButton* placeButton(QWidget* parent, const QString& text, int x, int y, int w, int h) {
    auto* b = new QPushButton(text, parent);
    b->setGeometry(x, y, w, h);
    return b;
}
