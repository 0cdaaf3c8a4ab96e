#pragma once

#include <QString>

#include <vector>

class QWidget;

// Creates every window of the program once, in the order the windows rely
// on: the start screen first (the main window), the test window before its
// settings dialog (which reads the test window's colours), the training
// window last; then the code dictionary, on the program folder's "hzlib".
// Returns the windows in creation order.
std::vector<QWidget*> createWindows();

// The same in two steps, so the learner sees the start screen before the
// other windows are made: the start screen alone, then (once it is painted)
// the other windows and the dictionary. The second step runs once; anything
// that opens a module window calls it first, in case that has not happened.
void createStartScreen();
void createModuleWindows();

// Deletes the windows and the dictionary, in reverse order.
void destroyWindows();
