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
const QString kCategory = QStringLiteral("$CATEGORY:");

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

// One answer in braces from `from` (its = or ~) to `to`: "=right", "~wrong",
// "~%50%partly", each perhaps with "#feedback".
choices::Answer parseAnswer(const Block& b, QChar marker, qsizetype from, qsizetype to,
                            TextFormat format) {
    static const QRegularExpression weightRe(QStringLiteral("^\\s*%(-?[0-9]+(?:\\.[0-9]+)?)%"));
    choices::Answer a;
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

// {T}, {FALSE#feedback}: fills the question and says so when it is one.
bool takeTrueFalse(QStringView answers, int line, Item& item) {
    const qsizetype hash = findUnescaped(answers, u"#");
    const QStringView verdict = lines::trimmed(answers.left(hash < 0 ? answers.size() : hash));
    for (const char* word : {"T", "TRUE", "F", "FALSE"}) {
        if (verdict.compare(QLatin1String(word), Qt::CaseInsensitive) != 0)
            continue;
        Question& q = item.entry.question;
        q.kind = QuestionKind::TrueFalse;
        q.choices = {QStringLiteral("TRUE"), QStringLiteral("FALSE")};
        q.correct = word[0] == 'T' ? 1 : 2;
        if (hash >= 0 && !lines::trimmed(answers.mid(hash + 1)).isEmpty())
            item.notes.push_back(item.entry.at(choices::feedbackLeftOut(), line));
        return true;
    }
    return false;
}

// The answers between the braces, each from an "=" or "~" that no backslash
// takes as text; a first one without its "=" is a short answer's, as Moodle
// reads it. Empty after refusing a text before the first mark.
std::vector<std::pair<QChar, qsizetype>> answerMarks(const Block& b, QStringView answers, int line,
                                                     Item& item) {
    const qsizetype base = answers.data() - b.src.constData();
    std::vector<std::pair<QChar, qsizetype>> marks;
    for (qsizetype i = 0; i < answers.size(); ++i) {
        if (answers[i] == QLatin1Char('\\'))
            ++i;
        else if (answers[i] == QLatin1Char('=') || answers[i] == QLatin1Char('~'))
            marks.emplace_back(answers[i], base + i);
    }
    if (marks.empty())
        return {{QLatin1Char('='), base - 1}};
    if (marks.front().second > base) {
        item.problems.push_back(
            item.entry.at(QStringLiteral("an answer must begin with = or ~"), line));
        return {};
    }
    return marks;
}

void takeAnswerList(const Block& b, QStringView answers, TextFormat format, int line, Item& item) {
    const auto marks = answerMarks(b, answers, line, item);
    const qsizetype end = answers.data() - b.src.constData() + answers.size();
    std::vector<choices::Answer> list;
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const qsizetype to = i + 1 < marks.size() ? marks[i + 1].second : end;
        list.push_back(parseAnswer(b, marks[i].first, marks[i].second, to, format));
    }
    if (list.empty())
        return;
    const bool anyWrong =
        std::any_of(marks.begin(), marks.end(), [](const auto& m) { return m.first == '~'; });
    if (!anyWrong && std::any_of(list.begin(), list.end(), [](const choices::Answer& a) {
            return a.text.contains(QLatin1String("->"));
        }))
        item.problems.push_back(
            item.entry.at(QStringLiteral("a matching question (->) has no place in a test"), line));
    else if (anyWrong)
        choices::takeChoices(list, item);
    else
        choices::takeTypedAnswer(list, item, line);
}

void parseAnswers(const Block& b, qsizetype open, qsizetype close, TextFormat format, Item& item) {
    const int line = b.lineAt(open);
    QStringView inside = QStringView(b.src).mid(open + 1, close - open - 1);
    const qsizetype general = findUnescaped(inside, u"####");
    if (general >= 0) {
        item.entry.question.explanation = decodeText(inside.mid(general + 4), format);
        item.entry.textLines[exchange::kExplanationSlot] = b.lineAt(open + 1 + general);
        inside = inside.left(general);
    }
    const QStringView answers = lines::trimmed(inside);
    if (answers.isEmpty())
        item.problems.push_back(
            item.entry.at(QStringLiteral("an essay question ({}) has no place in a test"), line));
    else if (answers.startsWith(QLatin1Char('#')))
        item.problems.push_back(item.entry.at(
            QStringLiteral("a numerical question ({#...}) has no place in a test"), line));
    else if (!takeTrueFalse(answers, line, item))
        takeAnswerList(b, answers, format, line, item);
}

// Past the blanks from `pos` on.
qsizetype skipBlanks(const QString& s, qsizetype pos) {
    while (pos < s.size() && lines::isBlank(s.at(pos)))
        ++pos;
    return pos;
}

// The braces of the answers, as `open` and `close`; a problem when there are
// none or more than one set.
std::optional<QString> findAnswers(const QString& s, qsizetype pos, qsizetype* open,
                                   qsizetype* close, qsizetype* at) {
    *open = findUnescaped(s, u"{", pos);
    *at = pos;
    if (*open < 0)
        return QStringLiteral("a text without answers in braces (a description) has no place "
                              "in a test");
    *close = findUnescaped(s, u"}", *open + 1);
    *at = *open;
    if (*close < 0)
        return QStringLiteral("the answers have no closing \"}\"");
    if ((*at = findUnescaped(QStringView(s).left(*close), u"{", *open + 1)) >= 0)
        return QStringLiteral("a \"{\" inside the answers; write \\{ for the sign");
    if ((*at = findUnescaped(s, u"{", *close + 1)) >= 0)
        return QStringLiteral("a second set of answers in braces");
    return std::nullopt;
}

// The question of a block, its title taken off first.
Item parseBlock(const Block& b) {
    Item item;
    item.entry.line = b.starts.front().second;
    auto refused = [&](const QString& why, qsizetype at) {
        item.problems.push_back(item.entry.at(why, b.lineAt(at)));
        return item;
    };
    if (!b.extras.isEmpty()) {
        QString error;
        const auto extras = exchange::parseExtras(b.extras, &error);
        if (!extras)
            return item.problems.push_back({b.extrasLine, error}), item;
        item.entry.extras = *extras;
    }
    const QString& s = b.src;
    qsizetype pos = skipBlanks(s, 0);
    if (QStringView(s).mid(pos).startsWith(QLatin1String("::"))) {
        const qsizetype end = findUnescaped(s, u"::", pos + 2);
        if (end < 0)
            return refused(QStringLiteral("the title has no closing \"::\""), pos);
        item.entry.title =
            decodeText(QStringView(s).mid(pos + 2, end - pos - 2), TextFormat::Plain);
        pos = skipBlanks(s, end + 2);
    }
    // The question's format is that of its other texts too.
    qsizetype marker = 0;
    const TextFormat format =
        markerAt(QStringView(s).mid(pos), &marker).value_or(TextFormat::Plain);
    qsizetype open = 0, close = 0, at = 0;
    if (const auto problem = findAnswers(s, pos, &open, &close, &at))
        return refused(*problem, at);
    // Answers inside the sentence (missing word) leave a blank in it, as in Moodle.
    const QStringView after = QStringView(s).mid(close + 1);
    QString text = s.mid(pos, open - pos);
    if (!lines::trimmed(after).isEmpty())
        text += QStringLiteral("_____") + after.toString();
    item.entry.question.text = decodeText(text, format);
    item.entry.textLines[exchange::kQuestionSlot] = b.lineAt(pos);
    if (format == TextFormat::Html && hasImage(s))
        item.notes.push_back(
            item.entry.at(QStringLiteral("an image is left out; a test has no place for it")));
    parseAnswers(b, open, close, format, item);
    return item;
}

} // namespace

ReadResult read(const QString& text) {
    ReadResult result;
    std::vector<std::pair<int, QString>> categories;
    Block b;
    auto flush = [&] {
        const QStringView t = lines::trimmed(b.src);
        if (t.startsWith(kCategory))
            categories.emplace_back(b.starts.front().second,
                                    lines::trimmed(t.mid(kCategory.size())).toString());
        else if (!b.src.isEmpty())
            result.items.push_back(parseBlock(b));
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
    if (!categories.empty())
        result.notes.push_back(exchange::leftOutOnce("category", "categories", categories));
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
    case QuestionKind::Multiple:
        // Moodle rejects an answer without text: blank choices are left out,
        // and the "places" of the extras say where the others go.
        out += QLatin1String("{\n");
        for (int i = 1; i <= choices::kMost; ++i) {
            const QString& c = q.choices[static_cast<std::size_t>(i - 1)];
            if (choices::isShown(c))
                out += QLatin1Char(i == q.correct ? '=' : '~') + encodeText(c) + QLatin1Char('\n');
        }
        if (!feedback.isEmpty())
            out += feedback + QLatin1Char('\n');
        out += QLatin1Char('}');
        break;
    }
    out += QLatin1Char('\n');
    return out;
}

QString roundTrip(const QString& text) {
    return decodeText(encodeText(text), TextFormat::Plain);
}

} // namespace tool::gift
