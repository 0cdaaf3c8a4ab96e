#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The codes of a character in the program's one dictionary, for the windows
// and cores that show, accept or record them.
namespace dictionary {

// Every code the dictionary gives `character` (its full codes and short
// codes, in dictionary order); empty when it has none. nullopt when there is
// no dictionary or it cannot be read (the window that uses it names why).
std::optional<QStringList> codesOfCharacter(const QString& character);

// A character's full code among its codes: the first of the longest; "" for none.
QString fullCodeAmong(const QStringList& codes);

} // namespace dictionary
