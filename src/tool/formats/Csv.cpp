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
            result.notes.push_back({header.line,
                                    QStringLiteral("the column \"%1\" is not read").arg(name),
                                    header.row});
    }
    return c;
}

// The right choice as written: a number from 1 to 5 (or TRUE/FALSE for a
// true/false question); 0 when none is given, -1 when it cannot be read.
int rightChoice(const QString& cell, Item& item) {
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
        item.problems.push_back(item.entry.at(choices::severalRight()));
    else
        item.problems.push_back(item.entry.at(
            QStringLiteral("the right choice \"%1\" is not a number from 1 to 5").arg(r)));
    return -1;
}

// The texts of a row's cells; a spreadsheet ends the lines of a cell with LF,
// a test stores CR LF.
QString textOfCell(const QString& cell) {
    return exchange::crlfLineBreaks(fromTextCell(cell));
}

void takeChoices(const Row& row, const Columns& c, Item& item) {
    int beyondFive = 0;
    for (const auto& [number, column] : c.choices) {
        const QString cell = column < row.cells.size() ? row.cells[column] : QString();
        if (number >= 1 && number <= choices::kMost)
            item.entry.question.choices[static_cast<std::size_t>(number - 1)] = textOfCell(cell);
        else if (!cell.isEmpty())
            ++beyondFive;
    }
    if (beyondFive > 0)
        item.problems.push_back(item.entry.at(choices::tooManyChoices()));
}

// The right choice by the question's kind. Whether one is marked, and not
// empty, is left to the rules check applies to the record.
void markRight(int right, Item& item) {
    storage::Question& q = item.entry.question;
    auto problem = [&](const QString& t) { item.problems.push_back(item.entry.at(t)); };
    switch (q.kind) {
    case QuestionKind::TrueFalse:
        q.choices = {QStringLiteral("TRUE"), QStringLiteral("FALSE")};
        if (right > 2)
            problem(QStringLiteral("the right choice of a true/false question is 1 (TRUE) or 2 "
                                   "(FALSE)"));
        q.correct = std::max(right, 0);
        break;
    case QuestionKind::Typed:
        if (std::any_of(q.choices.begin() + 1, q.choices.end(),
                        [](const QString& c) { return !c.isEmpty(); }))
            problem(QStringLiteral("a typed-answer question holds one answer, in choice 1"));
        if (right > 1)
            problem(QStringLiteral("the right choice of a typed-answer question is 1"));
        q.correct = 1;
        break;
    case QuestionKind::Multiple:
        q.correct = std::max(right, 0);
        break;
    }
}

Item questionOfRow(const Row& row, const Columns& c) {
    Item item;
    item.entry.line = row.line;
    item.entry.row = row.row;
    auto problem = [&](const QString& t) { item.problems.push_back(item.entry.at(t)); };
    auto cell = [&](int column) {
        return column >= 0 && column < row.cells.size() ? row.cells[column] : QString();
    };
    if (std::any_of(row.cells.begin() + std::min<qsizetype>(c.count, row.cells.size()),
                    row.cells.end(), [](const QString& x) { return !x.isEmpty(); }))
        problem(QStringLiteral("more cells than the header row names"));
    const auto kind = storage::kindNamed(lines::trimmed(cell(c.kind)).toString().toUpper());
    if (!kind) {
        problem(QStringLiteral("the kind \"%1\" has no place in a test; it takes %2, %3 or %4")
                    .arg(cell(c.kind), storage::kTypeTrueFalse, storage::kTypeTyped,
                         storage::kTypeMultiple));
        return item;
    }
    item.entry.question.kind = *kind;
    if (c.extras >= 0 && !cell(c.extras).isEmpty()) {
        QString error;
        if (const auto extras = exchange::parseExtras(cell(c.extras), &error))
            item.entry.extras = *extras;
        else
            problem(error);
    }
    item.entry.question.text = textOfCell(cell(c.question));
    item.entry.question.explanation = textOfCell(cell(c.explanation));
    takeChoices(row, c, item);
    markRight(rightChoice(cell(c.right), item), item);
    return item;
}

// The separator that makes the first row that is not blank name the columns;
// nullopt when none does.
std::optional<QChar> separatorOf(const QString& text) {
    qsizetype start = 0;
    while (start < text.size() && lines::isBlank(text.at(start)))
        ++start;
    const QString first = text.mid(start, text.indexOf(QLatin1Char('\n'), start) - start);
    for (const QChar separator : {QLatin1Char(','), QLatin1Char(';'), QLatin1Char('\t')}) {
        exchange::Message ignored;
        ReadResult unused;
        const auto header = rows(first, &ignored, separator);
        if (header && !header->empty()) {
            const Columns c = columnsOf(header->front(), unused);
            if (c.kind >= 0 && c.question >= 0)
                return separator;
        }
    }
    return std::nullopt;
}

bool isBlankRow(const Row& r) {
    return std::all_of(r.cells.begin(), r.cells.end(),
                       [](const QString& c) { return lines::trimmed(c).isEmpty(); });
}

} // namespace

ReadResult readQuestions(const QString& text) {
    ReadResult result;
    const auto separator = separatorOf(text);
    if (separator && *separator != QLatin1Char(','))
        result.taken << (*separator == QLatin1Char(';')
                             ? QStringLiteral("with \";\" between cells")
                             : QStringLiteral("with tabs between cells"));
    exchange::Message error;
    const auto all = rows(text, &error, separator.value_or(QLatin1Char(',')));
    if (!all) {
        result.fatal = error;
        return result;
    }
    std::optional<Columns> columns;
    for (const Row& row : *all) {
        if (isBlankRow(row))
            continue;
        if (!columns) {
            columns = columnsOf(row, result);
            if (columns->kind < 0 || columns->question < 0) {
                result.fatal = {row.line,
                                QStringLiteral("the first row must name the columns: ") +
                                    lines::trimmed(questionHeader()).toString() +
                                    QStringLiteral(" (separated by \",\", \";\" or tabs)"),
                                row.row};
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
