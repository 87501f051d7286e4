#pragma once

#include "Question.h"
#include "TestRecord.h"

#include <array>
#include <functional>
#include <optional>
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

// Questions on their way between a test file and the text files of other
// programs (GIFT, Aiken, CSV): what each side holds and what the other lacks.
namespace tool::exchange {

// Something to tell about one place of a file: a line of a text file (with
// the spreadsheet's row, or the column of a character, when the format has
// them), or a question of a test.
struct Message {
    int where = 0;
    QString text;
    int row = 0;
    int column = 0;
};

// "IN:LINE: text", with " (row R)" after the line or ":COLUMN" when known;
// "IN: text" for the file as a whole (line 0).
QString located(const QString& in, const Message& m);

// The texts of a question, in the order the messages name them.
inline constexpr int kQuestionSlot = 0; // 1 to 5 are the choices
inline constexpr int kExplanationSlot = 6;

// Fields of a question record that a format's text does not carry, as
// `name=value` pairs: the flags and numbers the editor leaves in the record,
// an answer field that matches no choice, blanks that the format trims.
using Extras = std::vector<std::pair<QString, QByteArray>>;

// What a file gave that a test has no place for, told once: "the category
// \"X\" is left out", "the categories (\"X\" and 3 more) are left out", at the
// first one's line.
Message leftOutOnce(const char* one, const char* many,
                    const std::vector<std::pair<int, QString>>& found);

// One question read from a text file.
struct Entry {
    storage::Question question;
    Extras extras;
    int line = 0;                   // where the question begins
    int row = 0;                    // its spreadsheet row, for CSV
    std::array<int, 7> textLines{}; // where each text begins; 0 for `line`
    QString title;                  // a title the format gave it, which a test has no place for
    // A message about the question, at `line` (its own when 0).
    Message at(const QString& text, int line = 0) const;
};

// A question read, with why it cannot go into a test (empty when it can) and
// what of it a test has no place for.
struct Item {
    Entry entry;
    std::vector<Message> problems;
    std::vector<Message> notes;
};

struct ReadResult {
    std::vector<Item> items;
    std::vector<Message> notes; // what of the file as a whole a test has no place for
    QStringList taken; // how the file was read where not as by default: "with tabs between cells"
    std::optional<Message> fatal; // the file as a whole cannot be read
};

// What a format's reader makes of a text that its writer wrote: the text of a
// field as it comes back.
using TextRoundTrip = std::function<QString(const QString&)>;

// The question held by a question record; nullopt when its kind is none of
// the three.
std::optional<storage::Question> questionOf(const storage::TestRecord& rec);

// Question k as import stores it: as the editor stores it over a new test's
// header, then the extras, each only where the text read still agrees with it
// (so that a question edited in the other file keeps the edit).
storage::TestRecord questionRecord(const Entry& entry, int k, const TextRoundTrip& roundTrip);

// What `original` (question k) holds that the record made of `read`, its text
// read back, lacks.
Extras extrasFor(const storage::TestRecord& original, const Entry& read, int k,
                 const TextRoundTrip& roundTrip);

// The extras that say where the choices a text shows go in the record, when
// it leaves blank ones out (none when it leaves none out).
Extras placesOf(const storage::Question& q);

// "shuffle=0 answer=QUJD"; parsed back, with the reason when it cannot be.
QString extrasText(const Extras& extras);
std::optional<Extras> parseExtras(const QString& text, QString* error);

// Why the texts of `entry`, with those the extras kept, cannot be stored: a
// character Windows-1252 has no byte for, or a text longer than its field.
std::vector<Message> storageProblems(const Entry& entry, const TextRoundTrip& roundTrip);

// Line breaks of any kind as the CR LF that a text box stores.
QString crlfLineBreaks(const QString& text);

} // namespace tool::exchange
