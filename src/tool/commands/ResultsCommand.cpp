#include "AnswerResults.h"
#include "ClassResults.h"
#include "Command.h"
#include "CommandSteps.h"
#include "Console.h"
#include "FileCheck.h"
#include "LogRecord.h"
#include "PdfBook.h"
#include "TextRules.h"
#include "ToolFiles.h"

#include <map>
#include <QDir>
#include <QFileInfo>

namespace tool {
namespace {

class Results : public Command {
public:
    const char* name() const override { return "results"; }
    QString synopsis() const override {
        return QStringLiteral(
            "FOLDER|LOG... [--items|--answers] [--test NAME] --csv|--pdf -o OUT [--force]");
    }
    QString summary() const override {
        return QStringLiteral("the class's results from its score logs");
    }
    QString details() const override {
        return QStringLiteral(
            R"(Brings a class's score logs together: every .log in FOLDER, or the logs
given. The candidate is the log's file name; the test's passing score comes
from its header when the test (.tst) lies beside the log.
  --csv     one row per entry: candidate, test, date, time, questions, score,
            passing score (empty when the test is not there), result (pass or
            fail as the score window judges: a score not below the passing
            score passes; without the test, 75, as a run takes).
  --pdf     per test a page: each candidate's latest and best score, how many
            passed with their latest, the mean and the median, and a bar chart
            of the latest scores against the passing score.
  --items   instead, from the answers kept beside the logs (.answers), per test
            and question: times asked, facility (the share right), the wrong
            answer most given, discrimination (the share right among the top
            27 % of runs by score less that among the bottom 27 %), flagged
            when facility is under 30 % or over 90 % or discrimination under
            0.2. Answers to a question edited since are counted apart. The
            PDF gives a bar per question, worst first. Runs logged before
            answers were kept are left out; .answers files may be given.
  --answers instead, each candidate's runs with every answer given beside the
            right answer as the test has it now.
  --test    only the entries of the test NAME.
  --paper   a4 or letter for --pdf; without it, by the locale.
  --force   replaces OUT when it exists; without it, an existing OUT is kept.
A log or test that check finds damaged is reported, record by record, and
nothing is written. OUT appears whole or not at all.
)");
    }
    OptionNames optionsWithValue() const override {
        return {option::kOutput, option::kTest, option::kPaper};
    }
    OptionNames flagOptions() const override {
        return {option::kCsv, option::kPdf, option::kForce, option::kItems, option::kAnswers};
    }
    bool laysOutPages() const override { return true; }

    int run(const Args& a, Console& io) override {
        if (a.flag(option::kCsv) == a.flag(option::kPdf))
            return io.usage(QStringLiteral("give --csv or --pdf"));
        if (a.files.isEmpty())
            return io.usage(QStringLiteral("give a folder of score logs, or the logs"));
        const auto out = paperOutput(a, io);
        if (!out)
            return kUsage;
        const std::optional<QPageSize> size = paperSize(a, io);
        if (!size)
            return kUsage;
        if (a.flag(option::kItems) || a.flag(option::kAnswers))
            return answerResults(a, *out, *size, io);
        QStringList logs;
        for (const QString& given : a.files) {
            if (QFileInfo(given).isDir()) {
                const QDir dir(given);
                for (const QString& f :
                     dir.entryList({QStringLiteral("*.log")}, QDir::Files, QDir::Name))
                    logs << dir.filePath(f);
            } else if (filecheck::kindOf(given) == filecheck::FileKind::Log) {
                logs << given;
            } else {
                return io.usage(
                    QStringLiteral("%1 is neither a folder nor a score log (.log)").arg(given));
            }
        }
        QString wanted = a.value(option::kTest);
        if (wanted.endsWith(QLatin1String(".tst"), Qt::CaseInsensitive))
            wanted.chop(4);

        std::vector<results::Entry> entries;
        bool damaged = false;
        for (const QString& path : logs) {
            if (!checkedClean(path, io)) {
                damaged = true;
                continue;
            }
            const auto read = entriesOf(path, wanted, io, &damaged);
            if (!read)
                return kFailed;
            entries.insert(entries.end(), read->begin(), read->end());
        }
        if (damaged)
            return io.failed(QStringLiteral("Nothing written: damaged files (see quizdex-tool "
                                            "check and repair)."));
        if (entries.empty())
            return io.failed(
                wanted.isEmpty()
                    ? QStringLiteral("Nothing written: no entries in the score logs.")
                    : QStringLiteral("Nothing written: no entries of the test %1.").arg(wanted));
        int pages = 0;
        const QByteArray bytes = a.flag(option::kCsv)
                                     ? results::csvText(entries).toUtf8()
                                     : results::reportPdf(results::reports(entries), *size, &pages);
        if (const IoStatus written = writeNewOutput(*out, bytes, a.flag(option::kForce)); !written)
            return io.failed(written);
        io.out << *out << ": " << entries.size() << (entries.size() == 1 ? " entry" : " entries")
               << '\n';
        return kDone;
    }

private:
    // The entries of one log, each with its test's passing score when the test
    // lies beside it; nullopt after telling why the log cannot be read.
    std::optional<std::vector<results::Entry>> entriesOf(const QString& path, const QString& wanted,
                                                         Console& io, bool* damaged) {
        const IoResult<std::int64_t> length = RecordFile(path, LogRecord::kSize).length();
        if (!length) {
            io.failed(length.status());
            return std::nullopt;
        }
        const QString candidate = QFileInfo(path).completeBaseName();
        std::vector<results::Entry> out;
        const IoStatus st = toolfiles::readRecords(
            path, LogRecord::kSize, static_cast<int>(*length / LogRecord::kSize),
            [&](int, const QByteArray& b) {
                LogRecord rec;
                rec.setBytes(b);
                results::Entry e;
                e.candidate = candidate;
                e.test = rightTrimmed(rec.text(LogRecord::TestTaken));
                if (!wanted.isEmpty() && e.test.compare(wanted, Qt::CaseInsensitive) != 0)
                    return;
                e.date = rec.text(LogRecord::DateTaken).trimmed();
                e.time = rec.text(LogRecord::TimeTaken).trimmed();
                e.questions = rec.numQuestions();
                e.score = rec.text(LogRecord::TestScore).trimmed();
                e.passing = passingOf(QFileInfo(path).dir().filePath(e.test + ".tst"), io, damaged);
                e.passed = results::judge(e.score, e.passing);
                out.push_back(e);
            });
        if (!st) {
            io.failed(st);
            return std::nullopt;
        }
        return out;
    }

    // The passing score in the header of the test at `path` (any letter
    // case); nullopt when there is no such test.
    std::optional<double> passingOf(const QString& path, Console& io, bool* damaged) {
        const QString found = toolfiles::sameNameIgnoringCase(path);
        if (found.isEmpty())
            return std::nullopt;
        auto known = m_passing.find(found);
        if (known == m_passing.end()) {
            std::optional<double> p;
            if (!checkedClean(found, io)) {
                *damaged = true;
            } else {
                toolfiles::readRecords(found, TestRecord::kSize, 1, [&](int, const QByteArray& b) {
                    TestRecord rec;
                    rec.setBytes(b);
                    p = storage::rules::passingScore(rec.text(TestRecord::PassingScore));
                });
            }
            known = m_passing.emplace(found, p).first;
        }
        return known->second;
    }

    std::map<QString, std::optional<double>> m_passing;
};

} // namespace

std::unique_ptr<Command> resultsCommand() {
    return std::make_unique<Results>();
}

} // namespace tool
