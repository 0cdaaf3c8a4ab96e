#pragma once

#include <QPalette>
#include <QString>

class QApplication;
class QLabel;
class QStyle;
class QPushButton;
class QWidget;

// The frames the program's windows use.
enum class Frame {
    Main,          // title bar, system menu, minimise and close; no maximise
    Dialog,        // title bar with a close box
    DialogNoClose, // title bar only: no system menu, no close box
    Borderless,    // no frame and no title bar
};

// Where a window appears.
enum class Placement {
    Centred,  // centred on the screen the first time it is shown; later showings
              // keep the place it had (also where the learner moved it)
    ByCaller, // the window's opener places it
};

// The light palette a window keeps under a dark style: its texts are
// coloured for a light ground. Its disabled group is grey.
QPalette lightGround();

// Whether a style's own colours are dark (Adwaita-Dark, a dark Breeze).
bool styleIsDark(const QStyle& style);
// Under a dark style, makes the application use Qt's Fusion style, which
// draws buttons in the windows' own light palette (the dark style drew
// black captions on dark grey).
void keepStyleReadable(QApplication& app);

// Gives a window its caption, frame, fixed client size and placement. The
// window keeps a light ground under a dark style (lightGround()).
void setupWindow(QWidget* window, const QString& caption, int clientWidth, int clientHeight,
                 Frame frame, bool stayOnTop = false, Placement placement = Placement::Centred);

// Makes `window` a window of `owner`: it stays above its owner and takes
// input while the owner is shown modally (a modal window blocks every other
// window but its own). Its frame and flags are kept.
void ownWindow(QWidget* window, QWidget* owner);

// Centres a window on the screen it is on.
void centreOnScreen(QWidget* window);

// A label or push button at a fixed place of its parent.
QLabel* placeLabel(QWidget* parent, const QString& text, int x, int y, int w, int h);
QPushButton* placeButton(QWidget* parent, const QString& text, int x, int y, int w, int h);
