#include "ExchangeFormat.h"

#include "Aiken.h"
#include "Csv.h"
#include "FileCheck.h"
#include "Gift.h"
#include "RecordLimits.h"

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
};

// Question k in `format`, every byte of its record carried (GIFT, CSV).
QString exactly(Format format, const storage::Question& q, const TestRecord& rec, int k,
                QStringList* problems) {
    const auto roundTrip = roundTripOf(format);
    auto write = [&](const Extras& extras) {
        return format == Format::Gift ? gift::write(q, extras) : csv::questionRow(q, extras);
    };
    auto readBack = [&](const QString& text) -> std::optional<Item> {
        const ReadResult r = format == Format::Gift
                                 ? gift::read(text)
                                 : csv::readQuestions(csv::questionHeader() + text);
        if (r.fatal || r.items.size() != 1)
            return std::nullopt;
        return r.items.front();
    };
    // The text alone first; then what it lacks, in the extras.
    QString text = write({});
    auto back = readBack(text);
    if (back) {
        const Extras extras = extrasFor(rec, back->entry, k, roundTrip);
        if (!extras.empty()) {
            text = write(extras);
            back = readBack(text);
        }
    }
    // Exactly as import will read it, refusals included.
    if (back && back->problems.empty() && storageProblems(back->entry, roundTrip).empty() &&
        questionRecord(back->entry, k, roundTrip) == rec)
        return text;
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
    problems->append(QStringLiteral("%1 cannot carry it byte for byte (%2)")
                         .arg(formatTitle(format), why.join(QStringLiteral("; "))));
    return {};
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
    QStringList names = formatList().split(QLatin1Char('|'));
    const QString last = names.takeLast();
    return names.join(QStringLiteral(", ")) + QStringLiteral(" or ") + last;
}

QString formatTitle(Format f) {
    for (const FormatName& n : kFormatNames) {
        if (n.format == f)
            return QLatin1String(n.title);
    }
    return {};
}

TextRoundTrip roundTripOf(Format f) {
    if (f == Format::Gift)
        return gift::roundTrip;
    if (f == Format::Csv)
        return csv::roundTrip;
    return [](const QString& s) { return s; };
}

ReadResult readFormat(Format f, const QString& text) {
    return f == Format::Gift    ? gift::read(text)
           : f == Format::Aiken ? aiken::read(text)
                                : csv::readQuestions(text);
}

QString exportQuestion(Format format, const TestRecord& rec, int k, QStringList* problems,
                       QStringList* notes) {
    const auto q = questionOf(rec);
    if (!q) {
        problems->append(QStringLiteral("its kind \"%1\" is none of %2, %3 and %4")
                             .arg(filecheck::visible(rec.text(TestRecord::QuestionType)),
                                  kTypeTrueFalse, kTypeTyped, kTypeMultiple));
        return {};
    }
    if (format == Format::Aiken)
        return aiken::write(*q, notes, problems);
    return exactly(format, *q, rec, k, problems);
}

QString ImportSelection::countProblem(const QString& in) const {
    if (kept.empty())
        return QStringLiteral("%1: no questions to import").arg(in);
    if (kept.size() > static_cast<std::size_t>(kMaxQuestions))
        return QStringLiteral("%1: %2 questions; a test holds at most %3")
            .arg(in)
            .arg(kept.size())
            .arg(kMaxQuestions);
    return {};
}

ImportSelection selectForImport(ReadResult& read, Format format, const QString& in) {
    ImportSelection s;
    for (Item& item : read.items) {
        for (const auto& p : storageProblems(item.entry, roundTripOf(format)))
            item.problems.push_back(p);
        for (const auto& p : item.problems)
            s.refused << QStringLiteral("%1:%2: %3").arg(in).arg(p.where).arg(p.text);
        if (item.problems.empty())
            s.kept.push_back(&item.entry);
        else
            ++s.left;
    }
    for (const auto& n : read.notes)
        s.notes << QStringLiteral("%1:%2: %3").arg(in).arg(n.where).arg(n.text);
    return s;
}

} // namespace tool::exchange
