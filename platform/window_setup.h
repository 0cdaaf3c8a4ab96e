#pragma once

#include <QString>

class QLabel;
class QPushButton;
class QWidget;

// The frames the program's windows use.
enum class Frame {
    Main,          // title bar, system menu, minimise and close; no maximise
    Dialog,        // title bar with a close box
    DialogNoClose, // title bar only: no system menu, no close box
    Borderless,    // no frame and no title bar
};

// Gives a window its caption, frame and fixed client size, and centres it on
// the screen each time it is shown.
void setupWindow(QWidget* window, const QString& caption, int clientWidth, int clientHeight,
                 Frame frame, bool stayOnTop = false);

// Centres a window on the screen it is on.
void centreOnScreen(QWidget* window);

// A label or push button at a fixed place of its parent.
QLabel* placeLabel(QWidget* parent, const QString& text, int x, int y, int w, int h);
QPushButton* placeButton(QWidget* parent, const QString& text, int x, int y, int w, int h);

// The line a module window shows until it is built.
void showPendingNote(QWidget* window);
