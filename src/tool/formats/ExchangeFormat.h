#pragma once

#include "Exchange.h"

#include <QStringList>

// The text formats side by side: which one a name means, how its file is
// read and written, how its text comes back, and the checks an export and an
// import make before writing.
namespace tool::exchange {

enum class Format { Gift, Aiken, Csv, MoodleXml };

// "gift", "aiken", "csv", "moodlexml"; nullopt for any other name.
std::optional<Format> formatNamed(const QString& name);
// The names for a usage line, "gift|aiken|csv|moodlexml", and for a message,
// "gift, aiken, csv or moodlexml".
QString formatList();
QString formatChoices();
// "GIFT", "Aiken", "CSV", "Moodle XML", for messages.
QString formatTitle(Format f);
TextRoundTrip roundTripOf(Format f);

// The text of a file to import: UTF-8 without its byte order mark; a CSV file
// also as a spreadsheet saved it (see csv::decode), which `taken` tells.
// nullopt with the line of the first byte that is not UTF-8.
std::optional<QString> textOf(Format f, const QByteArray& bytes, QStringList* taken, int* badLine);
ReadResult readFormat(Format f, const QString& text);

// What an exported file holds before the questions and after them.
QString fileStart(Format f);
QString fileEnd(Format f);
// Question record k in `format`. Empty, with `problems` telling why, when
// check finds its answer damaged, when the text read back as import reads it
// would not give the record byte for byte (GIFT, CSV, Moodle XML), or when the
// question has no place in the format; `notes` tell what is left out.
QString exportQuestion(Format format, const storage::TestRecord& rec, int k, QStringList* problems,
                       QStringList* notes);

// The questions of a file read for import, sorted into those a test can hold
// and those it cannot, by the format's rules, the test's fields and the rules
// check applies to a question record; each refusal as "IN:LINE: why".
struct ImportSelection {
    QStringList refused;
    QStringList notes;
    std::vector<const Entry*> kept; // point into the ReadResult given
    int left = 0;                   // questions refused

    // Why the kept questions cannot make a test (none, or more than a test
    // holds); empty when they can.
    QString countProblem(const QString& in) const;
};
ImportSelection selectForImport(ReadResult& read, Format format, const QString& in);

} // namespace tool::exchange
