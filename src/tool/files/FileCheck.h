#pragma once

#include "RecordFile.h"
#include "TestRecord.h"

#include <cstdint>
#include <optional>
#include <QString>
#include <QStringList>

// Tests, score logs and answer files checked record by record for what the
// program cannot make sense of, or makes no sense of the way the author meant.
namespace tool::filecheck {

enum class FileKind { Test, Log, Answers };
// By the name's ending: ".tst", ".log" or ".answers", in any letter case.
std::optional<FileKind> kindOf(const QString& path);
int recordLength(FileKind kind);

struct Report {
    QStringList findings; // "record 3 (question 2): ..."; empty when clean
    std::int64_t wholeRecords = 0;
};
storage::IoResult<Report> check(const QString& path, FileKind kind);

// What check finds in question record k (record k + 1 of a test): an unknown
// kind, a stored number other than k, and the answer's findings.
QStringList questionFindings(const storage::TestRecord& rec, int k);
// What check finds in a question's answer: none marked, or the one marked
// empty. Import and export refuse such a question.
QStringList answerFindings(const storage::TestRecord& rec);

// A text with control characters written as \xNN, for messages.
QString visible(const QString& text);

} // namespace tool::filecheck
