#include "AnswerResults.h"

#include "AnswerFile.h"
#include "Command.h"
#include "CommandSteps.h"
#include "Console.h"
#include "RunAnswers.h"
#include "TextRules.h"
#include "ToolFiles.h"

#include <QDir>
#include <QFileInfo>

using storage::AnswerRecord;
using storage::IoResult;
using storage::IoStatus;
using storage::LogRecord;
using storage::RecordFile;
using storage::rightTrimmed;
using storage::TestRecord;

namespace tool {

namespace {

// Why the run of `span` does not count, or nothing when it does.
QString notCounted(const QList<AnswerRecord>& records, const storage::answers::Span& span,
                   const QList<LogRecord>& entries,
                   const std::vector<QList<AnswerRecord>>& matched) {
    const AnswerRecord& head = records[span.first];
    if (head.asked() != 1 || span.count != head.numQuestions())
        return QStringLiteral("cut short, %1 of %2 answers")
            .arg(span.count)
            .arg(head.numQuestions());
    const int entry = head.logEntry();
    if (entry < 1 || entry > entries.size())
        return QStringLiteral("the log has no entry %1: the run ended before it").arg(entry);
    const QList<AnswerRecord>& taken = matched[static_cast<std::size_t>(entry - 1)];
    if (taken == records.mid(span.first, span.count))
        return {};
    return taken.isEmpty() ? QStringLiteral("log entry %1 is another run's").arg(entry)
                           : QStringLiteral("a later run took log entry %1").arg(entry);
}

// The runs of a class's whole logs, with the answers kept beside each, and
// the questions of the tests beside them.
struct Gathered {
    std::vector<answers::Run> runs;
    answers::Tests tests;
};

// Adds the runs of the log at `log` that `files` takes; false after telling
// why the log or its answers cannot be read.
bool addLog(const QString& log, ClassFiles& files, Gathered& g, Console& io) {
    const QString kept = storage::answers::pathForLog(log);
    if (!files.whole(log) || (toolfiles::isFile(kept) && !files.whole(kept)))
        return true;
    const IoResult<QList<LogRecord>> read = readEntries(log);
    const IoResult<QList<AnswerRecord>> answers = storage::answers::readFile(kept);
    if (!read || !answers)
        return io.failed(!read ? read.status() : answers.status()), false;
    const QList<LogRecord>& entries = *read;
    const auto matched = storage::answers::matchToEntries(entries, *answers);
    const QFileInfo info(log);
    for (qsizetype k = 0; k < entries.size(); ++k) {
        const LogRecord& e = entries[k];
        const QString test = rightTrimmed(e.text(LogRecord::TestTaken));
        const TestBeside* beside = files.testFor(info.dir().path(), test);
        if (!beside)
            continue;
        g.runs.push_back(
            {info.completeBaseName(), test, e.text(LogRecord::DateTaken).trimmed(),
             e.text(LogRecord::TimeTaken).trimmed(),
             static_cast<int>(storage::rules::leadingNumber(e.text(LogRecord::TestScore))),
             matched[static_cast<std::size_t>(k)]});
        if (beside->found)
            g.tests.try_emplace(test.toCaseFolded(), beside->questions);
    }
    return true;
}

} // namespace

int answerResults(const Args& a, const QStringList& logs, ClassFiles& files,
                  const ReportOutput& out, Console& io) {
    Gathered g;
    for (const QString& log : logs)
        if (!addLog(log, files, g, io))
            return kFailed;
    if (files.stopped())
        return kFailed;
    qsizetype kept = 0;
    for (const answers::Run& r : g.runs)
        kept += r.answers.size();
    if (kept == 0)
        return files.nothingFound(QStringLiteral("answers kept"));
    QByteArray bytes;
    if (!a.flag(option::kItems))
        bytes = out.csv ? answers::answersCsv(g.runs, g.tests, *out.csv).toUtf8()
                        : answers::answersPdf(g.runs, g.tests, out.size);
    else if (const auto reports = answers::itemReports(g.runs, g.tests); out.csv)
        bytes = answers::itemsCsv(reports, *out.csv).toUtf8();
    else
        bytes = answers::itemsPdf(reports, out.size);
    return out.write(
        bytes,
        counted(qint64(g.runs.size()), "run") + QStringLiteral(", ") + counted(kept, "answer"), io);
}

int showAnswers(const QString& path, Console& io) {
    if (!toolfiles::isFile(path))
        return io.failed(IoStatus::failure(path, QStringLiteral("No such answer file")));
    const QString log = path.left(path.lastIndexOf(QLatin1Char('.'))) + QStringLiteral(".log");
    const IoResult<QList<AnswerRecord>> records = storage::answers::readFile(path);
    if (!records)
        return io.failed(records.status());
    const IoResult<QList<LogRecord>> entries = readEntries(log);
    if (!entries)
        return io.failed(entries.status());
    const auto matched = storage::answers::matchToEntries(*entries, *records);
    const auto runs = storage::answers::runsIn(*records);
    QString text;
    int counting = 0;
    for (const storage::answers::Span& run : runs) {
        const AnswerRecord& head = (*records)[run.first];
        const QString why = notCounted(*records, run, *entries, matched);
        counting += why.isEmpty() ? 1 : 0;
        text += QStringLiteral("%1, %2 %3, log entry %4: %5\n")
                    .arg(rightTrimmed(head.text(AnswerRecord::TestTaken)),
                         head.text(AnswerRecord::DateTaken).trimmed(),
                         head.text(AnswerRecord::TimeTaken).trimmed())
                    .arg(head.logEntry())
                    .arg(why.isEmpty() ? QStringLiteral("counted")
                                       : QStringLiteral("not counted (%1)").arg(why));
        for (const AnswerRecord& a : records->mid(run.first, run.count))
            text += QStringLiteral("  %1. question %2: \"%3\", %4\n")
                        .arg(a.asked())
                        .arg(a.questionRecord() - 1)
                        .arg(a.text(AnswerRecord::Answer),
                             a.right() ? QStringLiteral("right") : QStringLiteral("wrong"));
    }
    io.out << path << ": " << counted(static_cast<qint64>(runs.size()), "run") << ", " << counting
           << " counted (entries in " << log << ")\n"
           << text;
    return kDone;
}

} // namespace tool
