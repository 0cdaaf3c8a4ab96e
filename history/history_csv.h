#pragma once

#include "history_records.h"

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

// The names of the two files an export writes.
inline const char* const kRunsFile = "训练记录.csv";
inline const char* const kTestsFile = "文章测试记录.csv";

// Writes the runs and the tests into `folder` as kRunsFile and kTestsFile,
// each through a temporary file, so an earlier export is replaced whole or
// not at all. Throws UserError naming the file that could not be written.
void exportTo(const QString& folder, const std::vector<TrainingRunRecord>& runs,
              const std::vector<ArticleTestRecord>& tests);

} // namespace history_csv
