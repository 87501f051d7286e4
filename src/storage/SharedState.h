#pragma once

#include "LogRecord.h"
#include "RecordFile.h"
#include "TestRecord.h"

#include <cstdint>
#include <optional>
#include <QString>

// The state the windows hand to one another: the tests folder, the current
// test and candidate, the last final score, and the two record buffers through
// which every record of a test file or a score log passes.
namespace shared {

inline constexpr int kTestRecordLength = TestRecord::kSize;
inline constexpr int kLogRecordLength = LogRecord::kSize;
inline constexpr int kMaxQuestions = 32766;

extern QString testsDir;
extern QString testPath;
extern QString candidateName;
extern std::int16_t finalScore;
extern TestRecord testRecord;
extern LogRecord logRecord;

// The platform's path separator: every path the program builds uses it.
QString pathSep();
// folder + separator + name.
QString joinPath(const QString& folder, const QString& name);
// ".\tests" on Windows, "./tests" elsewhere.
QString defaultTestsDir();

// Record n of the test file `path` into testRecord. A missing file is an error and
// is not created.
IoStatus readTestRecord(const QString& path, int n);
// testRecord as record n of `path`, creating the file when missing.
IoStatus writeTestRecord(const QString& path, int n);
// Records of a test file; a missing file counts 0 and is not created.
std::optional<std::int16_t> testRecordCount(const QString& path, IoStatus* status = nullptr);

// Start values, as at program start (for a fresh run and for tests).
void reset();

} // namespace shared
