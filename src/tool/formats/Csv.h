#pragma once

#include "Exchange.h"
#include "LogRecord.h"

#include <optional>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <vector>

// CSV as RFC 4180 has it, for spreadsheets: cells separated by commas, rows by
// CR LF, a cell with a comma, a quote or a line break in double quotes. Read
// also as spreadsheets save it elsewhere: cells separated by ";" or a tab.
namespace tool::csv {

struct Row {
    int line = 0; // where the row begins in the file
    int row = 0;  // the row a spreadsheet shows it in
    QStringList cells;
};
// nullopt when a quoted cell is never closed; `error` says where it opened.
std::optional<std::vector<Row>> rows(const QString& text, exchange::Message* error,
                                     QChar separator = QLatin1Char(','));

// A spreadsheet's file as text: by its byte order mark (UTF-8 or UTF-16),
// else UTF-8 when it is, else Windows-1252, as Excel saves "CSV" in western
// Europe. `taken` tells an encoding other than UTF-8. nullopt, with the line
// of the first byte that is not UTF-8, for a file that says it is UTF-8 by its
// mark and is not.
std::optional<QString> decode(const QByteArray& bytes, QStringList* taken, int* badLine);
// The row's cells, quoted where they must be, and CR LF; `separator` between
// them (a ';' for a spreadsheet where the locale writes a decimal comma).
QString rowText(const QStringList& cells, QChar separator = QLatin1Char(','));
// How a report's CSV is written: as RFC 4180 has it, or as Excel opens it by
// a double click, which takes UTF-8 only after a byte-order mark and, where
// the locale writes a decimal comma, wants ';' between cells and that comma
// in numbers.
struct Style {
    QChar separator = QLatin1Char(',');
    QChar decimalPoint = QLatin1Char('.');
    bool byteOrderMark = false;

    // What the file starts with: the byte-order mark, or nothing.
    QString start() const;
    QString row(const QStringList& cells) const { return rowText(cells, separator); }
    // A decimal number such as "62.5" with the style's decimal point; any
    // other text as it is.
    QString number(const QString& text) const;
};
Style excelStyle(const QLocale& locale);

// A spreadsheet runs a cell that starts like this as a formula.
bool startsAsFormula(const QString& cell);
// A text from a file anyone can write, as a cell a spreadsheet shows as text:
// behind a ' when it would run as a formula.
QString asText(const QString& cell);

// Questions, one a row under a header row that names the columns (kind,
// question, choice 1 to choice 5, right choice, explanation, quizdex); the
// columns may come in any order, separated by the first of ",", ";" and a tab
// that makes the header row name them.
exchange::ReadResult readQuestions(const QString& text);
QString questionHeader();
QString questionRow(const storage::Question& q, const exchange::Extras& extras);
// A text as it comes back after write and read.
QString roundTrip(const QString& text);

// A score log's entries: test, date, time, questions, score; a text that a
// spreadsheet would take for a formula gets a ' in front.
QString logHeader();
QString logRow(const storage::LogRecord& rec);

} // namespace tool::csv
