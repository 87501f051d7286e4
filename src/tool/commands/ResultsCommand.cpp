#include "AnswerResults.h"
#include "ClassFiles.h"
#include "ClassResults.h"
#include "Command.h"
#include "CommandSteps.h"
#include "Console.h"
#include "FileCheck.h"
#include "LogDate.h"
#include "LogRecord.h"
#include "PdfBook.h"
#include "TextRules.h"
#include "ToolFiles.h"

#include <map>
#include <QDir>
#include <QFileInfo>

using storage::IoResult;
using storage::IoStatus;
using storage::LogRecord;
using storage::RecordFile;
using storage::rightTrimmed;
using storage::TestRecord;

namespace tool {
namespace {

class Results : public Command {
public:
    const char* name() const override { return "results"; }
    QString synopsis() const override {
        return QStringLiteral("FOLDER|LOG|ANSWERS... [--items|--answers] [--test NAME] "
                              "--csv|--excel|--pdf -o OUT [--paper a4|letter] [--skip] [--force]");
    }
    QString summary() const override {
        return QStringLiteral("a class's results from its score logs and answers");
    }
    QString details() const override {
        return QStringLiteral(
            R"(Brings a class's score logs together: every .log in FOLDER, the logs given,
or the log beside each answer file (.answers) given. The candidate is the
log's file name; the test's passing score comes from its header when the test
(.tst) lies beside the log.
  --csv     one row per entry: candidate, test, date (as the log has it), ISO
            date (2026-03-01; empty when the log's date cannot be read), time,
            questions, score, passing score (empty when the test is not
            there), result (pass or fail as the score window judges: a score
            not below the passing score passes; without the test, 75, as a
            run takes).
  --excel   the same rows as Excel opens them by a double click: UTF-8 with a
            byte-order mark, and where the locale writes a decimal comma, ';'
            between the cells and that comma in numbers (the passing score;
            facility and discrimination with --items).
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
            answers were kept are left out.
  --answers instead, each candidate's runs with every answer given beside the
            right answer as the test has it now.
  --test    only the entries of the test NAME.
  --paper   a4 or letter for --pdf; without it, by the locale.
  --skip    leaves out and lists a damaged log, a damaged answer file with
            the log it belongs to, and a damaged test with its entries; the
            rest is written.
  --force   replaces OUT when it exists; without it, an existing OUT is kept.
Without --skip, a log, answer file or test that check finds damaged is
reported, record by record, and nothing is written. OUT appears whole or not
at all.
)");
    }
    OptionNames optionsWithValue() const override {
        return {option::kOutput, option::kTest, option::kPaper};
    }
    OptionNames flagOptions() const override {
        return {option::kCsv,   option::kExcel, option::kPdf,    option::kSkip,
                option::kForce, option::kItems, option::kAnswers};
    }
    bool laysOutPages() const override { return true; }

    int run(const Args& a, Console& io) override {
        const std::optional<ReportOutput> out = outputAsked(a, io);
        if (!out)
            return kUsage;
        const std::optional<QStringList> logs = logsOf(a.files, io);
        if (!logs)
            return kUsage;
        const bool answers = a.flag(option::kItems) || a.flag(option::kAnswers);
        ClassFiles files(a, answers, io);
        if (answers)
            return answerResults(a, *logs, files, *out, io);
        const auto entries = gathered(*logs, files, io);
        if (!entries)
            return kFailed;
        const QByteArray bytes = out->csv
                                     ? results::csvText(*entries, *out->csv).toUtf8()
                                     : results::reportPdf(results::reports(*entries), out->size);
        return out->write(bytes, counted(qint64(entries->size()), "entry", "entries"), io);
    }

private:
    // The report's file and form as the options give them; nullopt after
    // telling the usage.
    static std::optional<ReportOutput> outputAsked(const Args& a, Console& io) {
        const bool pdf = a.flag(option::kPdf), excel = a.flag(option::kExcel);
        if (int(a.flag(option::kCsv)) + int(excel) + int(pdf) != 1)
            return io.usage(QStringLiteral("give --csv, --excel or --pdf")), std::nullopt;
        if (a.flag(option::kItems) && a.flag(option::kAnswers))
            return io.usage(QStringLiteral("give --items or --answers, not both")), std::nullopt;
        if (a.files.isEmpty())
            return io.usage(QStringLiteral("give a folder of score logs, or the logs")),
                   std::nullopt;
        const auto path = paperOutput(a, io);
        const std::optional<QPageSize> size = path ? paperSize(a, io) : std::nullopt;
        if (!size)
            return std::nullopt;
        std::optional<csv::Style> style;
        if (!pdf)
            style = excel ? csv::excelStyle(QLocale::system()) : csv::Style();
        return ReportOutput{*path, style, *size, a.flag(option::kForce)};
    }

    // The entries of every whole log, of the wanted test when one is given,
    // each with its test's passing score when the test lies beside the log;
    // nullopt after telling why nothing can be written.
    static std::optional<std::vector<results::Entry>> gathered(const QStringList& logs,
                                                               ClassFiles& files, Console& io) {
        std::vector<results::Entry> entries;
        for (const QString& path : logs) {
            if (!files.whole(path))
                continue;
            const IoResult<QList<LogRecord>> read = readEntries(path);
            if (!read)
                return io.failed(read.status()), std::nullopt;
            const QFileInfo info(path);
            const QString dir = info.dir().path();
            for (const LogRecord& rec : *read) {
                results::Entry e;
                e.test = rightTrimmed(rec.text(LogRecord::TestTaken));
                const TestBeside* test = files.testFor(dir, e.test);
                if (!test)
                    continue;
                e.candidate = info.completeBaseName();
                e.date = rec.text(LogRecord::DateTaken).trimmed();
                e.time = rec.text(LogRecord::TimeTaken).trimmed();
                e.questions = rec.numQuestions();
                e.score = rec.text(LogRecord::TestScore).trimmed();
                e.passing = test->passing;
                e.passingFrom = test->from;
                e.passed = results::judge(e.score, e.passing);
                entries.push_back(std::move(e));
            }
        }
        if (files.stopped())
            return std::nullopt;
        if (entries.empty())
            return files.nothingFound(QStringLiteral("entries")), std::nullopt;
        results::DateReader dates;
        results::fillIsoDates(entries, dates);
        return entries;
    }
};

} // namespace

std::unique_ptr<Command> resultsCommand() {
    return std::make_unique<Results>();
}

} // namespace tool
