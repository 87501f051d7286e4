#include "RunRules.h"

#include "FileNames.h"
#include "FixedRecord.h"
#include "ScoreLog.h"
#include "Services.h"
#include "SharedState.h"
#include "TextRules.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <QCoreApplication>

namespace taking {

int questionsToTake(CountChoice choice, int available, int custom) {
    if (available <= 0)
        return 0;
    switch (choice) {
    case CountChoice::All:
        return available;
    case CountChoice::Half:
        return std::max(1, available / 2);
    case CountChoice::Custom:
        return std::clamp(custom, 1, available);
    }
    return available;
}

int stirCount(const QString& timeOfDay) {
    // Two digits, as the clock gives them, are read directly: a long run
    // reads the clock hundreds of thousands of times.
    const QStringView tail = QStringView(timeOfDay).right(2);
    const auto digit = [](QChar c) { return c >= u'0' && c <= u'9' ? c.unicode() - u'0' : -1; };
    if (tail.size() == 2 && digit(tail[0]) >= 0 && digit(tail[1]) >= 0)
        return digit(tail[0]) * 10 + digit(tail[1]);
    const double s = storage::rules::leadingNumber(timeOfDay.right(2));
    return std::clamp(static_cast<int>(s), 0, 99);
}

void stirGenerator() {
    const int s = stirCount(platform::timeOfDayText());
    for (int i = 0; i < s; ++i)
        platform::randomFraction();
}

RecordDraw::RecordDraw(int questionsAvailable)
    : m_available(std::max(0, questionsAvailable)), m_free(m_available),
      m_used(static_cast<std::size_t>(m_available) + 2, 0) {
    m_used[0] = 1;
    m_used[1] = 1;
}

int RecordDraw::next() {
    const auto used = [this](int record) { return m_used[static_cast<std::size_t>(record)] != 0; };
    // With every record used the loop could never end; the run never asks
    // more questions than there are, so this is only a guard.
    if (m_free <= 0)
        return 0;
    while (used(m_lastDrawn)) {
        stirGenerator();
        const double r = platform::randomFraction();
        const int drawn = static_cast<int>(std::floor(r * m_available + 1)) + 1;
        m_lastDrawn = std::clamp(drawn, 2, m_available + 1);
    }
    m_used[static_cast<std::size_t>(m_lastDrawn)] = 1;
    --m_free;
    return m_lastDrawn;
}

int arrangementFor(double r) {
    return std::clamp(static_cast<int>(std::floor(r * 4)) + 1, 1, 4);
}

int drawArrangement() {
    stirGenerator();
    return arrangementFor(platform::randomFraction());
}

int rowForChoice(int arrangement, int choice) {
    // Arrangements 1-4 down, choices 1-5 across; each value is a row, the top one 0.
    static constexpr std::array<std::array<int, 5>, 4> kTable = {{
        {0, 1, 2, 3, 4},
        {2, 0, 1, 3, 4},
        {1, 3, 4, 2, 0},
        {4, 3, 2, 1, 0},
    }};
    const auto a = static_cast<std::size_t>(std::clamp(arrangement, 1, 4) - 1);
    const auto c = static_cast<std::size_t>(std::clamp(choice, 1, 5) - 1);
    return kTable[a][c];
}

QString comparableAnswer(const QString& text) {
    return storage::rightTrimmed(text).toUpper();
}

bool isCorrectAnswer(const QString& storedCorrectAnswer, const QString& givenAnswer) {
    return comparableAnswer(storedCorrectAnswer) == givenAnswer;
}

FeedbackKind feedbackKind(const QString& flags) {
    if (flags == QLatin1String("0000"))
        return FeedbackKind::None;
    if (flags == QLatin1String("1000"))
        return FeedbackKind::Short;
    return FeedbackKind::Detailed;
}

FeedbackItems feedbackItems(const QString& flags) {
    const auto on = [&flags](qsizetype i) {
        return i >= 0 && i < flags.size() && flags.at(i) == QLatin1Char('1');
    };
    FeedbackItems items;
    items.verdict = on(0);
    items.explanation = on(1);
    items.correctAnswer = on(2);
    items.correctSoFar = on(flags.size() - 1);
    return items;
}

QString counterText(int current, int total) {
    return storage::rules::numberText(static_cast<long long>(current)) +
           QCoreApplication::translate("RunRules", " of ") +
           storage::rules::numberText(static_cast<long long>(total));
}

QString scoreText(int score) {
    return QCoreApplication::translate("RunRules", "Score: ") +
           storage::rules::numberText(static_cast<long long>(score)) + QLatin1Char('%');
}

QString correctSoFarText(int correct) {
    return QCoreApplication::translate("RunRules", "# Correct so far = ") +
           storage::rules::numberText(static_cast<long long>(correct));
}

int scoreBarWidth(int score) {
    return static_cast<int>(std::lround(score * 58.95 / 15.0));
}

QString ElapsedClock::text() const {
    const auto twoDigits = [](long long n) {
        return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
    };
    return QCoreApplication::translate("RunRules", "Elapsed Time: ") +
           QString::number(m_seconds / 3600) + QLatin1Char(':') + twoDigits(m_seconds / 60 % 60) +
           QLatin1Char(':') + twoDigits(m_seconds % 60);
}

storage::IoResult<storage::TestRecord> readTestToTake(const QString& path) {
    const QString quoted = QLatin1Char('"') + storage::filename::shown(path) + QLatin1Char('"');
    if (!storage::RecordFile(path, storage::shared::kTestRecordLength).exists())
        return storage::IoStatus::refusal(
            path,
            QCoreApplication::translate("RunRules", "The test %1 cannot be found.").arg(quoted));
    const storage::IoResult<std::int16_t> records = storage::shared::testRecordCount(path);
    if (!records)
        return records.status();
    if (*records == 0)
        return storage::IoStatus::refusal(
            path, QCoreApplication::translate("RunRules", "The test %1 is empty.").arg(quoted));
    return storage::shared::readTestRecord(path, 1);
}

storage::IoResult<storage::TestRecord> readQuestionToAsk(const QString& path, int record) {
    // The count comes with the read, under its lock: one open per question
    // keeps the whole run of the largest test quick.
    std::int64_t records = 0;
    storage::IoResult<storage::TestRecord> question =
        storage::shared::readTestRecord(path, record, &records);
    if (question && records >= record)
        return question;
    if (!storage::RecordFile(path, storage::shared::kTestRecordLength).exists())
        return readTestToTake(path).status();
    if (!question)
        return question.status();
    return storage::IoStatus::refusal(
        path,
        platform::lines(
            {QCoreApplication::translate("RunRules",
                                         "The test \"%1\" lost questions while you were taking it.")
                 .arg(storage::filename::shown(path)),
             QCoreApplication::translate("RunRules", "The test has ended without a score.")}));
}

QString candidateNameProblem(const QString& candidateName) {
    const QString problem = scoring::logNameProblem(candidateName);
    if (problem.isEmpty())
        return {};
    return QCoreApplication::translate(
               "RunRules", "Your name cannot be used as the name of your score log.\r\n") +
           problem;
}

} // namespace taking
