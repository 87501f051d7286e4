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

bool isAnswerLine(QStringView t) {
    return t.startsWith(QLatin1String("ANSWER:"), Qt::CaseInsensitive);
}

// As Moodle reads a choice: a capital, ")" or ".", perhaps a blank, the text.
QRegularExpressionMatch choiceMatch(QStringView t) {
    static const QRegularExpression choiceRe(QStringLiteral("^([A-Z])[.)][ \\t]?(.*)$"));
    return choiceRe.match(t);
}

// A line a teacher meant as a choice, which Moodle reads as more question text.
bool looksLikeChoice(QStringView t) {
    static const QRegularExpression lowerRe(QStringLiteral("^[a-z][.)]"));
    return lowerRe.match(t).hasMatch();
}

// Reads the questions line by line: the question's text, its choices, its
// ANSWER: line.
class Reader {
public:
    void line(QStringView t, int number) {
        // A line that is neither a choice nor ANSWER: after the choices begins
        // the next question; the one before never got its answer.
        if (m_cur && !m_letters.isEmpty() && !isAnswerLine(t) && !choiceMatch(t).hasMatch())
            finish(QStringLiteral("the question has no ANSWER: line"), m_cur->entry.line);
        if (!m_cur)
            begin(t, number);
        else if (isAnswerLine(t))
            answer(lines::trimmed(t.mid(7)).toString(), number);
        else if (const auto m = choiceMatch(t); m.hasMatch())
            choice(m, number);
        else
            moreText(t, number);
    }
    ReadResult done() {
        if (m_cur)
            finish(QStringLiteral("the question has no ANSWER: line"), m_cur->entry.line);
        return std::move(m_result);
    }

private:
    void begin(QStringView t, int number) {
        m_cur.emplace();
        m_cur->entry.line = number;
        m_cur->entry.question.kind = QuestionKind::Multiple;
        m_cur->entry.question.text = t.toString();
        m_letters.clear();
        m_lowerLine = 0;
    }
    void moreText(QStringView t, int number) {
        m_cur->entry.question.text += QLatin1String("\r\n") + t.toString();
        if (looksLikeChoice(t) && m_lowerLine == 0) {
            m_lowerLine = number;
            m_lowerStart = t.left(2).toString();
        }
    }
    void choice(const QRegularExpressionMatch& m, int number) {
        const auto index = static_cast<std::size_t>(m_letters.size());
        m_letters << m.captured(1);
        if (index == choices::kMost)
            m_cur->problems.push_back(m_cur->entry.at(choices::tooManyChoices(), number));
        if (index < choices::kMost) {
            m_cur->entry.question.choices[index] = m.captured(2);
            m_cur->entry.textLines[index + 1] = number;
        }
    }
    void answer(const QString& given, int number);
    void finish(const QString& problem, int number) {
        if (!problem.isEmpty())
            m_cur->problems.push_back(m_cur->entry.at(problem, number));
        else if (m_lowerLine > 0)
            m_cur->notes.push_back(m_cur->entry.at(lowerCaseHint(), m_lowerLine));
        m_result.items.push_back(std::move(*m_cur));
        m_cur.reset();
    }
    QString lowerCaseHint() const {
        return QStringLiteral("\"%1\" begins a line of the question, not a choice: a choice "
                              "begins with a capital letter, as \"%2 text\"")
            .arg(m_lowerStart, m_lowerStart.toUpper());
    }

    ReadResult m_result;
    std::optional<Item> m_cur;
    QStringList m_letters;
    int m_lowerLine = 0;
    QString m_lowerStart;
};

void Reader::answer(const QString& given, int number) {
    const qsizetype at = m_letters.indexOf(given.toUpper());
    const QString choicesAre = QStringLiteral("the choices are %1").arg(choices::listed(m_letters));
    if (m_letters.isEmpty())
        finish(QStringLiteral("no choices before the ANSWER: line") +
                   (m_lowerLine > 0 ? QStringLiteral("; ") + lowerCaseHint() : QString()),
               m_lowerLine > 0 ? m_lowerLine : number);
    else if (m_letters.size() == 1)
        finish(QStringLiteral("only one choice; a question needs at least two"), m_cur->entry.line);
    else if (choices::namesSeveral(given, isLetter))
        finish(choices::severalRight(), number);
    else if (given.isEmpty())
        finish(QStringLiteral("the ANSWER: line names no choice; ") + choicesAre, number);
    else if (!isLetter(given) || at < 0)
        finish(QStringLiteral("\"ANSWER: %1\" names no choice; %2").arg(given, choicesAre), number);
    else {
        // A sixth choice was refused already and cannot be the right one.
        if (at < choices::kMost)
            m_cur->entry.question.correct = static_cast<int>(at) + 1;
        finish({}, number);
    }
}

} // namespace

ReadResult read(const QString& text) {
    Reader reader;
    lines::forEachLine(text, [&](QStringView line, int number) {
        const QStringView t = lines::trimmed(line);
        if (!t.isEmpty())
            reader.line(t, number);
    });
    return reader.done();
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
