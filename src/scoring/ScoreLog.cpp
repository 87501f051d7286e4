#include "ScoreLog.h"

#include "Cp1252.h"
#include "RecordLimits.h"
#include "ScoreWindow.h"
#include "Services.h"
#include "SharedState.h"
#include "TextRules.h"
#include "WindowRegistry.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <limits>
#include <QCoreApplication>
#include <QPlainTextEdit>

using storage::IoResult;
using storage::IoStatus;
using storage::kMaxRecordCount;
using storage::LogRecord;
using storage::RecordFile;

namespace scoring {

namespace {

// A typical entry's text; enough to build most logs without growing the text.
constexpr qsizetype kTypicalEntryChars = 128;

std::int16_t toInt16(int n) {
    return static_cast<std::int16_t>(std::clamp(n, INT16_MIN, INT16_MAX));
}

} // namespace

QString logPathFor(const QString& candidateName) {
    return storage::shared::joinPath(storage::shared::testsDir,
                                     candidateName + QStringLiteral(".log"));
}

QString logNameProblem(const QString& candidateName) {
    return storage::rules::fileNameProblem(candidateName, QStringLiteral(".log"));
}

LogRecord makeEntry(const QString& testName, const QString& date, const QString& time, int score,
                    int numQuestions) {
    LogRecord rec; // a fresh record: Spare stays NULs
    rec.setText(LogRecord::TestTaken, testName);
    rec.setText(LogRecord::DateTaken, date);
    rec.setText(LogRecord::TimeTaken, time);
    rec.setText(LogRecord::TestScore, QString::number(score));
    rec.setNumQuestions(toInt16(numQuestions));
    return rec;
}

void finishRun(int questionsToTake, int correctCount,
               const std::vector<storage::answers::Given>& answers) {
    const int score = storage::rules::exactPercentage(correctCount, questionsToTake);
    const RunResult result =
        runResult(storage::shared::testPath, storage::shared::candidateName, toInt16(score));
    const LogRecord entry =
        makeEntry(result.testName, result.date, result.time, score, questionsToTake);

    const QString path = logPathFor(storage::shared::candidateName);
    const QString nameProblem = logNameProblem(storage::shared::candidateName);
    // The candidate still sees the score; the log only records it when it can.
    if (!nameProblem.isEmpty()) {
        platform::msgBox(IoStatus::failure(path, nameProblem)
                             .message(QCoreApplication::translate(
                                 "ScoreLog", "Your score could not be added to the score log")));
    } else {
        const storage::answers::RunWritten written =
            storage::answers::appendRun(path, entry, answers);
        // Answers without their entry count for nothing: only the score is told.
        if (!written.entry)
            platform::msgBox(written.entry.status().message(QCoreApplication::translate(
                "ScoreLog", "Your score could not be added to the score log")));
        else if (!written.answers)
            platform::msgBox(written.answers.message(QCoreApplication::translate(
                "ScoreLog", "Your answers could not be kept beside the score log")));
    }

    WindowRegistry::get<ScoreWindow>().showResult(result);
    emit ScoreLogEvents::instance().logChanged(path);
}

ScoreLogEvents& ScoreLogEvents::instance() {
    static auto* events = new ScoreLogEvents(); // lives as long as the process
    return *events;
}

namespace {

// The captions of an entry's lines, in the user's language: looked up once
// per text, not once per entry.
struct EntryCaptions {
    QString test = QCoreApplication::translate("ScoreLog", "TEST TAKEN  -> ");
    QString time = QCoreApplication::translate("ScoreLog", "TIME TAKEN  -> ");
    QString date = QCoreApplication::translate("ScoreLog", "DATE TAKEN  -> ");
    QString questions = QCoreApplication::translate("ScoreLog", "# QUESTIONS -> ");
    QString score = QCoreApplication::translate("ScoreLog", "TEST SCORE  -> ");
};

void appendEntryText(QString& out, const LogRecord& rec, const EntryCaptions& captions) {
    static const QLatin1String kEnd("\r\n");
    out.append(captions.test).append(rec.text(LogRecord::TestTaken)).append(kEnd);
    out.append(captions.time).append(rec.text(LogRecord::TimeTaken)).append(kEnd);
    out.append(captions.date).append(rec.text(LogRecord::DateTaken)).append(kEnd);
    out.append(captions.questions).append(QString::number(rec.numQuestions())).append(kEnd);
    out.append(captions.score)
        .append(rec.text(LogRecord::TestScore))
        .append(QLatin1Char('%'))
        .append(kEnd);
    out.append(kEnd);
}

} // namespace

QString entryText(const LogRecord& rec) {
    QString out;
    appendEntryText(out, rec, EntryCaptions());
    return out;
}

QString logText(const QList<LogRecord>& entries) {
    QString out;
    out.reserve(entries.size() * kTypicalEntryChars);
    const EntryCaptions captions;
    for (const LogRecord& entry : entries)
        appendEntryText(out, entry, captions);
    return out;
}

IoResult<QList<LogRecord>> readLog(const QString& path) {
    const RecordFile file(path, LogRecord::kSize);
    const IoResult<std::int64_t> length = file.length();
    if (!length)
        return length.status();
    const std::optional<std::int16_t> count =
        storage::rules::recordCountForLength(*length, LogRecord::kSize);
    // One open and one read for the whole log, under a shared lock so that an
    // entry being appended is not seen half-written. A log that vanished since
    // it was listed cannot be read; reading never creates it. Only whole
    // records read before a failure count.
    const IoResult<QByteArray> read = file.readRecords(1, count ? *count : kMaxRecordCount);
    const QList<LogRecord> entries = storage::recordsIn<LogRecord>(read.value());
    if (!read)
        return {entries, read.status()};
    if (!count) {
        // The log's own content is at fault: told as a damaged log.
        IoStatus tooLong = IoStatus::failure(
            path, QCoreApplication::translate("ScoreLog", "The log holds more than "
                                                          "32,767 entries."));
        tooLong.error = EOVERFLOW;
        return {entries, tooLong};
    }
    return entries;
}

QString logErrorMessage() {
    return platform::lines(
        {QCoreApplication::translate("ScoreLog",
                                     "Error loading Log file. Your Log file(s) are either"),
         QCoreApplication::translate("ScoreLog", "corrupted, or you are trying to read log files "),
         QCoreApplication::translate("ScoreLog", "created before v1.4.")});
}

QString logReadFailureMessage(const IoStatus& status) {
    // No system error means storage refused the log with a worded reason (a
    // journal left by an interrupted save that it may not apply): say it, as
    // for a log the user may not read. The user can act on both.
    if (status.error == 0 || status.error == EACCES || status.error == EPERM)
        return status.message(
            QCoreApplication::translate("ScoreLog", "The score log could not be read from"));
    return logErrorMessage();
}

void showLog(QPlainTextEdit* view, const QString& path) {
    const IoResult<QList<LogRecord>> log = readLog(path);
    view->setPlainText(logText(log.value()));
    if (!log)
        platform::msgBox(logReadFailureMessage(log.status()));
}

} // namespace scoring
