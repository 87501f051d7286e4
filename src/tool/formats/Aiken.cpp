#include "Aiken.h"

#include "Choices.h"
#include "TextLines.h"

#include <QRegularExpression>

namespace tool::aiken {

using exchange::Item;
using exchange::ReadResult;
using storage::Question;
using storage::QuestionKind;

namespace {

QString oneLine(const QString& text) {
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    return QString(text).replace(breaks, QStringLiteral(" "));
}

bool isLetter(QStringView s) {
    return s.size() == 1 && s[0].isLetter() && s[0].unicode() < 0x80;
}

} // namespace

ReadResult read(const QString& text) {
    // As Moodle reads a choice: a capital, ")" or ".", perhaps a blank, the text.
    static const QRegularExpression choiceRe(QStringLiteral("^([A-Z])[.)][ \\t]?(.*)$"));
    ReadResult result;
    std::optional<Item> cur;
    QString letterList;
    auto problem = [&](int line, const QString& t) { cur->problems.push_back({line, t}); };

    lines::forEachLine(text, [&](QStringView line, int number) {
        const QStringView t = lines::trimmed(line);
        if (t.isEmpty())
            return;
        // A line that is neither a choice nor ANSWER: after the choices begins
        // the next question; the one before never got its answer.
        if (cur && !letterList.isEmpty() &&
            !t.startsWith(QLatin1String("ANSWER:"), Qt::CaseInsensitive) &&
            !choiceRe.match(t).hasMatch()) {
            problem(cur->entry.line, QStringLiteral("the question has no ANSWER: line"));
            result.items.push_back(*cur);
            cur.reset();
        }
        if (!cur) {
            cur.emplace();
            cur->entry.line = number;
            cur->entry.question.kind = QuestionKind::Multiple;
            cur->entry.question.text = t.toString();
            letterList.clear();
            return;
        }
        Question& q = cur->entry.question;
        if (t.startsWith(QLatin1String("ANSWER:"), Qt::CaseInsensitive)) {
            const QString answer = lines::trimmed(t.mid(7)).toString();
            const qsizetype at = letterList.indexOf(answer, 0, Qt::CaseInsensitive);
            if (letterList.isEmpty())
                problem(number, QStringLiteral("no choices before the ANSWER: line"));
            else if (letterList.size() == 1)
                problem(cur->entry.line,
                        QStringLiteral("only one choice; a question needs at least two"));
            else if (choices::namesSeveral(answer, isLetter))
                problem(number, choices::severalRight());
            else if (answer.size() != 1 || at < 0)
                problem(number, QStringLiteral("\"ANSWER: %1\" names none of the choices %2")
                                    .arg(answer, letterList));
            else if (at < 5)
                q.correct = static_cast<int>(at) + 1;
            result.items.push_back(*cur);
            cur.reset();
            return;
        }
        const QRegularExpressionMatch m = choiceRe.match(t);
        if (m.hasMatch()) {
            const int index = static_cast<int>(letterList.size());
            letterList += m.captured(1);
            if (index == choices::kMost)
                problem(number, choices::tooManyChoices());
            if (index < choices::kMost) {
                q.choices[static_cast<std::size_t>(index)] = m.captured(2);
                cur->entry.textLines[static_cast<std::size_t>(index) + 1] = number;
            }
        } else {
            q.text += QLatin1String("\r\n") + t.toString(); // a question of several lines
        }
    });
    if (cur) {
        problem(cur->entry.line, QStringLiteral("the question has no ANSWER: line"));
        result.items.push_back(*cur);
    }
    return result;
}

QString write(const Question& q, QStringList* notes, QStringList* problems) {
    if (q.kind != QuestionKind::Multiple) {
        problems->append(QStringLiteral("%1; Aiken holds only multiple-choice questions")
                             .arg(q.kind == QuestionKind::TrueFalse
                                      ? QStringLiteral("a true/false question")
                                      : QStringLiteral("a typed-answer question")));
        return {};
    }
    if (q.text.isEmpty())
        problems->append(QStringLiteral("its text is empty; Aiken needs one"));
    if (choices::shown(q) < 2)
        problems->append(QStringLiteral("fewer than two choices; Aiken needs at least two"));
    if (q.correct == 0)
        problems->append(QStringLiteral("no choice is marked right; Aiken needs one"));
    else if (q.choices[static_cast<std::size_t>(q.correct - 1)].isEmpty())
        problems->append(QStringLiteral("the choice marked right is empty"));
    if (!problems->isEmpty())
        return {};

    int last = 0;
    for (int i = 1; i <= 5; ++i) {
        if (!q.choices[static_cast<std::size_t>(i - 1)].isEmpty())
            last = i;
    }
    for (int i = 1; i < last; ++i) {
        if (q.choices[static_cast<std::size_t>(i - 1)].isEmpty())
            notes->append(QStringLiteral("empty choice %1 is left out; the letters after it "
                                         "move up")
                              .arg(i));
    }
    const auto letters = choices::letters(q);
    bool joined = q.text.contains(QLatin1Char('\n')) || q.text.contains(QLatin1Char('\r'));
    QString out = oneLine(q.text) + QLatin1Char('\n');
    for (int i = 1; i <= 5; ++i) {
        const QString& c = q.choices[static_cast<std::size_t>(i - 1)];
        if (c.isEmpty())
            continue;
        joined = joined || c.contains(QLatin1Char('\n')) || c.contains(QLatin1Char('\r'));
        out += letters[static_cast<std::size_t>(i - 1)] + QStringLiteral(") ") + oneLine(c) +
               QLatin1Char('\n');
    }
    if (joined)
        notes->append(QStringLiteral("line breaks are written as blanks; Aiken keeps each text "
                                     "on one line"));
    if (!q.explanation.isEmpty())
        notes->append(QStringLiteral("the explanation is left out; Aiken has no place for it"));
    out += QStringLiteral("ANSWER: ") + letters[static_cast<std::size_t>(q.correct - 1)] +
           QStringLiteral("\n\n");
    return out;
}

} // namespace tool::aiken
