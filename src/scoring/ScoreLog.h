#pragma once

#include "LogRecord.h"

#include <QObject>
#include <QString>

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

// The end of a finished run: appends the run's entry to the candidate's score
// log, sets finalScore, shows the final score window modally and, once it is
// closed, announces the changed log. The run window unloads itself afterwards.
void finishRun(int questionsToTake, int correctCount);

// Fills `rec` as the writer stores an entry. Spare is set to NULs so that no
// bytes of a log read earlier travel into another candidate's log.
void fillEntry(LogRecord& rec, const QString& testName, const QString& date, const QString& time,
               int score, int numQuestions);

// The six lines (CR LF each, the last one empty) that show one entry.
void appendEntryText(QString& out, const LogRecord& rec);
QString entryText(const LogRecord& rec);

struct LogText {
    QString text; // the entries read, oldest first
    bool ok = true;
};

// Reads every entry of the log at `path` through the shared log record. On a
// failure `ok` is false and `text` holds the entries read before it. A log of
// more entries than the 16-bit counter holds yields its first 32,767 entries
// and fails.
LogText readLog(const QString& path);

// The three-line message for a log that cannot be read.
QString logErrorMessage();

// Puts the text of the log at `path` into `view`, telling the user when the
// log cannot be read (the entries read before the failure stay).
void showLog(QPlainTextEdit* view, const QString& path);

} // namespace scoring
