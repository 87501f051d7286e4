#pragma once

// Test files for the taking tests, built record by record as the authoring
// windows write them.
#include "TestRecord.h"

#include <optional>
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace takefiles {

struct Question {
    QString type;
    QString text;
    QStringList choices; // Choice1 .. Choice5
    QString correct;
    QString explanation;
};

// Header record; flags left unset stay NUL bytes, as in a header no writer set.
inline QByteArray header(const QString& owner, std::optional<QByteArray> correctFlags = "0000",
                         std::optional<QByteArray> incorrectFlags = "0000") {
    TestRecord r;
    r.setText(TestRecord::Owner, owner);
    r.setText(TestRecord::Password, QStringLiteral("secret"));
    if (correctFlags)
        r.setRaw(TestRecord::CorrectFeedback, *correctFlags);
    if (incorrectFlags)
        r.setRaw(TestRecord::IncorrectFeedback, *incorrectFlags);
    r.setText(TestRecord::PassingScore, QStringLiteral(" 75"));
    r.setShuffleFlag(1);
    return r.bytes();
}

inline QByteArray question(int number, const Question& q) {
    TestRecord r;
    r.setQuestionNumber(static_cast<std::int16_t>(number));
    r.setText(TestRecord::QuestionText, q.text);
    r.setText(TestRecord::QuestionType, q.type);
    for (int i = 1; i <= 5; ++i)
        r.setText(TestRecord::choice(i), i <= q.choices.size() ? q.choices.at(i - 1) : QString());
    r.setText(TestRecord::CorrectAnswer, q.correct);
    r.setText(TestRecord::Explanation, q.explanation);
    return r.bytes();
}

inline Question trueFalse(const QString& text, bool answer) {
    return {kTypeTrueFalse,
            text,
            {QStringLiteral("TRUE"), QStringLiteral("FALSE")},
            answer ? QStringLiteral("TRUE") : QStringLiteral("FALSE"),
            QStringLiteral("Because.")};
}

inline QByteArray testFile(const QByteArray& head, const QList<Question>& questions) {
    QByteArray out = head;
    for (int k = 0; k < questions.size(); ++k)
        out += question(k + 1, questions.at(k));
    return out;
}

// n true/false questions "Q1" .. "Qn", each answered TRUE.
inline QByteArray numberedTest(int n, const QByteArray& head) {
    QByteArray out;
    out.reserve(static_cast<qsizetype>(n + 1) * TestRecord::kSize);
    out += head;
    for (int k = 1; k <= n; ++k)
        out += question(k, trueFalse(QStringLiteral("Q%1").arg(k), true));
    return out;
}

} // namespace takefiles
