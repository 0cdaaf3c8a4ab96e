#pragma once

#include <QString>

// The program's folder: where the executable lies, with its data folders
// beside it. Always ends in "/".
QString programFolder();

// Makes programFolder() answer `folder` (tests run the windows on a
// temporary program folder); an empty text restores the executable's folder.
void setProgramFolder(const QString& folder);
