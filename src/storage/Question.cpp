#include "Question.h"

namespace storage {

void storeQuestion(TestRecord& rec, int k, const Question& q) {
    rec.setQuestionNumber(static_cast<std::int16_t>(k));
    rec.setText(TestRecord::Explanation, q.explanation);
    rec.setText(TestRecord::QuestionType, kindName(q.kind));
    for (int i = 1; i <= 5; ++i)
        rec.setText(TestRecord::choice(i), q.choices[static_cast<std::size_t>(i - 1)]);
    if (q.correct >= 1 && q.correct <= 5)
        rec.setRaw(TestRecord::CorrectAnswer, rec.raw(TestRecord::choice(q.correct)));
    rec.setText(TestRecord::QuestionText, q.text);
}

QString kindName(QuestionKind kind) {
    switch (kind) {
    case QuestionKind::Typed:
        return kTypeTyped;
    case QuestionKind::Multiple:
        return kTypeMultiple;
    case QuestionKind::TrueFalse:
        break;
    }
    return kTypeTrueFalse;
}

std::optional<QuestionKind> kindNamed(const QString& name) {
    for (const QuestionKind kind :
         {QuestionKind::TrueFalse, QuestionKind::Typed, QuestionKind::Multiple}) {
        if (name == kindName(kind))
            return kind;
    }
    return std::nullopt;
}

std::optional<QuestionKind> storedKind(const TestRecord& rec) {
    return kindNamed(rec.text(TestRecord::QuestionType).toUpper());
}

int storedCorrectChoice(const TestRecord& rec) {
    int last = 0;
    for (int i = 1; i <= 5; ++i) {
        if (rec.raw(TestRecord::choice(i)) == rec.raw(TestRecord::CorrectAnswer))
            last = i;
    }
    return last;
}

} // namespace storage
