#include "Exchange.h"

#include "Choices.h"
#include "Cp1252.h"
#include "HeaderRecord.h"

#include <algorithm>
#include <limits>
#include <QList>
#include <QStringList>

using storage::FieldSpec;
using storage::rightTrimmedBytes;
using storage::TestRecord;

namespace tool::exchange {

using storage::Question;
using storage::QuestionKind;

namespace {

struct FieldInfo {
    const char* name;
    FieldSpec layout;
    bool number; // a 16-bit integer, written in decimal
    int slot;    // the text it holds, or -1
};

constexpr FieldInfo kFields[] = {
    {"number", {TestRecord::kQuestionNumberOffset, 2}, true, -1},
    {"question", TestRecord::QuestionText, false, kQuestionSlot},
    {"type", TestRecord::QuestionType, false, -1},
    {"choice1", TestRecord::Choice1, false, 1},
    {"choice2", TestRecord::Choice2, false, 2},
    {"choice3", TestRecord::Choice3, false, 3},
    {"choice4", TestRecord::Choice4, false, 4},
    {"choice5", TestRecord::Choice5, false, 5},
    {"answer", TestRecord::CorrectAnswer, false, -1},
    {"explanation", TestRecord::Explanation, false, kExplanationSlot},
    {"reserved1", TestRecord::Reserved1, false, -1},
    {"reserved2", TestRecord::Reserved2, false, -1},
    {"reserved3", TestRecord::Reserved3, false, -1},
    {"shuffle", {TestRecord::kShuffleFlagOffset, 2}, true, -1},
};

// Not a field: where the choices a text shows go in the record, when blank
// ones between them were left out.
const QLatin1String kPlaces("places");

const FieldInfo* fieldNamed(const QString& name) {
    for (const FieldInfo& f : kFields) {
        if (name == QLatin1String(f.name))
            return &f;
    }
    return nullptr;
}

// The record every imported question is stored over: a new test's header, as
// the editor stores a new test's first question over the header it has read.
const TestRecord& baseRecord() {
    static const TestRecord base = [] {
        TestRecord r;
        storage::fillNewHeader(r, QString(), QString());
        return r;
    }();
    return base;
}

// Whether the text of a format shows the field, so that an edit there must win
// over what the extras kept.
bool shownByText(QuestionKind kind, int slot) {
    if (slot == kQuestionSlot || slot == kExplanationSlot)
        return true;
    if (kind == QuestionKind::Multiple)
        return true;
    return kind == QuestionKind::Typed && slot == 1;
}

const QString& textOf(const Question& q, int slot) {
    if (slot == kQuestionSlot)
        return q.text;
    if (slot == kExplanationSlot)
        return q.explanation;
    return q.choices[static_cast<std::size_t>(slot - 1)];
}

QString& textOf(Question& q, int slot) {
    return const_cast<QString&>(textOf(std::as_const(q), slot));
}

QString slotName(int slot) {
    if (slot == kQuestionSlot)
        return QStringLiteral("the question");
    if (slot == kExplanationSlot)
        return QStringLiteral("the explanation");
    return QStringLiteral("choice %1").arg(slot);
}

int slotWidth(int slot) {
    return slot == kQuestionSlot || slot == kExplanationSlot ? TestRecord::QuestionText.width
                                                             : TestRecord::Choice1.width;
}

// Whether a field the extras kept goes into the record of the question read,
// `q` with its choices in their places: a field its text shows only where the
// text still agrees with it.
bool applies(const FieldInfo& f, const QByteArray& value, const Question& q,
             const TextRoundTrip& roundTrip) {
    const QString name = QLatin1String(f.name);
    // A question's number is its place in the test, wherever it came from.
    if (name == QLatin1String("number"))
        return false;
    TestRecord kept;
    kept.setRaw(f.layout, value);
    if (name == QLatin1String("type"))
        return storage::storedKind(kept) == q.kind;
    if (name == QLatin1String("answer"))
        return q.correct == 0;
    if (f.slot >= 0 && shownByText(q.kind, f.slot))
        return roundTrip(kept.text(f.layout)) == textOf(q, f.slot);
    return true;
}

} // namespace

Message Entry::at(const QString& text, int where) const {
    return {where > 0 ? where : line, text, row};
}

Message leftOutOnce(const char* one, const char* many,
                    const std::vector<std::pair<int, QString>>& found) {
    const QString first = QStringLiteral("\"%1\"").arg(found.front().second);
    if (found.size() == 1)
        return {found.front().first, QStringLiteral("the %1 %2 is left out; a test has no place "
                                                    "for it")
                                         .arg(QLatin1String(one), first)};
    return {found.front().first,
            QStringLiteral("the %1 (%2 and %3 more) are left out; a test has no place for them")
                .arg(QLatin1String(many), first)
                .arg(found.size() - 1)};
}

QString located(const QString& in, const Message& m) {
    QString place = in;
    if (m.where > 0)
        place += QLatin1Char(':') + QString::number(m.where);
    if (m.column > 0)
        place += QLatin1Char(':') + QString::number(m.column);
    if (m.row > 0)
        place += QStringLiteral(" (row %1)").arg(m.row);
    return place + QStringLiteral(": ") + m.text;
}

std::optional<Question> questionOf(const TestRecord& rec) {
    const auto kind = storage::storedKind(rec);
    if (!kind)
        return std::nullopt;
    Question q;
    q.kind = *kind;
    q.text = rec.text(TestRecord::QuestionText);
    for (int i = 1; i <= 5; ++i)
        q.choices[static_cast<std::size_t>(i - 1)] = rec.text(TestRecord::choice(i));
    q.explanation = rec.text(TestRecord::Explanation);
    q.correct = storage::storedCorrectChoice(rec);
    return q;
}

namespace {

// The question read, its choices put in the places the extras say.
Question inPlaces(const Entry& entry) {
    Question q = entry.question;
    for (const auto& [name, value] : entry.extras) {
        if (name == kPlaces)
            choices::putInPlaces(q, QString::fromLatin1(value));
    }
    return q;
}

// The question with the texts the extras kept put back; the other fields the
// extras keep go into `fields`.
Question withKeptTexts(const Entry& entry, const TextRoundTrip& roundTrip,
                       std::vector<std::pair<FieldSpec, QByteArray>>* fields) {
    const Question shown = inPlaces(entry);
    Question q = shown;
    for (const auto& [name, value] : entry.extras) {
        const FieldInfo* f = fieldNamed(name);
        if (!f || !applies(*f, value, shown, roundTrip))
            continue;
        if (f->slot < 0) {
            if (fields)
                fields->emplace_back(f->layout, value);
            continue;
        }
        TestRecord kept;
        kept.setRaw(f->layout, value);
        textOf(q, f->slot) = kept.text(f->layout);
    }
    return q;
}

} // namespace

TestRecord questionRecord(const Entry& entry, int k, const TextRoundTrip& roundTrip) {
    // Kept texts go into the question first, so that the answer field copies
    // the right choice as it was.
    std::vector<std::pair<FieldSpec, QByteArray>> fields;
    const Question q = withKeptTexts(entry, roundTrip, &fields);
    TestRecord rec = baseRecord();
    storage::storeQuestion(rec, k, q);
    for (const auto& [layout, value] : fields)
        rec.setRaw(layout, value);
    return rec;
}

Extras extrasFor(const TestRecord& original, const Entry& read, int k,
                 const TextRoundTrip& roundTrip) {
    const TestRecord fromText = questionRecord(read, k, roundTrip);
    Extras out;
    // An answer that marks no choice is kept even when it happens to equal what
    // import would leave, so that the question is known to have none on purpose.
    const bool noneMarked = storage::storedCorrectChoice(original) == 0;
    const Question shown = inPlaces(read);
    for (const FieldInfo& f : kFields) {
        if (f.layout.offset == TestRecord::kQuestionNumberOffset)
            continue; // import numbers a question by its place
        const QByteArray mine = original.raw(f.layout);
        const bool answer = f.layout.offset == TestRecord::CorrectAnswer.offset;
        // A text read back longer than its field is cut to the same bytes, but
        // import refuses it: it is kept too.
        const bool changed = f.slot >= 0 && original.text(f.layout) != textOf(shown, f.slot);
        if (mine != fromText.raw(f.layout) || (answer && noneMarked) ||
            (changed && shownByText(shown.kind, f.slot)))
            out.emplace_back(QLatin1String(f.name), f.number ? mine : rightTrimmedBytes(mine));
    }
    return out;
}

Extras placesOf(const Question& q) {
    const QString places = choices::placesOf(q);
    if (places.isEmpty())
        return {};
    return {{kPlaces, places.toLatin1()}};
}

QString extrasText(const Extras& extras) {
    QStringList parts;
    for (const auto& [name, value] : extras) {
        const FieldInfo* f = fieldNamed(name);
        QString shown;
        if (name == kPlaces) {
            shown = QString::fromLatin1(value);
        } else if (f && f->number) {
            TestRecord r;
            r.setRaw(f->layout, value);
            shown = QString::number(r.int16(f->layout.offset));
        } else {
            shown = QString::fromLatin1(value.toBase64());
        }
        parts.append(name + QLatin1Char('=') + shown);
    }
    return parts.join(QLatin1Char(' '));
}

std::optional<Extras> parseExtras(const QString& text, QString* error) {
    Extras out;
    const QStringList parts = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        const qsizetype eq = part.indexOf(QLatin1Char('='));
        const QString name = part.left(eq);
        if (name == kPlaces) {
            if (!choices::arePlaces(part.mid(eq + 1))) {
                *error = QStringLiteral("%1 does not name choices 1 to 5 in order").arg(part);
                return std::nullopt;
            }
            out.emplace_back(name, part.mid(eq + 1).toLatin1());
            continue;
        }
        const FieldInfo* f = eq > 0 ? fieldNamed(name) : nullptr;
        if (!f) {
            *error = QStringLiteral("\"%1\" names no field of a question record").arg(part);
            return std::nullopt;
        }
        const QString value = part.mid(eq + 1);
        QByteArray bytes;
        if (f->number) {
            bool ok = false;
            const int n = value.toInt(&ok);
            if (!ok || n < std::numeric_limits<std::int16_t>::min() ||
                n > std::numeric_limits<std::int16_t>::max()) {
                *error = QStringLiteral("%1 is not a 16-bit number").arg(part);
                return std::nullopt;
            }
            TestRecord r;
            r.setInt16(f->layout.offset, static_cast<std::int16_t>(n));
            bytes = r.raw(f->layout);
        } else {
            auto decoded = QByteArray::fromBase64Encoding(value.toLatin1(),
                                                          QByteArray::AbortOnBase64DecodingErrors);
            if (!decoded || decoded.decoded.size() > f->layout.width) {
                *error = QStringLiteral("the value of %1 is not the Base64 of a field").arg(name);
                return std::nullopt;
            }
            bytes = decoded.decoded;
        }
        out.emplace_back(name, bytes);
    }
    return out;
}

std::vector<Message> storageProblems(const Entry& entry, const TextRoundTrip& roundTrip) {
    std::vector<Message> out;
    const Question q = withKeptTexts(entry, roundTrip, nullptr);
    for (int slot = kQuestionSlot; slot <= kExplanationSlot; ++slot) {
        const QString& text = textOf(q, slot);
        const int line = entry.textLines[static_cast<std::size_t>(slot)] > 0
                             ? entry.textLines[static_cast<std::size_t>(slot)]
                             : entry.line;
        const QList<uint> codePoints = text.toUcs4();
        for (const uint cp : codePoints) {
            if (!storage::cp1252::holds(cp)) {
                const char32_t c = cp;
                out.push_back(
                    {line,
                     QStringLiteral("\"%1\" (U+%2) in %3 has no place in "
                                    "Windows-1252, the character set of tests")
                         .arg(QString::fromUcs4(&c, 1),
                              QString::number(cp, 16).toUpper().rightJustified(4, QLatin1Char('0')),
                              slotName(slot)),
                     entry.row});
                break;
            }
        }
        const auto length = codePoints.size();
        if (length > slotWidth(slot))
            out.push_back({line,
                           QStringLiteral("%1 is %2 characters long (a line break counts "
                                          "two); a test holds %3")
                               .arg(slotName(slot))
                               .arg(length)
                               .arg(slotWidth(slot)),
                           entry.row});
    }
    return out;
}

QString crlfLineBreaks(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            out.append(QLatin1String("\r\n"));
            if (c == QLatin1Char('\r') && i + 1 < text.size() &&
                text.at(i + 1) == QLatin1Char('\n'))
                ++i;
        } else {
            out.append(c);
        }
    }
    return out;
}

} // namespace tool::exchange
