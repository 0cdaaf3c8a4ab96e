#pragma once

#include <QString>
#include <QStringList>

// What the windows tell the learning history, in the windows' own terms.

// An article test ended (finished or time up): the article's name, the test
// clock's text ("05:00"), the characters typed and the report's error lines
// ("中(种)": the article's character, then the one entered).
void recordTestInHistory(const QString& article, const QString& clock, int typed,
                         const QStringList& errorLines);

// A warm-up game ended.
void recordWarmupInHistory(bool funMode, int seconds, int score);
