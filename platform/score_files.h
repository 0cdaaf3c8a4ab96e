#pragma once

#include <QString>

// Where the score files ("record.dat", "record.txt", "phb.txt" of the "files"
// folder) are read and written.
//
// Run from its build folder, the program keeps them in its own "files"
// folder, beside its data. Installed, it never writes under its prefix: they
// live in the learner's data folder ($XDG_DATA_HOME/tarvo/files, usually
// ~/.local/share/tarvo/files), where the shipped copy is put the first time
// one is used. A copy there is never replaced, also when it is damaged.
//
// Throws UserError naming the folder when the learner's data folder cannot be
// made; the caller reports it and goes on without saving.
QString scoreFilePath(const QString& name);

// The learner's data folder of an installed program (ends in "/").
QString learnerDataFolder();
