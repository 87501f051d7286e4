#pragma once

#include <cstdint>
#include <optional>
#include <QString>

// Number and text conventions shared by every window of the program.
namespace storage::rules {

// Nearest whole number, an exact half going to the even neighbour.
double roundHalfEven(double x);

// Records in a file of `length` bytes: length / recordLength to the nearest
// whole number, halves to even (exact, in integer arithmetic). nullopt when the
// count does not fit the 16-bit counter of the file formats.
std::optional<std::int16_t> recordCountForLength(std::int64_t length, int recordLength);
// The same count without the 16-bit limit, for files that have none.
std::int64_t roundedRecordCount(std::int64_t length, int recordLength);

// A non-negative number with one leading blank in place of a sign: 7 -> " 7",
// -3 -> "-3".
QString numberText(long long n);
QString numberText(double x);

// The leading decimal number of a text (leading blanks and tabs skipped,
// optional sign, digits with an optional fraction); 0 when there is none.
double leadingNumber(const QString& text);

// The passing score a test's header field gives: its leading number, 75 when
// that is 0 (an empty field, or one that holds no number).
double passingScore(const QString& passingScoreField);
// A score passes when it is not below the passing score; equal passes.
bool passes(double score, double passing);

// floor(100 * correct / toTake) in exact integer arithmetic; 0 when nothing was
// answered correctly or nothing was to be taken.
int exactPercentage(int correct, int toTake);

// The test's name from its path: the part after the last path separator ('/' or
// '\'), without its last four characters (the ".tst").
QString testNameFromPath(const QString& path);

// Why `name` + `extension` cannot name a file in the tests folder (a separator
// would put it elsewhere, a NUL or a name too long the file system refuses);
// empty when it can.
QString fileNameProblem(const QString& name, const QString& extension);

} // namespace storage::rules
