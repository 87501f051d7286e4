#pragma once

#include "Exchange.h"
#include "LogRecord.h"

#include <optional>
#include <QString>
#include <QStringList>
#include <vector>

// CSV as RFC 4180 has it, for spreadsheets: cells separated by commas, rows by
// CR LF, a cell with a comma, a quote or a line break in double quotes.
namespace tool::csv {

struct Row {
    int line = 0; // where the row begins
    QStringList cells;
};
// nullopt when a quoted cell is never closed; `error` says where it opened.
std::optional<std::vector<Row>> rows(const QString& text, exchange::Message* error);
// The row's cells, quoted where they must be, and CR LF.
QString rowText(const QStringList& cells);
// A spreadsheet runs a cell that starts like this as a formula.
bool startsAsFormula(const QString& cell);
// A text from a file anyone can write, as a cell a spreadsheet shows as text:
// behind a ' when it would run as a formula.
QString asText(const QString& cell);

// Questions, one a row under a header row that names the columns (kind,
// question, choice 1 to choice 5, right choice, explanation, quizdex); the
// columns may come in any order.
exchange::ReadResult readQuestions(const QString& text);
QString questionHeader();
QString questionRow(const storage::Question& q, const exchange::Extras& extras);
// A text as it comes back after write and read.
QString roundTrip(const QString& text);

// A score log's entries: test, date, time, questions, score; a text that a
// spreadsheet would take for a formula gets a ' in front.
QString logHeader();
QString logRow(const LogRecord& rec);

} // namespace tool::csv
