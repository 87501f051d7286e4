#include "Question.h"

namespace authoring {

void storeQuestion(TestRecord& rec, int k, const Question& q) {
    rec.setQuestionNumber(static_cast<std::int16_t>(k));
    rec.setText(TestRecord::Explanation, q.explanation);
    const QString type = q.kind == QuestionKind::Typed      ? kTypeTyped
                         : q.kind == QuestionKind::Multiple ? kTypeMultiple
                                                            : kTypeTrueFalse;
    rec.setText(TestRecord::QuestionType, type);
    for (int i = 1; i <= 5; ++i)
        rec.setText(TestRecord::choice(i), q.choices[static_cast<std::size_t>(i - 1)]);
    if (q.correct >= 1 && q.correct <= 5)
        rec.setRaw(TestRecord::CorrectAnswer, rec.raw(TestRecord::choice(q.correct)));
    rec.setText(TestRecord::QuestionText, q.text);
}

std::optional<QuestionKind> storedKind(const TestRecord& rec) {
    const QString type = rec.text(TestRecord::QuestionType).toUpper();
    if (type == kTypeTrueFalse)
        return QuestionKind::TrueFalse;
    if (type == kTypeTyped)
        return QuestionKind::Typed;
    if (type == kTypeMultiple)
        return QuestionKind::Multiple;
    return std::nullopt;
}

int storedCorrectChoice(const TestRecord& rec) {
    int last = 0;
    for (int i = 1; i <= 5; ++i) {
        if (rec.raw(TestRecord::choice(i)) == rec.raw(TestRecord::CorrectAnswer))
            last = i;
    }
    return last;
}

} // namespace authoring
