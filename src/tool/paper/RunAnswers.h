#pragma once

#include "AnswerRecord.h"
#include "Csv.h"

#include <map>
#include <optional>
#include <QByteArray>
#include <QList>
#include <QPageSize>
#include <QString>
#include <QStringList>
#include <vector>

// What a class answered, question by question: an item analysis per test
// (how many got each question right, the wrong answer most given, whether it
// tells strong candidates from weak ones) and each candidate's answers run by
// run, as CSV and as PDF.
namespace tool::answers {

// A finished run of a score log with the answers kept for it.
struct Run {
    QString candidate;
    QString test; // as the log names it
    QString date;
    QString time;
    int score = 0;
    QList<storage::AnswerRecord> answers; // in the order asked; none when the run kept none
};

// A question as its test holds it now.
struct Question {
    int record = 0; // in the test file: 2 is question 1
    QString text;
    QString right; // the right answer
    QString checksum;
};
// The questions of each test in file order, by the test's name case folded;
// a test that is not beside the logs is missing.
using Tests = std::map<QString, std::vector<Question>>;

// One question of a test, or the answers given to one earlier version of it.
struct Item {
    int question = 0;    // its number in the test
    QString text;        // on one line; empty when the test does not hold it
    QString checksum;    // of the version answered
    bool edited = false; // answered before an edit, or no longer in the test
    int asked = 0;
    int right = 0;
    QString commonWrong; // the wrong answer given most ("(blank)" for none typed)
    int commonWrongCount = 0;
    // The share right among the top group's runs that were asked it, minus
    // the share among the bottom group's; none when either group had none.
    std::optional<double> discrimination;
    QStringList flags; // what makes it worth a look

    std::optional<double> facility() const;
};

struct ItemReport {
    QString test;
    bool testFound = false;
    int runs = 0;            // runs with answers, which the report counts
    int runsWithout = 0;     // runs logged without answers (before they were kept)
    int groupSize = 0;       // runs in the top group, and in the bottom one
    std::vector<Item> items; // in file order, each question's earlier versions after it
};

// Per test, in the order the tests first appear. The top and the bottom group
// are the 27 % of the runs with answers with the highest and the lowest
// scores (at least one run each once there are two); runs of equal score are
// taken in the order they come. Answers to a question's earlier version (its
// checksum differs from the test's now) are counted apart.
std::vector<ItemReport> itemReports(const std::vector<Run>& runs, const Tests& tests);
QString itemsCsv(const std::vector<ItemReport>& reports, const csv::Style& style = {});
// Per test a page: a bar per question, worst first (least often right).
QByteArray itemsPdf(const std::vector<ItemReport>& reports, const QPageSize& size,
                    int* pages = nullptr);

// One answer of a run as the reports give it: its place in the run, the
// question's number and text as the test has them now, the answer given, the
// right answer now, "right" or "wrong" as the run judged it, and a note when
// the question is not as it was asked. A run that kept no answers gives one
// line that says so.
struct AnswerLine {
    QString place;
    QString question;
    QString text;
    QString given;
    QString right;
    QString result;
    QString note;
};
std::vector<AnswerLine> answerLines(const Run& run, const Tests& tests);

// A run as its heading gives it: test, date, time and score.
QString runTitle(const Run& run);

// The first line of `text`, cut to `width` characters; an ellipsis tells
// that there is more.
QString oneLine(const QString& text, int width = 80);

// One row or line per answer: the run, the question, the answer given, the
// right answer as the test has it now, and whether the question was edited.
QString answersCsv(const std::vector<Run>& runs, const Tests& tests, const csv::Style& style = {});
// Per candidate a page, run after run.
QByteArray answersPdf(const std::vector<Run>& runs, const Tests& tests, const QPageSize& size,
                      int* pages = nullptr);

} // namespace tool::answers
