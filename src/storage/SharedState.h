#pragma once

#include "RecordFile.h"
#include "RecordLimits.h"
#include "TestRecord.h"

#include <cstdint>
#include <QString>

// The state the windows share: the tests folder, the current test and
// candidate and the shared test record; and the reads and writes of a test
// file's records.
namespace storage::shared {

inline constexpr int kTestRecordLength = TestRecord::kSize;

extern QString testsDir;
extern QString testPath;
extern QString candidateName;
// The record the create and edit doors hand to the properties window and the
// question editor, and the take door hands to the run (the test's header). A
// writer that sets only some fields writes the others as it holds them (see
// loadTestRecord).
extern TestRecord testRecord;

// The platform's path separator: every path the program builds uses it.
QString pathSep();
// folder + separator + name.
QString joinPath(const QString& folder, const QString& name);
// ".\tests" on Windows, "./tests" elsewhere.
QString defaultTestsDir();

// Record n of the test file `path`. A missing file is an error and is not
// created.
IoResult<TestRecord> readTestRecord(const QString& path, int n);
// Record n into testRecord, replacing all of it; on failure testRecord stays
// as it was. For the windows whose later writes keep what testRecord holds:
// the edit door, the properties window and the question editor.
IoStatus loadTestRecord(const QString& path, int n);
// `record` as record n of `path`, creating the file when missing.
IoStatus writeTestRecord(const QString& path, int n, const TestRecord& record);
// Records of a test file; a missing file counts 0 and is not created.
IoResult<std::int16_t> testRecordCount(const QString& path);

// Start values, as at program start (for a fresh run and for tests).
void reset();

} // namespace storage::shared
