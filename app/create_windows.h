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

// Deletes the windows and the dictionary, in reverse order.
void destroyWindows();
