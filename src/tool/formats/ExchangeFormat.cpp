#include "ExchangeFormat.h"

#include "Aiken.h"
#include "Choices.h"
#include "Csv.h"
#include "FileCheck.h"
#include "Gift.h"
#include "MoodleXml.h"
#include "RecordLimits.h"
#include "TextLines.h"

namespace tool::exchange {

namespace {

struct FormatName {
    Format format;
    const char* name;  // as --format takes it
    const char* title; // as messages name it
};

constexpr FormatName kFormatNames[] = {
    {Format::Gift, "gift", "GIFT"},
    {Format::Aiken, "aiken", "Aiken"},
    {Format::Csv, "csv", "CSV"},
    {Format::MoodleXml, "moodlexml", "Moodle XML"},
};

bool isMoodle(Format f) {
    return f == Format::Gift || f == Format::MoodleXml;
}

QString writeOne(Format format, const storage::Question& q, const Extras& extras) {
    switch (format) {
    case Format::Gift:
        return gift::write(q, extras);
    case Format::Csv:
        return csv::questionRow(q, extras);
    case Format::MoodleXml:
        return moodlexml::write(q, extras);
    case Format::Aiken:
        break;
    }
    return {};
}

// What Moodle cannot read of a question, which GIFT and Moodle XML therefore
// cannot carry.
QStringList moodleProblems(const storage::Question& q) {
    QStringList out;
    if (q.kind == storage::QuestionKind::Multiple) {
        if (std::count_if(q.choices.begin(), q.choices.end(), choices::isShown) < 2)
            out << QStringLiteral("fewer than two choices that are not blank; Moodle needs two");
        else if (!choices::isShown(q.choices[static_cast<std::size_t>(q.correct - 1)]))
            out << QStringLiteral(
                "the choice marked as the answer is blank; Moodle needs its text");
    } else if (q.kind == storage::QuestionKind::Typed && !choices::isShown(q.choices[0])) {
        out << QStringLiteral("the typed answer is blank; Moodle needs one");
    }
    return out;
}

// Why the question read back is not the record: its refusals, else the
// fields it lacks.
QString whyNotExact(const std::optional<Item>& back, const storage::TestRecord& rec, int k,
                    const TextRoundTrip& roundTrip) {
    QStringList why;
    if (back) {
        for (const auto& p : back->problems)
            why << p.text;
        for (const auto& p : storageProblems(back->entry, roundTrip))
            why << p.text;
        if (why.isEmpty()) {
            for (const auto& [name, value] : extrasFor(rec, back->entry, k, roundTrip))
                why << name;
        }
    }
    return why.join(QStringLiteral("; "));
}

// Question k in `format`, every byte of its record carried (GIFT, CSV, Moodle XML).
QString exactly(Format format, const storage::Question& q, const storage::TestRecord& rec, int k,
                QStringList* problems) {
    const auto roundTrip = roundTripOf(format);
    auto readBack = [&](const QString& text) -> std::optional<Item> {
        const ReadResult r = readFormat(format, fileStart(format) + text + fileEnd(format));
        if (r.fatal || r.items.size() != 1)
            return std::nullopt;
        return r.items.front();
    };
    // The text alone first; then what it lacks, in the extras.
    const Extras places = isMoodle(format) ? placesOf(q) : Extras();
    QString text = writeOne(format, q, places);
    auto back = readBack(text);
    if (back) {
        Extras extras = extrasFor(rec, back->entry, k, roundTrip);
        if (!extras.empty()) {
            extras.insert(extras.begin(), places.begin(), places.end());
            text = writeOne(format, q, extras);
            back = readBack(text);
        }
    }
    // Exactly as import will read it, refusals included.
    if (back && back->problems.empty() && storageProblems(back->entry, roundTrip).empty() &&
        questionRecord(back->entry, k, roundTrip) == rec)
        return text;
    problems->append(QStringLiteral("%1 cannot carry it byte for byte (%2)")
                         .arg(formatTitle(format), whyNotExact(back, rec, k, roundTrip)));
    return {};
}

// The titles of the questions kept, told once.
void noteTitles(const std::vector<const Entry*>& kept, const QString& in, QStringList* notes) {
    std::vector<std::pair<int, QString>> titles;
    for (const Entry* e : kept) {
        if (!e->title.isEmpty())
            titles.emplace_back(e->line, e->title);
    }
    if (!titles.empty())
        notes->append(located(in, leftOutOnce("title", "titles", titles)));
}

} // namespace

std::optional<Format> formatNamed(const QString& name) {
    for (const FormatName& f : kFormatNames) {
        if (name == QLatin1String(f.name))
            return f.format;
    }
    return std::nullopt;
}

QString formatList() {
    QStringList names;
    for (const FormatName& f : kFormatNames)
        names << QLatin1String(f.name);
    return names.join(QLatin1Char('|'));
}

QString formatChoices() {
    return choices::listed(formatList().split(QLatin1Char('|')))
        .replace(QStringLiteral(" and "), QStringLiteral(" or "));
}

QString formatTitle(Format f) {
    for (const FormatName& n : kFormatNames) {
        if (n.format == f)
            return QLatin1String(n.title);
    }
    return {};
}

TextRoundTrip roundTripOf(Format f) {
    switch (f) {
    case Format::Gift:
        return gift::roundTrip;
    case Format::Csv:
        return csv::roundTrip;
    case Format::MoodleXml:
        return moodlexml::roundTrip;
    case Format::Aiken:
        break;
    }
    return [](const QString& s) { return s; };
}

std::optional<QString> textOf(Format f, const QByteArray& bytes, QStringList* taken, int* badLine) {
    return f == Format::Csv ? csv::decode(bytes, taken, badLine) : lines::fromUtf8(bytes, badLine);
}

ReadResult readFormat(Format f, const QString& text) {
    switch (f) {
    case Format::Gift:
        return gift::read(text);
    case Format::Aiken:
        return aiken::read(text);
    case Format::Csv:
        return csv::readQuestions(text);
    case Format::MoodleXml:
        break;
    }
    return moodlexml::read(text);
}

QString fileStart(Format f) {
    return f == Format::Csv         ? csv::questionHeader()
           : f == Format::MoodleXml ? moodlexml::fileStart()
                                    : QString();
}

QString fileEnd(Format f) {
    return f == Format::MoodleXml ? moodlexml::fileEnd() : QString();
}

QString exportQuestion(Format format, const storage::TestRecord& rec, int k, QStringList* problems,
                       QStringList* notes) {
    const auto q = questionOf(rec);
    if (!q) {
        problems->append(QStringLiteral("its kind \"%1\" is none of %2, %3 and %4")
                             .arg(filecheck::visible(rec.text(storage::TestRecord::QuestionType)),
                                  storage::kTypeTrueFalse, storage::kTypeTyped,
                                  storage::kTypeMultiple));
        return {};
    }
    // What check finds damaged, import refuses: it stops the export too.
    *problems << filecheck::answerFindings(rec);
    if (problems->isEmpty() && isMoodle(format))
        *problems << moodleProblems(*q);
    if (!problems->isEmpty())
        return {};
    if (format == Format::Aiken)
        return aiken::write(*q, notes, problems);
    // A question's number is its place in the test; import numbers it so.
    storage::TestRecord placed = rec;
    if (rec.questionNumber() != k) {
        notes->append(QStringLiteral("its stored number %1 is not kept; import numbers it %2, "
                                     "its place")
                          .arg(rec.questionNumber())
                          .arg(k));
        placed.setQuestionNumber(static_cast<std::int16_t>(k));
    }
    return exactly(format, *q, placed, k, problems);
}

QString ImportSelection::countProblem(const QString& in) const {
    if (kept.empty())
        return QStringLiteral("%1: no questions to import").arg(in);
    if (kept.size() > static_cast<std::size_t>(storage::kMaxQuestions))
        return QStringLiteral("%1: %2 questions; a test holds at most %3")
            .arg(in)
            .arg(kept.size())
            .arg(storage::kMaxQuestions);
    return {};
}

ImportSelection selectForImport(ReadResult& read, Format format, const QString& in) {
    ImportSelection s;
    const auto roundTrip = roundTripOf(format);
    for (Item& item : read.items) {
        if (item.problems.empty())
            item.problems = storageProblems(item.entry, roundTrip);
        if (item.problems.empty()) {
            // The question as import writes it, by the rules check applies.
            const int k = static_cast<int>(s.kept.size()) + 1;
            for (const QString& f :
                 filecheck::answerFindings(questionRecord(item.entry, k, roundTrip)))
                item.problems.push_back(item.entry.at(f));
        }
        for (const auto& p : item.problems)
            s.refused << located(in, p);
        if (!item.problems.empty()) {
            ++s.left;
            continue;
        }
        s.kept.push_back(&item.entry);
        for (const auto& n : item.notes)
            s.notes << located(in, n);
    }
    for (const auto& n : read.notes)
        s.notes << located(in, n);
    noteTitles(s.kept, in, &s.notes);
    return s;
}

} // namespace tool::exchange
