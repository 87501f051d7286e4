#include "Gift.h"

#include "Choices.h"
#include "GiftText.h"
#include "TextLines.h"

#include <algorithm>
#include <QRegularExpression>

namespace tool::gift {

using exchange::Item;
using exchange::ReadResult;
using storage::Question;
using storage::QuestionKind;

namespace {

const QString kExtrasPrefix = QStringLiteral("// quizdex:");

// The lines of one question, joined by LF, and where each began in the file.
struct Block {
    QString src;
    std::vector<std::pair<qsizetype, int>> starts;
    QString extras;
    int extrasLine = 0;

    int lineAt(qsizetype offset) const {
        auto it = std::upper_bound(starts.begin(), starts.end(), offset,
                                   [](qsizetype o, const auto& s) { return o < s.first; });
        return it == starts.begin() ? starts.front().second : std::prev(it)->second;
    }
};

// One answer in braces: "=right", "~wrong", "~%50%partly", each perhaps with
// "#feedback".
struct Answer {
    bool right = false;
    std::optional<double> weight;
    QString text;
    bool feedback = false;
    int line = 0;
};

Answer parseAnswer(const Block& b, QChar marker, qsizetype from, qsizetype to, TextFormat format) {
    static const QRegularExpression weightRe(QStringLiteral("^\\s*%(-?[0-9]+(?:\\.[0-9]+)?)%"));
    Answer a;
    a.line = b.lineAt(from);
    QStringView body = QStringView(b.src).mid(from + 1, to - from - 1);
    const QRegularExpressionMatch w = weightRe.match(body);
    if (w.hasMatch()) {
        a.weight = w.captured(1).toDouble();
        body = body.mid(w.capturedEnd());
    }
    const qsizetype hash = findUnescaped(body, u"#");
    if (hash >= 0) {
        a.feedback = !lines::trimmed(body.mid(hash + 1)).isEmpty();
        body = body.left(hash);
    }
    a.right = a.weight ? *a.weight >= 100 : marker == QLatin1Char('=');
    a.text = decodeText(body, format);
    return a;
}

void parseAnswers(const Block& b, qsizetype open, qsizetype close, TextFormat format, Item& item,
                  ReadResult& result) {
    Question& q = item.entry.question;
    auto problem = [&](int line, const QString& text) { item.problems.push_back({line, text}); };
    const int line = b.lineAt(open);
    QStringView inside = QStringView(b.src).mid(open + 1, close - open - 1);

    const qsizetype general = findUnescaped(inside, u"####");
    if (general >= 0) {
        q.explanation = decodeText(inside.mid(general + 4), format);
        item.entry.textLines[exchange::kExplanationSlot] = b.lineAt(open + 1 + general);
        inside = inside.left(general);
    }
    const QStringView answers = lines::trimmed(inside);
    if (answers.isEmpty()) {
        problem(line, QStringLiteral("an essay question ({}) has no place in a test"));
        return;
    }
    if (answers.startsWith(QLatin1Char('#'))) {
        problem(line, QStringLiteral("a numerical question ({#...}) has no place in a test"));
        return;
    }
    const qsizetype hash = findUnescaped(answers, u"#");
    const QStringView verdict = lines::trimmed(answers.left(hash < 0 ? answers.size() : hash));
    for (const char* word : {"T", "TRUE", "F", "FALSE"}) {
        if (verdict.compare(QLatin1String(word), Qt::CaseInsensitive) == 0) {
            q.kind = QuestionKind::TrueFalse;
            q.choices = {QStringLiteral("TRUE"), QStringLiteral("FALSE")};
            q.correct = word[0] == 'T' ? 1 : 2;
            if (hash >= 0 && !lines::trimmed(answers.mid(hash + 1)).isEmpty())
                result.notes.push_back({line, QStringLiteral("the feedback of the answer is left "
                                                             "out; a test has no place for it")});
            return;
        }
    }

    // The answers begin at each "=" or "~" that no backslash takes as text.
    const qsizetype base = answers.data() - b.src.constData();
    std::vector<std::pair<QChar, qsizetype>> marks;
    for (qsizetype i = 0; i < answers.size(); ++i) {
        if (answers[i] == QLatin1Char('\\'))
            ++i;
        else if (answers[i] == QLatin1Char('=') || answers[i] == QLatin1Char('~'))
            marks.emplace_back(answers[i], base + i);
    }
    std::vector<Answer> list;
    if (marks.empty() || marks.front().second > base) {
        if (!marks.empty()) {
            problem(line, QStringLiteral("an answer must begin with = or ~"));
            return;
        }
        // {answer}: a short answer without its "=", as Moodle reads it
        list.push_back(parseAnswer(b, QLatin1Char('='), base - 1, base + answers.size(), format));
    }
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const qsizetype end = i + 1 < marks.size() ? marks[i + 1].second : base + answers.size();
        list.push_back(parseAnswer(b, marks[i].first, marks[i].second, end, format));
    }
    const bool anyWrongMark =
        std::any_of(marks.begin(), marks.end(), [](const auto& m) { return m.first == '~'; });
    if (!anyWrongMark && std::any_of(list.begin(), list.end(), [](const Answer& a) {
            return a.text.contains(QLatin1String("->"));
        })) {
        problem(line, QStringLiteral("a matching question (->) has no place in a test"));
        return;
    }
    if (std::any_of(list.begin(), list.end(), [](const Answer& a) { return a.feedback; }))
        result.notes.push_back({line, QStringLiteral("the feedback of each answer is left out; a "
                                                     "test has no place for it")});
    int rights = 0;
    for (const Answer& a : list) {
        if (a.weight && *a.weight > 0 && *a.weight < 100) {
            problem(a.line,
                    QStringLiteral("partial credit (%%1%) has no place in a test").arg(*a.weight));
            return;
        }
        if (a.right && ++rights == 2)
            problem(a.line, choices::severalRight());
    }
    if (!anyWrongMark) {
        q.kind = QuestionKind::Typed;
        q.choices[0] = list.front().text;
        q.correct = 1;
        item.entry.textLines[1] = list.front().line;
        return;
    }
    q.kind = QuestionKind::Multiple;
    if (list.size() > choices::kMost)
        problem(list[choices::kMost].line, choices::tooManyChoices());
    if (rights == 0 && !item.entry.hasAnswerExtra())
        problem(line, QStringLiteral("no answer is marked right (=)"));
    for (std::size_t i = 0; i < std::min<std::size_t>(list.size(), choices::kMost); ++i) {
        q.choices[i] = list[i].text;
        item.entry.textLines[i + 1] = list[i].line;
        if (list[i].right)
            q.correct = static_cast<int>(i) + 1;
    }
}

void parseBlock(const Block& b, ReadResult& result) {
    Item item;
    item.entry.line = b.starts.front().second;
    auto problem = [&](qsizetype at, const QString& text) {
        item.problems.push_back({b.lineAt(at), text});
        result.items.push_back(item);
    };
    if (!b.extras.isEmpty()) {
        QString error;
        const auto extras = exchange::parseExtras(b.extras, &error);
        if (!extras) {
            item.problems.push_back({b.extrasLine, error});
            result.items.push_back(item);
            return;
        }
        item.entry.extras = *extras;
    }
    const QString& s = b.src;
    qsizetype pos = 0;
    while (pos < s.size() && lines::isBlank(s.at(pos)))
        ++pos;
    if (QStringView(s).mid(pos).startsWith(QLatin1String("::"))) {
        const qsizetype end = findUnescaped(s, u"::", pos + 2);
        if (end < 0)
            return problem(pos, QStringLiteral("the title has no closing \"::\""));
        pos = end + 2;
        while (pos < s.size() && lines::isBlank(s.at(pos)))
            ++pos;
    }
    // The question's format is that of its other texts too.
    qsizetype marker = 0;
    const TextFormat format =
        markerAt(QStringView(s).mid(pos), &marker).value_or(TextFormat::Plain);
    const qsizetype open = findUnescaped(s, u"{", pos);
    if (open < 0)
        return problem(pos, QStringLiteral("a text without answers in braces (a description) "
                                           "has no place in a test"));
    const qsizetype close = findUnescaped(s, u"}", open + 1);
    if (close < 0)
        return problem(open, QStringLiteral("the answers have no closing \"}\""));
    const qsizetype inner = findUnescaped(QStringView(s).left(close), u"{", open + 1);
    if (inner >= 0)
        return problem(inner, QStringLiteral("a \"{\" inside the answers; write \\{ for the sign"));
    const qsizetype another = findUnescaped(s, u"{", close + 1);
    if (another >= 0)
        return problem(another, QStringLiteral("a second set of answers in braces"));

    // Answers inside the sentence (missing word) leave a blank in it, as in Moodle.
    const QStringView after = QStringView(s).mid(close + 1);
    QString text = s.mid(pos, open - pos);
    if (!lines::trimmed(after).isEmpty())
        text += QStringLiteral("_____") + after.toString();
    item.entry.question.text = decodeText(text, format);
    item.entry.textLines[exchange::kQuestionSlot] = b.lineAt(pos);
    parseAnswers(b, open, close, format, item, result);
    result.items.push_back(item);
}

} // namespace

ReadResult read(const QString& text) {
    ReadResult result;
    Block b;
    auto flush = [&] {
        if (!b.src.isEmpty() && !lines::trimmed(b.src).startsWith(QLatin1String("$CATEGORY:")))
            parseBlock(b, result);
        b = Block();
    };
    lines::forEachLine(text, [&](QStringView line, int number) {
        const QStringView t = lines::trimmed(line);
        if (t.isEmpty()) {
            flush();
        } else if (t.startsWith(QLatin1String("//"))) {
            if (t.startsWith(kExtrasPrefix)) {
                b.extras = t.mid(kExtrasPrefix.size()).toString();
                b.extrasLine = number;
            }
        } else {
            if (!b.src.isEmpty())
                b.src += QLatin1Char('\n');
            b.starts.emplace_back(b.src.size(), number);
            b.src += line;
        }
    });
    flush();
    return result;
}

QString write(const Question& q, const exchange::Extras& extras) {
    QString out;
    if (!extras.empty())
        out += kExtrasPrefix + QLatin1Char(' ') + exchange::extrasText(extras) + QLatin1Char('\n');
    out += encodeText(q.text);
    if (!out.isEmpty() && !out.endsWith(QLatin1Char('\n')))
        out += QLatin1Char(' ');
    const QString feedback =
        q.explanation.isEmpty() ? QString() : QStringLiteral("####") + encodeText(q.explanation);
    switch (q.kind) {
    case QuestionKind::TrueFalse: {
        const bool isFalse = q.correct >= 1 && q.choices[static_cast<std::size_t>(q.correct - 1)] ==
                                                   QLatin1String("FALSE");
        out +=
            (isFalse ? QStringLiteral("{F") : QStringLiteral("{T")) + feedback + QLatin1Char('}');
        break;
    }
    case QuestionKind::Typed:
        out += QLatin1String("{=") + encodeText(q.choices[0]) + feedback + QLatin1Char('}');
        break;
    case QuestionKind::Multiple: {
        int last = q.correct;
        for (int i = 1; i <= 5; ++i) {
            if (!q.choices[static_cast<std::size_t>(i - 1)].isEmpty())
                last = std::max(last, i);
        }
        // Without a "~" it would read as a typed answer: a blank choice after
        // the last one says it is a choice.
        if (last <= 1 && (last == 0 || q.correct == 1))
            ++last;
        out += QLatin1String("{\n");
        for (int i = 1; i <= last; ++i)
            out += QLatin1Char(i == q.correct ? '=' : '~') +
                   encodeText(q.choices[static_cast<std::size_t>(i - 1)]) + QLatin1Char('\n');
        if (!feedback.isEmpty())
            out += feedback + QLatin1Char('\n');
        out += QLatin1Char('}');
        break;
    }
    }
    out += QLatin1Char('\n');
    return out;
}

QString roundTrip(const QString& text) {
    return decodeText(encodeText(text), TextFormat::Plain);
}

} // namespace tool::gift
