#pragma once

#include "FixedRecord.h"

namespace storage {

// One 300-byte record of a candidate's answer file: one question asked in a
// finished run. The run is named as its score log entry names it (test, date,
// time, questions) and by the record number that entry was to take, so that a
// reader can tell the answers of a logged run from those of a run that never
// reached its log.
class AnswerRecord : public FixedRecord<300> {
public:
    static constexpr FieldSpec TestTaken{0, 50};
    static constexpr FieldSpec DateTaken{50, 10};
    static constexpr FieldSpec TimeTaken{60, 15};
    static constexpr int kLogEntryOffset = 75;
    static constexpr int kNumQuestionsOffset = 77;
    static constexpr int kAskedOffset = 79;
    static constexpr int kQuestionRecordOffset = 81;
    // CRC-32 of the question record as asked, 8 hexadecimal digits: a
    // question edited since no longer matches.
    static constexpr FieldSpec Checksum{83, 8};
    static constexpr int kChoiceOffset = 91;
    static constexpr int kRightOffset = 93;
    static constexpr FieldSpec Answer{95, 200};
    static constexpr FieldSpec Reserved{295, 5};
    // The bytes that are the same in every record of one run.
    static constexpr int kRunKeySize = kAskedOffset;

    // The log entry's record number.
    std::int16_t logEntry() const { return int16(kLogEntryOffset); }
    // Questions the run asked, as its entry has them.
    std::int16_t numQuestions() const { return int16(kNumQuestionsOffset); }
    // This question's place in the run, from 1.
    std::int16_t asked() const { return int16(kAskedOffset); }
    // Its record in the test file: 2 is question 1.
    std::int16_t questionRecord() const { return int16(kQuestionRecordOffset); }
    // The choice picked, 1 to 5 (TRUE 1, FALSE 2); 0 for an answer typed.
    std::int16_t choice() const { return int16(kChoiceOffset); }
    bool right() const { return int16(kRightOffset) != 0; }
};

} // namespace storage
