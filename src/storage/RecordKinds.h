#pragma once

#include "AnswerRecord.h"
#include "LogRecord.h"
#include "TestRecord.h"

#include <QByteArray>

namespace storage {

// A kind of record file the program keeps, known by the ending of its name.
struct RecordKind {
    const char* ending;
    int recordLength;
};

// The program's record files. Start-up looks after the journals of these and
// of nothing else, so a new kind of file is one more line here.
inline constexpr RecordKind kRecordKinds[] = {
    {".tst", TestRecord::kSize},
    {".log", LogRecord::kSize},
    {".answers", AnswerRecord::kSize},
};

// The kind of the file named `name` (a path or a name); nullptr when it is
// none of the program's.
const RecordKind* recordKindOf(const QByteArray& name);

} // namespace storage
