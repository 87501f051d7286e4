#pragma once

#include "Options.h"

#include <QPageSize>
#include <QString>

namespace tool {

class Console;

// results --items and --answers: the answers kept beside a class's score logs
// (the logs of FOLDER, the logs given, or those beside the answer files
// given), as an item analysis per test or each candidate's answers run by
// run, written to `out` as CSV or as PDF on `size`.
int answerResults(const Args& a, const QString& out, const QPageSize& size, Console& io);

// show NAME.answers: every run the file holds with its answers, and whether
// it counts (its entry is in NAME.log beside it) or why not.
int showAnswers(const QString& path, Console& io);

} // namespace tool
