#pragma once

#include "history/history_records.h"

#include <QByteArray>
#include <QString>

#include <vector>

// The history as CSV for a spreadsheet: UTF-8 with a byte-order mark (so
// spreadsheets read the Chinese right), a header line, CRLF line ends, and
// fields quoted where they hold a comma, a quote or a line break.
namespace history_csv {

QString field(const QString& value);
QByteArray runs(const std::vector<TrainingRunRecord>& runs);
QByteArray tests(const std::vector<ArticleTestRecord>& tests);
QByteArray games(const std::vector<WarmupRecord>& games);
// The warm-up's two ways of playing by their menu names.
QString modeName(const QString& mode);

// The names of the three files an export writes.
inline const char* const kRunsFile = "训练记录.csv";
inline const char* const kTestsFile = "文章测试记录.csv";
inline const char* const kGamesFile = "热身记录.csv";

// Writes the runs, the tests and the warm-up games into `folder` as
// kRunsFile, kTestsFile and kGamesFile, each through a temporary file, so an
// earlier export is replaced whole or not at all. Throws UserError naming the
// file that could not be written.
void exportTo(const QString& folder, const std::vector<TrainingRunRecord>& runs,
              const std::vector<ArticleTestRecord>& tests,
              const std::vector<WarmupRecord>& games = {});

} // namespace history_csv
