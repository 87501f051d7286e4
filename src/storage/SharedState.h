#pragma once

#include "RecordFile.h"
#include "RecordLimits.h"
#include "TestRecord.h"

#include <cstdint>
#include <QString>

// The state the windows share: the tests folder, the current test and
// candidate; and the reads and writes of a test file's records. Records
// themselves are handed from window to window in the open.
namespace storage::shared {

inline constexpr int kTestRecordLength = TestRecord::kSize;

extern QString testsDir;
extern QString testPath;
extern QString candidateName;

// The platform's path separator: every path the program builds uses it.
QString pathSep();
// folder + separator + name.
QString joinPath(const QString& folder, const QString& name);
// ".\tests" on Windows, "./tests" elsewhere.
QString defaultTestsDir();

// Record n of the test file `path`. A missing file is an error and is not
// created. `records`, when given, receives how many records the file held
// when it was read (rounded as count() rounds, without its 16-bit limit).
IoResult<TestRecord> readTestRecord(const QString& path, int n, std::int64_t* records = nullptr);
// `record` as record n of `path`, creating the file when missing.
IoStatus writeTestRecord(const QString& path, int n, const TestRecord& record);
// Records of a test file; a missing file counts 0 and is not created.
IoResult<std::int16_t> testRecordCount(const QString& path);

// Start values, as at program start (for a fresh run and for tests).
void reset();

} // namespace storage::shared
