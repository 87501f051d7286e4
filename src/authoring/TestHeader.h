#pragma once

#include "HeaderRecord.h"
#include "RecordFile.h"

#include <QString>

// Creating a new test through the create door; the header's fields themselves
// are in HeaderRecord.h.
namespace authoring {

enum class CreateOutcome { Created, Exists, IllegalName, Failed };
struct CreateResult {
    CreateOutcome outcome = CreateOutcome::Failed;
    QString path;    // the test file, as found or as created
    IoStatus status; // why it failed, for Failed
};

// Creates the test `typedName` (trailing blanks removed; leading ones kept) in
// `testsDir` with a new header (fillNewHeader) in shared::testRecord. A test whose name
// differs only in letter case is the same test. A file that already holds
// bytes is never written.
CreateResult createTest(const QString& testsDir, const QString& typedName, const QString& owner,
                        const QString& password);

} // namespace authoring
