#pragma once

#include "HeaderRecord.h"
#include "IoResult.h"

#include <QString>

// Creating a new test through the create door; the header's fields themselves
// are in HeaderRecord.h.
namespace authoring {

enum class CreateOutcome { Created, Exists, IllegalName };
struct NewTest {
    CreateOutcome outcome = CreateOutcome::IllegalName;
    QString path; // the test file, as found or as created
};

// Creates the test `typedName` (trailing blanks removed; leading ones kept) in
// `testsDir` with a new header (fillNewHeader). A test whose name differs only
// in letter case is the same test. A file that already holds bytes is never
// written. Fails with the file's reason when the file cannot be examined or
// written.
storage::IoResult<NewTest> createTest(const QString& testsDir, const QString& typedName,
                                      const QString& owner, const QString& password);

} // namespace authoring
