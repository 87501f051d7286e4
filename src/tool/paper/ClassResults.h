#pragma once

#include "Csv.h"

#include <optional>
#include <QByteArray>
#include <QPageSize>
#include <QString>
#include <vector>

// A class's results brought together from its score logs, one log a
// candidate: every entry as a CSV row, and per test a report of who passed.
namespace tool::results {

// Where the passing score an entry is judged by comes from.
enum class PassingFrom {
    Header,     // the test lies beside the log, and its header sets one
    RunDefault, // the test is there, its header sets none: a run takes 75
    NoTest,     // the test is not beside the log: 75, as the score window takes
};

struct Entry {
    QString candidate; // the log's file name without ".log"
    QString test;
    QString date;
    QString isoDate; // the date as ISO 8601; empty when it cannot be read
    QString time;
    int questions = 0;
    QString score;                 // as the log holds it, blanks taken off
    std::optional<double> passing; // from the test's header, when the test is there
    PassingFrom passingFrom = PassingFrom::NoTest;
    bool passed = false; // as the score window judges
};

// The entry's result by the score window's rule: the passing score of the
// test's header, or the 75 a run takes when the test is not there.
bool judge(const QString& score, std::optional<double> passing);

// A percentage as the reports write it: whole, or to one decimal ("62.5").
QString percentText(double percent);

// A header row, then one row per entry: candidate, test, date, ISO date,
// time, questions, score, passing score, result.
QString csvText(const std::vector<Entry>& entries, const csv::Style& style = {});

struct Standing {
    QString candidate;
    int entries = 0;
    double latest = 0;
    double best = 0;
    bool passed = false; // the latest score
};

struct TestReport {
    QString test;
    std::optional<double> passing;
    PassingFrom passingFrom = PassingFrom::NoTest;
    std::vector<Standing> candidates; // in the order they first appear
    int passedCount = 0;
    double mean = 0;
    double median = 0;
};

// Per test, in the order the tests first appear: each candidate's latest and
// best score, how many passed with their latest, the mean and the median of
// the latest scores.
std::vector<TestReport> reports(const std::vector<Entry>& entries);

// The reports as a PDF: per test a page with the table of candidates, the
// counts, and a bar chart of the latest scores against the passing score in
// the score window's colours.
QByteArray reportPdf(const std::vector<TestReport>& reports, const QPageSize& size,
                     int* pages = nullptr);

} // namespace tool::results
