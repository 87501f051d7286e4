// Any bytes as a whole test file: it counts, every record reads, each question
// loads into the editor's model and saves back to the same model, and the
// run's rules (answer check, feedback, answer arrangement) take whatever it holds.
#include "Controls.h"
#include "FuzzInput.h"
#include "Question.h"
#include "RecordFile.h"
#include "RunRules.h"
#include "SharedState.h"
#include "TestHeader.h"
#include "TestRecord.h"
#include "TextRules.h"

#include <cstdint>
#include <cstdlib>
#include <QFile>
#include <QTemporaryDir>

using storage::FieldSpec;
using storage::IoResult;
using storage::RecordFile;
using storage::rightTrimmed;
using storage::TestRecord;

namespace {

void check(bool ok) {
    if (!ok)
        std::abort();
}

// What the editor shows of record `rec`.
storage::Question loaded(const TestRecord& rec) {
    storage::Question q;
    q.kind = storage::storedKind(rec).value_or(storage::QuestionKind::TrueFalse);
    q.text = rightTrimmed(platform::ui::shownText(rec.text(TestRecord::QuestionText)));
    for (int i = 1; i <= 5; ++i)
        q.choices[static_cast<std::size_t>(i - 1)] =
            rightTrimmed(platform::ui::shownText(rec.text(TestRecord::choice(i))));
    q.explanation = rightTrimmed(platform::ui::shownText(rec.text(TestRecord::Explanation)));
    q.correct = storage::storedCorrectChoice(rec);
    return q;
}

void header(const TestRecord& h) {
    for (const FieldSpec flags : {TestRecord::CorrectFeedback, TestRecord::IncorrectFeedback}) {
        for (int i = 1; i <= 4; ++i)
            (void)storage::flagOn(h, flags, i);
        const QString text = h.text(flags);
        const taking::FeedbackKind kind = taking::feedbackKind(text);
        const taking::FeedbackItems items = taking::feedbackItems(text);
        check(kind != taking::FeedbackKind::Short || (items.verdict && !items.correctAnswer));
    }
    const int score = storage::passingScoreToShow(h);
    check(score >= 50 && score <= 100);
    check(storage::rules::leadingNumber(storage::passingScoreText(score)) == score);
    // what the header holds, typed back, opens the edit door
    check(
        storage::ownerAndPasswordMatch(h, h.text(TestRecord::Owner), h.text(TestRecord::Password)));
}

void question(const TestRecord& rec, int k) {
    const storage::Question q = loaded(rec);
    TestRecord saved = rec;
    storage::storeQuestion(saved, k, q);
    check(saved.bytes().size() == TestRecord::kSize);
    check(saved.questionNumber() == k);
    const storage::Question again = loaded(saved);
    check(again.kind == q.kind && again.text == q.text && again.choices == q.choices &&
          again.explanation == q.explanation);
    check(q.correct == 0 || again.correct >= q.correct);

    // the run: the correct choice, picked from its label, is right
    const QString stored = rec.fullText(TestRecord::CorrectAnswer);
    for (int i = 1; i <= 5; ++i) {
        const bool same = rec.raw(TestRecord::choice(i)) == rec.raw(TestRecord::CorrectAnswer);
        const QString given = taking::comparableAnswer(rec.fullText(TestRecord::choice(i)));
        check(!same || taking::isCorrectAnswer(stored, given));
    }
    (void)taking::isCorrectAnswer(stored,
                                  taking::comparableAnswer(rec.text(TestRecord::QuestionText)));
    for (int arrangement = 1; arrangement <= 4; ++arrangement) {
        int rows = 0;
        for (int choice = 1; choice <= 5; ++choice)
            rows |= 1 << taking::rowForChoice(arrangement, choice);
        check(rows == 0x1f); // every choice on its own row
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString path = inputAsFile(data, size, QStringLiteral("fuzz.tst"));
    const RecordFile file(path, TestRecord::kSize);
    const IoResult<std::int16_t> count = file.count();
    check(count.ok());
    check(taking::readTestToTake(path).ok() == (*count > 0));
    if (size > 0)
        check(taking::arrangementFor(static_cast<double>(data[0]) / 256.0) >= 1 &&
              taking::arrangementFor(static_cast<double>(data[0]) / 256.0) <= 4);
    for (int n = 1; n <= *count; ++n) {
        const IoResult<QByteArray> bytes = file.read(n);
        check(bytes.ok() && bytes->size() == TestRecord::kSize);
        const IoResult<TestRecord> asked = taking::readQuestionToAsk(path, n);
        check(asked.ok() && asked->bytes() == *bytes);
        TestRecord rec;
        rec.setBytes(*bytes);
        if (n == 1)
            header(rec);
        else
            question(rec, n - 1);
    }
    check(!taking::readQuestionToAsk(path, *count + 1).ok());
    return 0;
}
