#pragma once

#include <QString>

// A module the program loads at its first use ("tarvo-history.so"): beside
// the program when it runs from its build folder, else in lib/tarvo/modules/ of the
// installation.
QString moduleFile(const QString& name);

// Why the module at `path` must not be loaded, in Chinese; "" when it may.
// Looked at before the loader maps it: a missing file, a FIFO or device (the
// loader would wait on it for ever), a file that is no shared object of this
// machine, or one cut short (the loader would map pages past its end and the
// program would die at their first use).
QString moduleProblem(const QString& path);

// Loads the module and finds its entry; null with `problem` set to a
// Chinese reason when it cannot.
void* loadModuleEntry(const QString& path, const char* entry, QString& problem);
