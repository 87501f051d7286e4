#pragma once

#include "TestRecord.h"

#include <QString>

// A test as readable text: what the header says in words, and each question
// with its kind, choices, the right one and the explanation.
namespace tool::testtext {

// The header of the test at `path` that holds `questions` questions. The
// password is never shown.
QString header(const storage::TestRecord& h, const QString& path, int questions);
// Question k, after a blank line.
QString question(const storage::TestRecord& rec, int k);

} // namespace tool::testtext
