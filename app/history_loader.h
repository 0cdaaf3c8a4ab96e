#pragma once

class HistoryService;

// The learning history, loaded on its first use: the first run, test or game
// that ends, the first review, the window "学习记录". Until then the program
// has not loaded Qt SQL and Qt Charts.

// Gives the training, the article test and the warm-up their links to the
// history; each loads it when it is first used.
void linkHistory();
// The history, loaded now if it is not yet; null when it cannot be loaded
// (the reason was reported once).
HistoryService* loadedHistory();
// The history if it has been loaded, else null (nothing to close or write).
HistoryService* historyIfLoaded();
// Closes the history and its window (the next use opens them again).
void closeHistory();
// A history linked into the executable instead of the module (the tests).
void useLinkedHistory(HistoryService* history);
