#pragma once

#include "Exchange.h"

#include <QStringList>

// The three text formats side by side: which one a name means, how its text
// comes back, and the checks an export and an import make before writing.
namespace tool::exchange {

enum class Format { Gift, Aiken, Csv };

// "gift", "aiken", "csv"; nullopt for any other name.
std::optional<Format> formatNamed(const QString& name);
// The names for a usage line, "gift|aiken|csv", and for a message,
// "gift, aiken or csv".
QString formatList();
QString formatChoices();
// "GIFT", "Aiken", "CSV", for messages.
QString formatTitle(Format f);
TextRoundTrip roundTripOf(Format f);
ReadResult readFormat(Format f, const QString& text);

// Question record k in `format`. Empty, with `problems` telling why, when the
// text read back as import reads it would not give the record byte for byte
// (GIFT, CSV) or the question has no place in the format (Aiken); `notes`
// tell what Aiken leaves out.
QString exportQuestion(Format format, const TestRecord& rec, int k, QStringList* problems,
                       QStringList* notes);

// The questions of a file read for import, sorted into those a test can hold
// and those it cannot, each refusal as "IN:LINE: why".
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
