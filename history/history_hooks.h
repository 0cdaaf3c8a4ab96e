#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <string>
#include <vector>

// What the windows tell the learning history, in the windows' own terms.

// An article test ended (finished or time up): the article's name, the test
// clock's text ("05:00"), the characters typed and the report's error lines
// ("中(种)": the article's character, then the one entered), with the codes
// typed for them (ASCII digits). `codeOf` gives a character's code from the
// dictionary (empty when it has none): the right code of each character,
// and the typed code where none was kept.
void recordTestInHistory(const QString& article, const QString& clock, int typed,
                         const QStringList& errorLines, const std::vector<std::string>& typedCodes,
                         const std::function<QStringList(const QString&)>& codesOf);

// A warm-up game ended.
void recordWarmupInHistory(bool funMode, int seconds, int score);
