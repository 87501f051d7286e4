#pragma once

#include "TestRecord.h"

#include <array>
#include <optional>
#include <QString>

// One question as the editor shows it, and its record in the test file.
namespace storage {

enum class QuestionKind { TrueFalse, Typed, Multiple };

struct Question {
    QuestionKind kind = QuestionKind::TrueFalse;
    QString text;
    std::array<QString, 5> choices;
    QString explanation;
    int correct = 0; // choice 1 to 5 marked correct; 0 when none is
};

// Fills the question fields of `rec` as question k. The correct answer is a
// copy of the marked choice's stored field; with none marked it stays as `rec`
// holds it, and so do the reserved fields and the shuffle flag.
void storeQuestion(TestRecord& rec, int k, const Question& q);

// The name a kind is stored under in the type field.
QString kindName(QuestionKind kind);
// The kind stored under `name`, letter for letter; nullopt for any other text.
std::optional<QuestionKind> kindNamed(const QString& name);
// The stored kind, upper-cased; nullopt when the type is none of the three.
std::optional<QuestionKind> storedKind(const TestRecord& rec);
// The last choice whose whole field equals the whole correct-answer field; 0
// when none does.
int storedCorrectChoice(const TestRecord& rec);

} // namespace storage
