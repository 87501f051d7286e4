#include "Csv.h"

#include "Choices.h"
#include "TextLines.h"

#include <QRegularExpression>

namespace tool::csv {

using exchange::Item;
using exchange::ReadResult;
using storage::QuestionKind;

namespace {

// A question's text in a cell: one that a spreadsheet would run as a formula
// goes behind an apostrophe, as does one that starts with an apostrophe, so
// that reading the cell back (fromTextCell) gives the text exactly.
QString textCell(const QString& text) {
    return startsAsFormula(text) || text.startsWith(QLatin1Char('\'')) ? QLatin1Char('\'') + text
                                                                       : text;
}

QString fromTextCell(const QString& cell) {
    const QString rest = cell.mid(1);
    return cell.startsWith(QLatin1Char('\'')) &&
                   (startsAsFormula(rest) || rest.startsWith(QLatin1Char('\'')))
               ? rest
               : cell;
}

struct Columns {
    int kind = -1, question = -1, right = -1, explanation = -1, extras = -1;
    std::vector<std::pair<int, int>> choices; // (choice number, column)
    int count = 0;
};

Columns columnsOf(const Row& header, ReadResult& result) {
    static const QRegularExpression choiceRe(QStringLiteral("^choice\\s*([0-9]+)$"));
    Columns c;
    c.count = static_cast<int>(header.cells.size());
    for (int i = 0; i < c.count; ++i) {
        const QString name = lines::trimmed(header.cells[i]).toString().toLower();
        const QRegularExpressionMatch m = choiceRe.match(name);
        if (name == QLatin1String("kind"))
            c.kind = i;
        else if (name == QLatin1String("question"))
            c.question = i;
        else if (name == QLatin1String("right choice"))
            c.right = i;
        else if (name == QLatin1String("explanation"))
            c.explanation = i;
        else if (name == QLatin1String("quizdex"))
            c.extras = i;
        else if (m.hasMatch())
            c.choices.emplace_back(m.captured(1).toInt(), i);
        else if (!name.isEmpty())
            result.notes.push_back(
                {header.line, QStringLiteral("the column \"%1\" is not read").arg(name)});
    }
    return c;
}

// The right choice as written: a number from 1 to 5 (or TRUE/FALSE for a
// true/false question); 0 when none is given, -1 when it cannot be read.
int rightChoice(const QString& cell, Item& item, int line) {
    const QString r = lines::trimmed(cell).toString();
    if (r.isEmpty())
        return 0;
    if (r.size() == 1 && r.at(0) >= QLatin1Char('1') && r.at(0) <= QLatin1Char('5'))
        return r.at(0).digitValue();
    if (item.entry.question.kind == QuestionKind::TrueFalse) {
        if (r.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0 ||
            r.compare(QLatin1String("T"), Qt::CaseInsensitive) == 0)
            return 1;
        if (r.compare(QLatin1String("FALSE"), Qt::CaseInsensitive) == 0 ||
            r.compare(QLatin1String("F"), Qt::CaseInsensitive) == 0)
            return 2;
    }
    const auto isNumber = [](QStringView s) {
        return !s.isEmpty() && std::all_of(s.begin(), s.end(), [](QChar c) {
            return c >= QLatin1Char('0') && c <= QLatin1Char('9');
        });
    };
    if (choices::namesSeveral(r, isNumber))
        item.problems.push_back({line, choices::severalRight()});
    else
        item.problems.push_back(
            {line, QStringLiteral("the right choice \"%1\" is not a number from 1 to 5").arg(r)});
    return -1;
}

Item questionOfRow(const Row& row, const Columns& c) {
    Item item;
    item.entry.line = row.line;
    auto problem = [&](const QString& t) { item.problems.push_back({row.line, t}); };
    auto cell = [&](int column) {
        return column >= 0 && column < row.cells.size() ? row.cells[column] : QString();
    };
    for (qsizetype i = c.count; i < row.cells.size(); ++i) {
        if (!row.cells[i].isEmpty()) {
            problem(QStringLiteral("more cells than the header row names"));
            break;
        }
    }
    storage::Question& q = item.entry.question;
    const QString kind = lines::trimmed(cell(c.kind)).toString().toUpper();
    if (const auto named = storage::kindNamed(kind))
        q.kind = *named;
    else {
        problem(QStringLiteral("the kind \"%1\" has no place in a test; it takes %2, %3 or %4")
                    .arg(cell(c.kind), kTypeTrueFalse, kTypeTyped, kTypeMultiple));
        return item;
    }
    if (c.extras >= 0 && !cell(c.extras).isEmpty()) {
        QString error;
        const auto extras = exchange::parseExtras(cell(c.extras), &error);
        if (extras)
            item.entry.extras = *extras;
        else
            problem(error);
    }
    // Spreadsheets end the lines of a cell with LF; a test stores CR LF.
    q.text = exchange::crlfLineBreaks(fromTextCell(cell(c.question)));
    q.explanation = exchange::crlfLineBreaks(fromTextCell(cell(c.explanation)));
    int beyondFive = 0;
    for (const auto& [number, column] : c.choices) {
        if (number >= 1 && number <= choices::kMost)
            q.choices[static_cast<std::size_t>(number - 1)] =
                exchange::crlfLineBreaks(fromTextCell(cell(column)));
        else if (!cell(column).isEmpty())
            ++beyondFive;
    }
    if (beyondFive > 0)
        problem(choices::tooManyChoices());
    const int right = rightChoice(cell(c.right), item, row.line);
    const bool answerKept = item.entry.hasAnswerExtra();
    switch (q.kind) {
    case QuestionKind::TrueFalse:
        q.choices = {QStringLiteral("TRUE"), QStringLiteral("FALSE")};
        if (right > 2)
            problem(QStringLiteral("the right choice of a true/false question is 1 (TRUE) or 2 "
                                   "(FALSE)"));
        else if (right == 0 && !answerKept)
            problem(QStringLiteral("no right choice is given"));
        q.correct = std::max(right, 0);
        break;
    case QuestionKind::Typed:
        for (std::size_t i = 1; i < 5; ++i) {
            if (!q.choices[i].isEmpty()) {
                problem(QStringLiteral("a typed-answer question holds one answer, in choice 1"));
                break;
            }
        }
        if (right > 1)
            problem(QStringLiteral("the right choice of a typed-answer question is 1"));
        q.correct = 1;
        break;
    case QuestionKind::Multiple:
        if (right == 0 && !answerKept)
            problem(QStringLiteral("no right choice is given"));
        q.correct = std::max(right, 0);
        break;
    }
    return item;
}

} // namespace

ReadResult readQuestions(const QString& text) {
    ReadResult result;
    exchange::Message error;
    const auto all = rows(text, &error);
    if (!all) {
        result.fatal = error;
        return result;
    }
    auto blank = [](const Row& r) {
        return std::all_of(r.cells.begin(), r.cells.end(),
                           [](const QString& c) { return lines::trimmed(c).isEmpty(); });
    };
    std::optional<Columns> columns;
    for (const Row& row : *all) {
        if (blank(row))
            continue;
        if (!columns) {
            columns = columnsOf(row, result);
            if (columns->kind < 0 || columns->question < 0) {
                result.fatal = {row.line, QStringLiteral("the first row must name the columns: ") +
                                              lines::trimmed(questionHeader()).toString()};
                return result;
            }
            continue;
        }
        result.items.push_back(questionOfRow(row, *columns));
    }
    return result;
}

QString questionHeader() {
    return rowText({QStringLiteral("kind"), QStringLiteral("question"), QStringLiteral("choice 1"),
                    QStringLiteral("choice 2"), QStringLiteral("choice 3"),
                    QStringLiteral("choice 4"), QStringLiteral("choice 5"),
                    QStringLiteral("right choice"), QStringLiteral("explanation"),
                    QStringLiteral("quizdex")});
}

QString questionRow(const storage::Question& q, const exchange::Extras& extras) {
    QStringList cells{storage::kindName(q.kind), textCell(q.text)};
    for (const QString& c : q.choices)
        cells.append(textCell(c));
    cells << (q.correct > 0 ? QString::number(q.correct) : QString()) << textCell(q.explanation)
          << exchange::extrasText(extras);
    return rowText(cells);
}

QString roundTrip(const QString& text) {
    return exchange::crlfLineBreaks(text);
}

} // namespace tool::csv
