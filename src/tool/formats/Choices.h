#pragma once

#include "Exchange.h"
#include "Question.h"

#include <array>
#include <functional>
#include <optional>
#include <QString>
#include <QStringView>
#include <vector>

// The choices of a question: how many a test holds and that one is right, how
// paper and Aiken letter them, and where Moodle's formats, which cannot show a
// blank choice, leave them.
namespace tool::choices {

// Choice 1 to 5 of a question record.
inline constexpr int kMost = 5;

// The letters of a multiple-choice question's choices: A onwards for the
// choices that are not empty, in stored order; "" for an empty one.
std::array<QString, kMost> letters(const storage::Question& q);
// How many choices are not empty.
int shown(const storage::Question& q);
// "A, B and C".
QString listed(const QStringList& items);

// Whether `answer` lists several answers ("A, C", "1/2", "B & D"), each one
// as `isOne` takes it.
bool namesSeveral(QStringView answer, const std::function<bool(QStringView)>& isOne);

// Why a question cannot go into a test as it stands.
QString tooManyChoices();
QString severalRight();
QString severalAccepted();
QString partialCredit(double weight);
// What is left out of a question whose answers have feedback of their own.
QString feedbackLeftOut();

// One answer of a question in one of Moodle's formats.
struct Answer {
    QString text;
    bool right = false;
    std::optional<double> weight; // in percent, when the file gives one
    bool feedback = false;        // it has feedback of its own
    int line = 0;
};
// The answers as the question's choices (multiple choice) or as its typed
// answer (`line` tells where none is accepted); what a test cannot hold goes
// into the item's problems, the answers' feedback into its notes. Whether one
// is marked right is left to the rules check applies to the record.
void takeChoices(const std::vector<Answer>& answers, exchange::Item& item);
void takeTypedAnswer(const std::vector<Answer>& answers, exchange::Item& item, int line);

// Whether Moodle shows a choice: it has text that is not blanks.
bool isShown(const QString& choice);
// Where the choices Moodle is shown go in the record: "" when they are the
// first ones with no blank one between, else their numbers in order ("134").
QString placesOf(const storage::Question& q);
bool arePlaces(QStringView places);
// Puts the choices read back into their places, the right one with them;
// nothing changes when the places do not fit what was read (an edited file).
void putInPlaces(storage::Question& q, QStringView places);

} // namespace tool::choices
