#pragma once

#include "FixedRecord.h"

namespace storage {

// One 113-byte entry of a candidate's score log.
class LogRecord : public FixedRecord<113> {
public:
    static constexpr FieldSpec Spare{0, 30};
    static constexpr FieldSpec DateTaken{30, 10};
    static constexpr FieldSpec TimeTaken{40, 15};
    static constexpr FieldSpec TestTaken{55, 50};
    static constexpr FieldSpec TestScore{105, 6};
    static constexpr int kNumQuestionsOffset = 111;

    std::int16_t numQuestions() const { return int16(kNumQuestionsOffset); }
    void setNumQuestions(std::int16_t n) { setInt16(kNumQuestionsOffset, n); }
};

} // namespace storage
