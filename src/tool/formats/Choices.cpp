#include "Choices.h"

#include "TextLines.h"

#include <algorithm>
#include <QRegularExpression>

namespace tool::choices {

using storage::Question;
using storage::QuestionKind;

std::array<QString, kMost> letters(const Question& q) {
    std::array<QString, kMost> out;
    char16_t next = u'A';
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (!q.choices[i].isEmpty())
            out[i] = QChar(next++);
    }
    return out;
}

int shown(const Question& q) {
    return static_cast<int>(std::count_if(q.choices.begin(), q.choices.end(),
                                          [](const QString& c) { return !c.isEmpty(); }));
}

QString listed(const QStringList& items) {
    if (items.size() < 2)
        return items.join(QString());
    return items.mid(0, items.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") +
           items.back();
}

bool namesSeveral(QStringView answer, const std::function<bool(QStringView)>& isOne) {
    static const QRegularExpression separators(QStringLiteral("[ ,;/&]+"));
    const auto parts = answer.split(separators);
    return parts.size() > 1 && std::all_of(parts.begin(), parts.end(), isOne);
}

QString tooManyChoices() {
    return QStringLiteral("more than five choices; a test holds at most five");
}

QString severalRight() {
    return QStringLiteral("more than one right answer; a test marks one");
}

QString severalAccepted() {
    return QStringLiteral("a typed answer with several accepted answers; a test takes one");
}

QString partialCredit(double weight) {
    return QStringLiteral("partial credit (%1%) has no place in a test").arg(weight);
}

QString feedbackLeftOut() {
    return QStringLiteral("the feedback of each answer is left out; a test has no place for it");
}

namespace {

// Partial credit, which a test has no place for; false after telling it.
bool whollyRightOrWrong(const std::vector<Answer>& answers, exchange::Item& item) {
    for (const Answer& a : answers) {
        if (a.weight && *a.weight > 0 && *a.weight < 100) {
            item.problems.push_back(item.entry.at(partialCredit(*a.weight), a.line));
            return false;
        }
    }
    const auto told =
        std::find_if(answers.begin(), answers.end(), [](const Answer& a) { return a.feedback; });
    if (told != answers.end())
        item.notes.push_back(item.entry.at(feedbackLeftOut(), told->line));
    return true;
}

} // namespace

void takeChoices(const std::vector<Answer>& answers, exchange::Item& item) {
    Question& q = item.entry.question;
    q.kind = QuestionKind::Multiple;
    if (!whollyRightOrWrong(answers, item))
        return;
    int rights = 0;
    for (const Answer& a : answers) {
        if (a.right && ++rights == 2)
            item.problems.push_back(item.entry.at(severalRight(), a.line));
    }
    if (answers.size() > kMost)
        item.problems.push_back(item.entry.at(tooManyChoices(), answers[kMost].line));
    for (std::size_t i = 0; i < std::min<std::size_t>(answers.size(), kMost); ++i) {
        q.choices[i] = answers[i].text;
        item.entry.textLines[i + 1] = answers[i].line;
        if (answers[i].right && q.correct == 0)
            q.correct = static_cast<int>(i) + 1;
    }
}

void takeTypedAnswer(const std::vector<Answer>& answers, exchange::Item& item, int line) {
    Question& q = item.entry.question;
    q.kind = QuestionKind::Typed;
    q.correct = 1;
    if (!whollyRightOrWrong(answers, item))
        return;
    std::vector<const Answer*> accepted;
    for (const Answer& a : answers) {
        if (a.right)
            accepted.push_back(&a);
    }
    if (accepted.size() > 1) {
        item.problems.push_back(item.entry.at(severalAccepted(), accepted[1]->line));
        return;
    }
    if (accepted.empty()) {
        item.problems.push_back(item.entry.at(QStringLiteral("no answer is accepted"), line));
        return;
    }
    q.choices[0] = accepted.front()->text;
    item.entry.textLines[1] = accepted.front()->line;
}

bool isShown(const QString& choice) {
    return !lines::trimmed(choice).isEmpty();
}

QString placesOf(const Question& q) {
    QString places;
    for (int i = 1; i <= kMost; ++i) {
        if (isShown(q.choices[static_cast<std::size_t>(i - 1)]))
            places += QString::number(i);
    }
    const bool inOrder = places == QStringLiteral("12345").left(places.size());
    return q.kind == QuestionKind::Multiple && !inOrder ? places : QString();
}

bool arePlaces(QStringView places) {
    static const QRegularExpression increasing(QStringLiteral("^1?2?3?4?5?$"));
    return !places.isEmpty() && increasing.match(places).hasMatch();
}

void putInPlaces(Question& q, QStringView places) {
    const auto n = places.size();
    if (q.kind != QuestionKind::Multiple || !arePlaces(places) ||
        std::any_of(q.choices.begin() + n, q.choices.end(), isShown))
        return;
    std::array<QString, kMost> placed;
    for (qsizetype i = 0; i < n; ++i)
        placed[static_cast<std::size_t>(places[i].digitValue() - 1)] = q.choices[i];
    if (q.correct >= 1 && q.correct <= n)
        q.correct = places[q.correct - 1].digitValue();
    q.choices = placed;
}

} // namespace tool::choices
