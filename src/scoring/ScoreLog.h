#pragma once

#include <QString>

// The score log of each candidate and the end of a finished test run.
namespace scoring {

// TestsDir + separator + candidate name + ".log".
QString logPathFor(const QString& candidateName);

// Why `candidateName` cannot name a score log file (it would leave the tests
// folder, or the file system cannot hold such a name); empty when it can.
QString logNameProblem(const QString& candidateName);

// The end of a finished run: appends the run's entry to the candidate's score
// log, sets FinalScore, shows the final score window modally and, once it is
// closed, refreshes the main window's list of logs. The run window unloads
// itself afterwards.
void finishRun(int questionsToTake, int correctCount);

} // namespace scoring
