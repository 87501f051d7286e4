// Any bytes as a test record or a log record: every field decodes, the header's
// numbers and flags read, and re-encoding what was read never grows a field.
#include "Cp1252.h"
#include "LogRecord.h"
#include "TestRecord.h"
#include "TextRules.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using storage::FieldSpec;
using storage::LogRecord;
using storage::rightTrimmed;
using storage::TestRecord;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    TestRecord rec;
    rec.setBytes(bytes);
    const FieldSpec fields[] = {
        TestRecord::QuestionText, TestRecord::QuestionType,  TestRecord::Choice1,
        TestRecord::Choice2,      TestRecord::Choice3,       TestRecord::Choice4,
        TestRecord::Choice5,      TestRecord::CorrectAnswer, TestRecord::Explanation,
        TestRecord::Reserved1,    TestRecord::Reserved2,     TestRecord::Reserved3};
    for (const FieldSpec f : fields) {
        const QString value = rec.text(f);
        TestRecord copy = rec;
        copy.setText(f, value);
        if (copy.raw(f).size() != f.width ||
            rightTrimmed(copy.text(f)) !=
                rightTrimmed(storage::cp1252::decode(storage::cp1252::encode(value))))
            std::abort();
    }
    (void)storage::rules::leadingNumber(rec.text(TestRecord::PassingScore));
    (void)rec.questionNumber();
    (void)rec.shuffleFlag();

    LogRecord log;
    log.setBytes(bytes);
    (void)log.text(LogRecord::TestTaken);
    (void)log.numQuestions();
    return 0;
}
