#include "AnswerResults.h"
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

// A test's passing score as the results judge its entries by, and whether
// the test is damaged.
struct TestInfo {
    std::optional<double> passing;
    results::PassingFrom from = results::PassingFrom::NoTest;
    bool damaged = false;
};

class Results : public Command {
public:
    const char* name() const override { return "results"; }
    QString synopsis() const override {
        return QStringLiteral("FOLDER|LOG... [--items|--answers] [--test NAME] "
                              "--csv|--excel|--pdf -o OUT [--paper a4|letter] [--skip] [--force]");
    }
    QString summary() const override {
        return QStringLiteral("the class's results from its score logs");
    }
    QString details() const override {
        return QStringLiteral(
            R"(Brings a class's score logs together: every .log in FOLDER, or the logs
given. The candidate is the log's file name; the test's passing score comes
from its header when the test (.tst) lies beside the log.
  --csv     one row per entry: candidate, test, date (as the log has it), ISO
            date (2026-03-01; empty when the log's date cannot be read), time,
            questions, score, passing score (empty when the test is not
            there), result (pass or fail as the score window judges: a score
            not below the passing score passes; without the test, 75, as a
            run takes).
  --excel   the same rows as Excel opens them by a double click: UTF-8 with a
            byte-order mark, and where the locale writes a decimal comma, ';'
            between the cells and that comma in the passing score.
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
  --skip    leaves a damaged log, or a damaged test with its entries, out
            and lists it; the rest is written.
  --force   replaces OUT when it exists; without it, an existing OUT is kept.
Without --skip, a log or test that check finds damaged is reported, record by
record, and nothing is written. OUT appears whole or not at all.
)");
    }
    OptionNames optionsWithValue() const override {
        return {option::kOutput, option::kTest, option::kPaper};
    }
    OptionNames flagOptions() const override {
        return {option::kCsv,  option::kExcel, option::kPdf,    option::kSkip,
                option::kForce, option::kItems, option::kAnswers};
    }
    bool laysOutPages() const override { return true; }

    int run(const Args& a, Console& io) override {
        const bool pdf = a.flag(option::kPdf);
        if (int(a.flag(option::kCsv)) + int(a.flag(option::kExcel)) + int(pdf) != 1)
            return io.usage(QStringLiteral("give --csv, --excel or --pdf"));
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
        const std::optional<QStringList> logs = logsGiven(a.files, io);
        if (!logs)
            return kUsage;
        m_skip = a.flag(option::kSkip);
        const auto entries = gathered(*logs, testWanted(a), io);
        if (!entries)
            return kFailed;
        int pages = 0;
        const QByteArray bytes =
            pdf ? results::reportPdf(results::reports(*entries), *size, &pages)
                : results::csvText(*entries, a.flag(option::kExcel)
                                                 ? results::excelStyle(QLocale::system())
                                                 : results::CsvStyle{})
                      .toUtf8();
        if (const IoStatus written = writeNewOutput(*out, bytes, a.flag(option::kForce)); !written)
            return io.failed(written);
        io.out << *out << ": " << entries->size() << (entries->size() == 1 ? " entry" : " entries")
               << '\n';
        return kDone;
    }

private:
    static QString testWanted(const Args& a) {
        QString wanted = a.value(option::kTest);
        if (wanted.endsWith(QLatin1String(".tst"), Qt::CaseInsensitive))
            wanted.chop(4);
        return wanted;
    }

    // Every .log of each folder given, and each log given; nullopt after
    // telling of a name that is neither.
    static std::optional<QStringList> logsGiven(const QStringList& given, Console& io) {
        QStringList logs;
        for (const QString& g : given) {
            if (QFileInfo(g).isDir()) {
                const QDir dir(g);
                for (const QString& f :
                     dir.entryList({QStringLiteral("*.log")}, QDir::Files, QDir::Name))
                    logs << dir.filePath(f);
            } else if (filecheck::kindOf(g) == filecheck::FileKind::Log) {
                logs << g;
            } else {
                io.usage(QStringLiteral("%1 is neither a folder nor a score log (.log)").arg(g));
                return std::nullopt;
            }
        }
        return logs;
    }

    // The entries of every log, those of `wanted` only when it is given;
    // nullopt after telling why nothing can be written.
    std::optional<std::vector<results::Entry>> gathered(const QStringList& logs,
                                                        const QString& wanted, Console& io) {
        std::vector<results::Entry> entries;
        for (const QString& path : logs) {
            if (!checkedClean(path, io))
                damaged(path, io);
            else if (!entriesOf(path, wanted, io, entries))
                return std::nullopt;
        }
        if (m_damaged) {
            io.failed(QStringLiteral("Nothing written: damaged files (see quizdex-tool check and "
                                     "repair; --skip leaves them out)."));
            return std::nullopt;
        }
        results::DateReader dates;
        results::fillIsoDates(entries, dates);
        if (entries.empty()) {
            io.failed(
                wanted.isEmpty()
                    ? QStringLiteral("Nothing written: no entries in the score logs.")
                    : QStringLiteral("Nothing written: no entries of the test %1.").arg(wanted));
            return std::nullopt;
        }
        return entries;
    }

    // A damaged log or test: with --skip left out and listed, else nothing
    // is written.
    void damaged(const QString& path, Console& io) {
        if (m_skip)
            io.err << path << ": left out, damaged\n";
        else
            m_damaged = true;
    }

    // Appends the entries of one log, each with its test's passing score when
    // the test lies beside it; false after telling why the log cannot be read.
    bool entriesOf(const QString& path, const QString& wanted, Console& io,
                   std::vector<results::Entry>& out) {
        const IoResult<std::int64_t> length = RecordFile(path, LogRecord::kSize).length();
        if (!length) {
            io.failed(length.status());
            return false;
        }
        const QFileInfo info(path);
        const QString candidate = info.completeBaseName();
        const QString dir = info.dir().path();
        const IoStatus st = toolfiles::readRecords(
            path, LogRecord::kSize, static_cast<int>(*length / LogRecord::kSize),
            [&](int, const QByteArray& b) {
                LogRecord rec;
                rec.setBytes(b);
                results::Entry e;
                e.test = rightTrimmed(rec.text(LogRecord::TestTaken));
                if (!wanted.isEmpty() && e.test.compare(wanted, Qt::CaseInsensitive) != 0)
                    return;
                const TestInfo& test = testBeside(dir, e.test, io);
                if (test.damaged)
                    return;
                e.candidate = candidate;
                e.date = rec.text(LogRecord::DateTaken).trimmed();
                e.time = rec.text(LogRecord::TimeTaken).trimmed();
                e.questions = rec.numQuestions();
                e.score = rec.text(LogRecord::TestScore).trimmed();
                e.passing = test.passing;
                e.passingFrom = test.from;
                e.passed = results::judge(e.score, e.passing);
                out.push_back(std::move(e));
            });
        if (!st) {
            io.failed(st);
            return false;
        }
        return true;
    }

    // The test `name` in the folder `dir` (any letter case), read and
    // checked once however many entries name it.
    const TestInfo& testBeside(const QString& dir, const QString& name, Console& io) {
        const QString key = dir + QLatin1Char('/') + name.toCaseFolded();
        if (const auto known = m_tests.find(key); known != m_tests.end())
            return known->second;
        TestInfo info;
        const QString found =
            toolfiles::sameNameIgnoringCase(QDir(dir).filePath(name + QStringLiteral(".tst")));
        if (!found.isEmpty() && !checkedClean(found, io)) {
            info.damaged = true;
            damaged(found, io);
        } else if (!found.isEmpty()) {
            toolfiles::readRecords(found, TestRecord::kSize, 1, [&](int, const QByteArray& b) {
                TestRecord rec;
                rec.setBytes(b);
                const QString field = rec.text(TestRecord::PassingScore);
                info.passing = storage::rules::passingScore(field);
                info.from = storage::rules::leadingNumber(field) != 0
                                ? results::PassingFrom::Header
                                : results::PassingFrom::RunDefault;
            });
        }
        return m_tests.emplace(key, info).first->second;
    }

    bool m_skip = false;
    bool m_damaged = false;
    std::map<QString, TestInfo> m_tests; // by folder and case-folded name
};

} // namespace

std::unique_ptr<Command> resultsCommand() {
    return std::make_unique<Results>();
}

} // namespace tool
