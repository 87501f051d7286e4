#pragma once

#include "FixedRecord.h"
#include "TestRecord.h"

#include <array>
#include <QString>

// The header record of a test file: what a new test holds, the owner check of
// the edit door, the feedback flags and the passing score of the properties
// window. Plain record logic, so that tools outside the windows share it.
namespace storage {

// Why `name` (trailing blanks already removed) cannot name a test file in the
// tests folder; empty when it can. The file system has the last word.
QString testNameProblem(const QString& name);

// A new test's header: every field empty (NUL) but owner and password as
// typed, shuffle on, and the feedback "1000" after a correct answer and "1110"
// after a wrong one.
void fillNewHeader(TestRecord& rec, const QString& owner, const QString& password);

// The edit door's check: owner and password of `header` against what was
// typed, ignoring letter case; typed text is taken as the header would store it.
bool ownerAndPasswordMatch(const TestRecord& header, const QString& owner, const QString& password);

// Position 1 to 4 of a flag field is on when it holds "1".
bool flagOn(const TestRecord& header, FieldSpec field, int position);
// "1" for on, "0" for off, in order: {true,false,false,false} -> "1000".
QString flagText(const std::array<bool, 4>& on);

// The passing score the properties window opens with: the stored number when
// it is above 49 (to the nearest whole number, at most 100), else 75.
int passingScoreToShow(const TestRecord& header);
// " 75": the stored form of a passing score.
QString passingScoreText(int score);

} // namespace storage
