#include "AnswerResults.h"

#include "AnswerFile.h"
#include "Command.h"
#include "CommandSteps.h"
#include "Console.h"
#include "FileCheck.h"
#include "RunAnswers.h"
#include "TextRules.h"
#include "ToolFiles.h"

#include <optional>
#include <QDir>
#include <QFileInfo>
#include <set>

using storage::AnswerRecord;
using storage::IoResult;
using storage::IoStatus;
using storage::LogRecord;
using storage::RecordFile;
using storage::rightTrimmed;
using storage::TestRecord;

namespace tool {

namespace {

// The logs named by the files given: a folder's, a log, or the log beside an
// answer file; nullopt after telling the usage.
std::optional<QStringList> logsOf(const QStringList& given, Console& io) {
    QStringList logs;
    for (const QString& path : given) {
        if (QFileInfo(path).isDir()) {
            const QDir dir(path);
            for (const QString& f :
                 dir.entryList({QStringLiteral("*.log")}, QDir::Files, QDir::Name))
                logs << dir.filePath(f);
            continue;
        }
        const auto kind = filecheck::kindOf(path);
        if (kind == filecheck::FileKind::Log) {
            logs << path;
        } else if (kind == filecheck::FileKind::Answers) {
            logs << path.left(path.lastIndexOf(QLatin1Char('.'))) + QStringLiteral(".log");
        } else {
            io.usage(QStringLiteral("%1 is no folder, score log (.log) or answer file (.answers)")
                         .arg(path));
            return std::nullopt;
        }
    }
    logs.removeDuplicates();
    return logs;
}

// The entries of the log at `log`; none when there is no log.
IoResult<QList<LogRecord>> readEntries(const QString& log) {
    const IoResult<std::int64_t> length = RecordFile(log, LogRecord::kSize).length();
    if (!length)
        return length.status();
    QList<LogRecord> entries;
    const IoStatus st =
        toolfiles::readRecords(log, LogRecord::kSize, static_cast<int>(*length / LogRecord::kSize),
                               [&](int, const QByteArray& b) {
                                   entries.append(LogRecord());
                                   entries.back().setBytes(b);
                               });
    if (!st)
        return st;
    return entries;
}

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

// Gathers the runs of a class's logs and the tests beside them, each file
// checked first as check does.
class Gathering {
public:
    Gathering(QString wanted, Console& io) : m_wanted(std::move(wanted)), m_io(io) {}

    // False when a file cannot be read; a damaged one is only noted.
    bool addLog(const QString& log) {
        const QString kept = storage::answers::pathForLog(log);
        if (!checkedClean(log, m_io) || (toolfiles::isFile(kept) && !checkedClean(kept, m_io))) {
            damaged = true;
            return true;
        }
        const IoResult<QList<LogRecord>> read = readEntries(log);
        const IoResult<QList<AnswerRecord>> answers = storage::answers::readFile(kept);
        if (!read || !answers)
            return m_io.failed(!read ? read.status() : answers.status()), false;
        const QList<LogRecord>& entries = *read;
        const auto matched = storage::answers::matchToEntries(entries, *answers);
        const QString candidate = QFileInfo(log).completeBaseName();
        for (qsizetype k = 0; k < entries.size(); ++k) {
            const LogRecord& e = entries[k];
            const QString test = rightTrimmed(e.text(LogRecord::TestTaken));
            if (!m_wanted.isEmpty() && test.compare(m_wanted, Qt::CaseInsensitive) != 0)
                continue;
            runs.push_back(
                {candidate, test, e.text(LogRecord::DateTaken).trimmed(),
                 e.text(LogRecord::TimeTaken).trimmed(),
                 static_cast<int>(storage::rules::leadingNumber(e.text(LogRecord::TestScore))),
                 matched[static_cast<std::size_t>(k)]});
            addTest(QFileInfo(log).dir().filePath(test + QStringLiteral(".tst")), test);
        }
        return true;
    }

    std::vector<answers::Run> runs;
    answers::Tests tests;
    bool damaged = false;

private:
    // The questions of the test at `path` (any letter case), once it is found.
    void addTest(const QString& path, const QString& test) {
        const QString key = test.toCaseFolded();
        if (tests.count(key) || !m_tried.insert(path).second)
            return;
        const QString found = toolfiles::sameNameIgnoringCase(path);
        if (found.isEmpty())
            return;
        if (!checkedClean(found, m_io)) {
            damaged = true;
            return;
        }
        const IoResult<std::int16_t> count = RecordFile(found, TestRecord::kSize).count();
        std::vector<answers::Question> questions;
        toolfiles::readRecords(
            found, TestRecord::kSize, count.value(), [&](int n, const QByteArray& b) {
                if (n == 1)
                    return;
                TestRecord rec;
                rec.setBytes(b);
                questions.push_back(
                    {n, rec.text(TestRecord::QuestionText), rec.text(TestRecord::CorrectAnswer),
                     storage::answers::checksumText(storage::answers::checksum(rec))});
            });
        tests.emplace(key, std::move(questions));
    }

    QString m_wanted;
    Console& m_io;
    std::set<QString> m_tried;
};

} // namespace

int answerResults(const Args& a, const QString& out, const QPageSize& size, Console& io) {
    const bool items = a.flag(option::kItems);
    if (items == a.flag(option::kAnswers))
        return io.usage(QStringLiteral("give --items or --answers, not both"));
    const std::optional<QStringList> logs = logsOf(a.files, io);
    if (!logs)
        return kUsage;
    QString wanted = a.value(option::kTest);
    if (wanted.endsWith(QLatin1String(".tst"), Qt::CaseInsensitive))
        wanted.chop(4);
    Gathering g(wanted, io);
    for (const QString& log : *logs)
        if (!g.addLog(log))
            return kFailed;
    if (g.damaged)
        return io.failed(
            QStringLiteral("Nothing written: damaged files (see quizdex-tool check and repair)."));
    qsizetype kept = 0;
    for (const answers::Run& r : g.runs)
        kept += r.answers.size();
    if (kept == 0)
        return io.failed(
            wanted.isEmpty()
                ? QStringLiteral("Nothing written: no answers kept in the score logs' "
                                 "runs.")
                : QStringLiteral("Nothing written: no answers kept for the test %1.").arg(wanted));
    const bool csv = a.flag(option::kCsv);
    QByteArray bytes;
    if (items)
        bytes = csv ? answers::itemsCsv(answers::itemReports(g.runs, g.tests)).toUtf8()
                    : answers::itemsPdf(answers::itemReports(g.runs, g.tests), size);
    else
        bytes = csv ? answers::answersCsv(g.runs, g.tests).toUtf8()
                    : answers::answersPdf(g.runs, g.tests, size);
    if (const IoStatus written = writeNewOutput(out, bytes, a.flag(option::kForce)); !written)
        return io.failed(written);
    io.out << out << ": " << counted(static_cast<qint64>(g.runs.size()), "run") << ", "
           << counted(kept, "answer") << '\n';
    return kDone;
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
