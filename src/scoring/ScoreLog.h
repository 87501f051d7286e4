#pragma once

#include "AnswerFile.h"
#include "IoResult.h"
#include "LogRecord.h"

#include <QList>
#include <QObject>
#include <QString>
#include <vector>

class QPlainTextEdit;

// The score log of each candidate and the end of a finished test run.
namespace scoring {

// testsDir + separator + candidate name + ".log".
QString logPathFor(const QString& candidateName);

// Why `candidateName` cannot name a score log file (it would leave the tests
// folder, or the file system cannot hold such a name); empty when it can.
QString logNameProblem(const QString& candidateName);

// Announces changes to the score logs, so that whoever lists or shows them can
// read them again.
class ScoreLogEvents : public QObject {
    Q_OBJECT
public:
    static ScoreLogEvents& instance();

signals:
    // A finished run was added to the log at `path`, or failed to be.
    void logChanged(const QString& path);
};

// The end of a finished run: keeps the run's answers (in the order asked) and
// appends its entry to the candidate's score log, shows the final score window
// with the run's result and, once it is closed, announces the changed log. The
// run window unloads itself afterwards.
void finishRun(int questionsToTake, int correctCount,
               const std::vector<storage::answers::Given>& answers = {});

// An entry as the writer stores it; Spare is NULs.
storage::LogRecord makeEntry(const QString& testName, const QString& date, const QString& time,
                             int score, int numQuestions);

// The six lines (CR LF each, the last one empty) that show one entry.
QString entryText(const storage::LogRecord& rec);
// The entries' texts one after another, as the log views show them.
QString logText(const QList<storage::LogRecord>& entries);

// The entries of the log at `path`, oldest first. A failed read holds the
// entries read before the failure; a log of more entries than the 16-bit
// counter holds yields its first 32,767 entries and fails.
storage::IoResult<QList<storage::LogRecord>> readLog(const QString& path);

// The three-line message for a log that cannot be read.
QString logErrorMessage();
// What the user is told when reading a log failed with `status`: a log the
// user may not read, or one a journal stands in the way of, says so with the
// reason; any other failure gets the three-line message.
QString logReadFailureMessage(const storage::IoStatus& status);

// Puts the text of the log at `path` into `view`, telling the user when the
// log cannot be read (the entries read before the failure are shown).
void showLog(QPlainTextEdit* view, const QString& path);

} // namespace scoring
