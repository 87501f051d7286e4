#include "Csv.h"

#include "Cp1252.h"
#include "TextLines.h"

#include <QRegularExpression>
#include <QStringDecoder>

// The cells and rows of CSV, and a score log's entries as rows.
namespace tool::csv {

namespace {

QString cellText(const QString& s, QChar separator) {
    const bool quote = s.contains(separator) || s.contains(QLatin1Char('"')) ||
                       s.contains(QLatin1Char('\r')) || s.contains(QLatin1Char('\n')) ||
                       (!s.isEmpty() && (lines::isBlank(s.front()) || lines::isBlank(s.back())));
    if (!quote)
        return s;
    return QLatin1Char('"') + QString(s).replace(QLatin1Char('"'), QLatin1String("\"\"")) +
           QLatin1Char('"');
}

// Reads the rows of a CSV text cell by cell, counting lines and rows.
class RowReader {
public:
    RowReader(const QString& text, QChar separator) : m_text(text), m_separator(separator) {}

    std::optional<std::vector<Row>> read(exchange::Message* error) {
        std::vector<Row> out;
        Row row{1, 1, {}};
        while (m_i < m_text.size()) {
            QString cell;
            if (at(QLatin1Char('"')) && !quoted(cell, error))
                return std::nullopt;
            // Up to the separator or the end of the line; text after a closing
            // quote is kept, as spreadsheets do.
            while (m_i < m_text.size() && !at(m_separator) && !atLineEnd())
                cell += m_text.at(m_i++);
            row.cells.append(cell);
            if (at(m_separator)) {
                if (++m_i == m_text.size())
                    row.cells.append(QString());
                continue;
            }
            if (m_i < m_text.size())
                skipLineEnd();
            out.push_back(row);
            row = Row{m_line, row.row + 1, {}};
        }
        if (!row.cells.isEmpty())
            out.push_back(row);
        return out;
    }

private:
    bool at(QChar c) const { return m_i < m_text.size() && m_text.at(m_i) == c; }
    bool atLineEnd() const { return at(QLatin1Char('\n')) || at(QLatin1Char('\r')); }
    // Past one line break (CR LF, LF or CR).
    void skipLineEnd() {
        if (at(QLatin1Char('\r')) && m_i + 1 < m_text.size() &&
            m_text.at(m_i + 1) == QLatin1Char('\n'))
            ++m_i;
        ++m_i;
        ++m_line;
    }
    // A cell in double quotes, its doubled quotes as one; false when it is
    // never closed.
    bool quoted(QString& cell, exchange::Message* error) {
        const int opened = m_line;
        for (++m_i;;) {
            if (m_i >= m_text.size()) {
                *error = {opened, QStringLiteral("a quoted cell is never closed")};
                return false;
            }
            if (at(QLatin1Char('"'))) {
                ++m_i;
                if (!at(QLatin1Char('"')))
                    return true;
                cell += m_text.at(m_i++);
            } else if (atLineEnd()) {
                const qsizetype from = m_i;
                skipLineEnd();
                cell += m_text.mid(from, m_i - from);
            } else {
                cell += m_text.at(m_i++);
            }
        }
    }

    const QString& m_text;
    const QChar m_separator;
    qsizetype m_i = 0;
    int m_line = 1;
};

} // namespace

bool startsAsFormula(const QString& cell) {
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    return !cell.isEmpty() && formulaStarts.contains(cell.front());
}

QString asText(const QString& cell) {
    return startsAsFormula(cell) ? QLatin1Char('\'') + cell : cell;
}

std::optional<std::vector<Row>> rows(const QString& text, exchange::Message* error,
                                     QChar separator) {
    return RowReader(text, separator).read(error);
}

std::optional<QString> decode(const QByteArray& bytes, QStringList* taken, int* badLine) {
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        const bool little = bytes.startsWith("\xFF\xFE");
        taken->append(little ? QStringLiteral("as UTF-16 (little-endian), by its byte order mark")
                             : QStringLiteral("as UTF-16 (big-endian), by its byte order mark"));
        QStringDecoder decoder(little ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
        return decoder(bytes.mid(2));
    }
    // A byte order mark decides; without one, a file that is UTF-8 is taken as such.
    if (auto text = lines::fromUtf8(bytes, badLine); text || bytes.startsWith("\xEF\xBB\xBF"))
        return text;
    taken->append(QStringLiteral("as Windows-1252 (it is not UTF-8)"));
    return storage::cp1252::decode(bytes);
}

QString rowText(const QStringList& cells, QChar separator) {
    QStringList quoted;
    quoted.reserve(cells.size());
    for (const QString& c : cells)
        quoted.append(cellText(c, separator));
    return quoted.join(separator) + QLatin1String("\r\n");
}

QString Style::start() const {
    return byteOrderMark ? QStringLiteral("\uFEFF") : QString();
}

QString Style::number(const QString& text) const {
    static const QRegularExpression decimal(QStringLiteral("^[+-]?[0-9]+\\.[0-9]+$"));
    return decimalPoint != QLatin1Char('.') && decimal.match(text).hasMatch()
               ? QString(text).replace(QLatin1Char('.'), decimalPoint)
               : text;
}

Style excelStyle(const QLocale& locale) {
    const bool decimalComma = locale.decimalPoint() == QLatin1String(",");
    return {decimalComma ? QLatin1Char(';') : QLatin1Char(','),
            decimalComma ? QLatin1Char(',') : QLatin1Char('.'), true};
}

QString logHeader() {
    return rowText({QStringLiteral("test"), QStringLiteral("date"), QStringLiteral("time"),
                    QStringLiteral("questions"), QStringLiteral("score")});
}

QString logRow(const storage::LogRecord& rec) {
    // A test's name is a file name anyone can choose: one that a spreadsheet
    // would run as a formula ("=...") is shown as text.
    return rowText({asText(rec.text(storage::LogRecord::TestTaken)),
                    asText(rec.text(storage::LogRecord::DateTaken)),
                    asText(rec.text(storage::LogRecord::TimeTaken)),
                    QString::number(rec.numQuestions()),
                    asText(rec.text(storage::LogRecord::TestScore))});
}
} // namespace tool::csv
