#pragma once

#include "ClassResults.h"
#include "Csv.h"
#include "IoResult.h"
#include "LogRecord.h"
#include "Options.h"
#include "RunAnswers.h"

#include <map>
#include <optional>
#include <QList>
#include <QPageSize>
#include <QString>
#include <QStringList>
#include <vector>

// What `results` reads of a class for each of its reports (the entries, the
// item analysis, each pupil's answers) and how it writes the report.
namespace tool {

class Console;

// The logs the files given name: every .log of a folder, a log, or the log
// beside an answer file, each once; nullopt after telling the usage.
std::optional<QStringList> logsOf(const QStringList& given, Console& io);

// The entries of the score log at `log`.
storage::IoResult<QList<storage::LogRecord>> readEntries(const QString& log);

// A test beside a class's logs, as the reports judge its entries by.
struct TestBeside {
    bool found = false;
    bool damaged = false;
    std::optional<double> passing; // from its header
    results::PassingFrom from = results::PassingFrom::NoTest;
    std::vector<answers::Question> questions; // when the report asks for them
};

// A class's files as a report reads them, each checked as check checks it
// first: with --skip a damaged one is left out and listed, else nothing is
// written. Each test is read once, however many entries name it.
class ClassFiles {
public:
    // `questions`: each test's questions are read too, not only its header.
    ClassFiles(const Args& a, bool questions, Console& io);

    // The test --test names, without ".tst"; empty for every test.
    const QString& wanted() const { return m_wanted; }
    // Whether the file at `path` is whole; a damaged one is listed or noted.
    bool whole(const QString& path);
    // The test of an entry in a log in `dir` that names `test`, when it is
    // the wanted test and not damaged; nullptr otherwise.
    const TestBeside* testFor(const QString& dir, const QString& test);
    // Whether a damaged file stops the report, after telling so.
    bool stopped();
    // Tells that nothing is written as no `what` were found; kFailed.
    int nothingFound(const QString& what);

private:
    void damaged(const QString& path);
    TestBeside read(const QString& path);

    QString m_wanted;
    bool m_skip = false;
    bool m_questions = false;
    bool m_damaged = false;
    Console& m_io;
    std::map<QString, TestBeside> m_tests; // by folder and case-folded name
};

// Where and how a report is written: as CSV in `csv`'s style, else as a PDF
// on `size`, and whether an existing file is replaced.
struct ReportOutput {
    QString path;
    std::optional<csv::Style> csv;
    QPageSize size;
    bool force = false;

    // Writes `bytes` and tells `done` after the file's name; kDone, or
    // kFailed after telling why not.
    int write(const QByteArray& bytes, const QString& done, Console& io) const;
};

} // namespace tool
