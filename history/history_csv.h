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

} // namespace history_csv
