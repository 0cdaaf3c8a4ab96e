#pragma once

#include <QString>

// The program's folder: where its data folders (hzlib, exercise, files …)
// lie. Built, that is the executable's folder; installed, the executable is
// in <prefix>/bin and its data in <prefix>/share/tarvo. Always ends in "/".
QString programFolder();

// The data folder of a program installed with its executable in `executableFolder`.
QString installedDataFolder(const QString& executableFolder);

// Whether the program runs from an installation (its data in share/), where
// nothing may be written beside the data.
bool runsInstalled();

// Makes programFolder() answer `folder` (tests run the windows on a
// temporary program folder); an empty text restores the executable's folder.
void setProgramFolder(const QString& folder);

// Makes the program take `folder` for its executable's folder (tests of an
// installed layout); an empty text restores the real one.
void setExecutableFolder(const QString& folder);
