#pragma once

#include "Question.h"
#include "TestRecord.h"

#include <array>
#include <functional>
#include <optional>
#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

// Questions on their way between a test file and the text files of other
// programs (GIFT, Aiken, CSV): what each side holds and what the other lacks.
namespace tool::exchange {

// Something to tell about one place of a file: a line of a text file, or a
// question of a test.
struct Message {
    int where = 0;
    QString text;
};

// The texts of a question, in the order the messages name them.
inline constexpr int kQuestionSlot = 0; // 1 to 5 are the choices
inline constexpr int kExplanationSlot = 6;

// Fields of a question record that a format's text does not carry, as
// `name=value` pairs: the flags and numbers the editor leaves in the record,
// an answer field that matches no choice, blanks that the format trims.
using Extras = std::vector<std::pair<QString, QByteArray>>;

// One question read from a text file.
struct Entry {
    storage::Question question;
    Extras extras;
    int line = 0;                   // where the question begins
    std::array<int, 7> textLines{}; // where each text begins; 0 for `line`
    bool hasAnswerExtra() const;
};

// A question read, with why it cannot go into a test (empty when it can).
struct Item {
    Entry entry;
    std::vector<Message> problems;
};

struct ReadResult {
    std::vector<Item> items;
    std::vector<Message> notes;   // what was read but has no place in a test
    std::optional<Message> fatal; // the file as a whole cannot be read
};

// What a format's reader makes of a text that its writer wrote: the text of a
// field as it comes back.
using TextRoundTrip = std::function<QString(const QString&)>;

// The question held by a question record; nullopt when its kind is none of
// the three.
std::optional<storage::Question> questionOf(const TestRecord& rec);

// Question k as import stores it: as the editor stores it over a new test's
// header, then the extras, each only where the text read still agrees with it
// (so that a question edited in the other file keeps the edit).
TestRecord questionRecord(const Entry& entry, int k, const TextRoundTrip& roundTrip);

// What `original` (question k) holds that the record made of `read`, its text
// read back, lacks.
Extras extrasFor(const TestRecord& original, const Entry& read, int k,
                 const TextRoundTrip& roundTrip);

// "shuffle=0 answer=QUJD"; parsed back, with the reason when it cannot be.
QString extrasText(const Extras& extras);
std::optional<Extras> parseExtras(const QString& text, QString* error);

// Why the texts of `entry`, with those the extras kept, cannot be stored: a
// character Windows-1252 has no byte for, or a text longer than its field.
std::vector<Message> storageProblems(const Entry& entry, const TextRoundTrip& roundTrip);

// Line breaks of any kind as the CR LF that a text box stores.
QString crlfLineBreaks(const QString& text);

} // namespace tool::exchange
