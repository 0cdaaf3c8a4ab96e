#pragma once

#include <QString>

// A module the program loads at its first use ("tarvo-history.so"): beside
// the program when it runs from its build folder, else in lib/tarvo/modules/ of the
// installation.
QString moduleFile(const QString& name);
