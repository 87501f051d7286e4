#pragma once

#include "FixedRecord.h"

namespace storage {

// One 2514-byte record of a test file. Record 1 is the header (owner,
// password, feedback flags, passing score, shuffle flag); record k + 1 holds
// question k.
class TestRecord : public FixedRecord<2514> {
public:
    static constexpr int kQuestionNumberOffset = 0;
    static constexpr FieldSpec QuestionText{2, 500};
    static constexpr FieldSpec QuestionType{502, 10};
    static constexpr FieldSpec Choice1{512, 200};
    static constexpr FieldSpec Choice2{712, 200};
    static constexpr FieldSpec Choice3{912, 200};
    static constexpr FieldSpec Choice4{1112, 200};
    static constexpr FieldSpec Choice5{1312, 200};
    static constexpr FieldSpec CorrectAnswer{1512, 200};
    static constexpr FieldSpec Explanation{1712, 500};
    static constexpr FieldSpec Reserved1{2212, 100};
    static constexpr FieldSpec Reserved2{2312, 100};
    static constexpr FieldSpec Reserved3{2412, 100};
    static constexpr int kShuffleFlagOffset = 2512;

    // The header record reuses the choice fields.
    static constexpr FieldSpec Owner = Choice1;
    static constexpr FieldSpec Password = Choice2;
    static constexpr FieldSpec CorrectFeedback = Choice3;
    static constexpr FieldSpec IncorrectFeedback = Choice4;
    static constexpr FieldSpec PassingScore = Choice5;

    static constexpr FieldSpec choice(int i) { return FieldSpec{512 + (i - 1) * 200, 200}; }

    std::int16_t questionNumber() const { return int16(kQuestionNumberOffset); }
    void setQuestionNumber(std::int16_t n) { setInt16(kQuestionNumberOffset, n); }
    std::int16_t shuffleFlag() const { return int16(kShuffleFlagOffset); }
    void setShuffleFlag(std::int16_t v) { setInt16(kShuffleFlagOffset, v); }
};

inline const QString kTypeTrueFalse = QStringLiteral("TRUE/FALSE");
inline const QString kTypeTyped = QStringLiteral("TYPED");
inline const QString kTypeMultiple = QStringLiteral("MULTIPLE");

} // namespace storage
