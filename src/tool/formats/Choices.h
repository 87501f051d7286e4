#pragma once

#include "Question.h"

#include <array>
#include <functional>
#include <QString>
#include <QStringView>

// The choices of a question: how many a test holds, how paper and Aiken
// letter them, and the words for a question with more than a test holds.
namespace tool::choices {

// Choice 1 to 5 of a question record.
inline constexpr int kMost = 5;

// The letters of a multiple-choice question's choices: A onwards for the
// choices that are not empty, in stored order; "" for an empty one.
std::array<QString, kMost> letters(const storage::Question& q);
// How many choices are not empty.
int shown(const storage::Question& q);

// Whether `answer` lists several answers ("A, C", "1/2", "B & D"), each one
// as `isOne` takes it.
bool namesSeveral(QStringView answer, const std::function<bool(QStringView)>& isOne);

// Why a question cannot go into a test as it stands.
QString tooManyChoices();
QString severalRight();

} // namespace tool::choices
