#include "Csv.h"

#include "TextLines.h"

// The cells and rows of CSV, and a score log's entries as rows.
namespace tool::csv {

namespace {

QString cellText(const QString& s) {
    const bool quote = s.contains(QLatin1Char(',')) || s.contains(QLatin1Char('"')) ||
                       s.contains(QLatin1Char('\r')) || s.contains(QLatin1Char('\n')) ||
                       (!s.isEmpty() && (lines::isBlank(s.front()) || lines::isBlank(s.back())));
    if (!quote)
        return s;
    return QLatin1Char('"') + QString(s).replace(QLatin1Char('"'), QLatin1String("\"\"")) +
           QLatin1Char('"');
}

} // namespace

bool startsAsFormula(const QString& cell) {
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    return !cell.isEmpty() && formulaStarts.contains(cell.front());
}

QString asText(const QString& cell) {
    return startsAsFormula(cell) ? QLatin1Char('\'') + cell : cell;
}

std::optional<std::vector<Row>> rows(const QString& text, exchange::Message* error) {
    std::vector<Row> out;
    Row row;
    QString cell;
    int line = 1;
    row.line = 1;
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto endOfLine = [&](qsizetype at) {
        return text.at(at) == QLatin1Char('\n') || text.at(at) == QLatin1Char('\r');
    };
    // Past one line break (CR LF, LF or CR) at i.
    auto skipBreak = [&] {
        if (text.at(i) == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        ++i;
        ++line;
    };
    while (i < n) {
        if (text.at(i) == QLatin1Char('"')) {
            const int opened = line;
            ++i;
            for (;;) {
                if (i >= n) {
                    *error = {opened, QStringLiteral("a quoted cell is never closed")};
                    return std::nullopt;
                }
                if (text.at(i) == QLatin1Char('"')) {
                    if (i + 1 < n && text.at(i + 1) == QLatin1Char('"')) {
                        cell += QLatin1Char('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                if (endOfLine(i)) {
                    const qsizetype from = i;
                    skipBreak();
                    cell += text.mid(from, i - from);
                    continue;
                }
                cell += text.at(i++);
            }
        }
        // Up to the comma or the end of the line; text after a closing quote
        // is kept, as spreadsheets do.
        while (i < n && text.at(i) != QLatin1Char(',') && !endOfLine(i))
            cell += text.at(i++);
        row.cells.append(cell);
        cell.clear();
        if (i < n && text.at(i) == QLatin1Char(',')) {
            ++i;
            if (i == n)
                row.cells.append(QString());
            continue;
        }
        if (i < n)
            skipBreak();
        out.push_back(row);
        row = Row();
        row.line = line;
    }
    if (!row.cells.isEmpty())
        out.push_back(row);
    return out;
}

QString rowText(const QStringList& cells) {
    QStringList quoted;
    quoted.reserve(cells.size());
    for (const QString& c : cells)
        quoted.append(cellText(c));
    return quoted.join(QLatin1Char(',')) + QLatin1String("\r\n");
}

QString logHeader() {
    return rowText({QStringLiteral("test"), QStringLiteral("date"), QStringLiteral("time"),
                    QStringLiteral("questions"), QStringLiteral("score")});
}

QString logRow(const LogRecord& rec) {
    // A test's name is a file name anyone can choose: one that a spreadsheet
    // would run as a formula ("=...") is shown as text.
    return rowText({asText(rec.text(LogRecord::TestTaken)), asText(rec.text(LogRecord::DateTaken)),
                    asText(rec.text(LogRecord::TimeTaken)), QString::number(rec.numQuestions()),
                    asText(rec.text(LogRecord::TestScore))});
}
} // namespace tool::csv
