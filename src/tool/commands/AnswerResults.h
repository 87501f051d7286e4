#pragma once

#include "ClassFiles.h"

#include <QString>
#include <QStringList>

namespace tool {

class Console;

// results --items and --answers: the answers kept beside the class's `logs`,
// as an item analysis per test or each candidate's answers run by run.
int answerResults(const Args& a, const QStringList& logs, ClassFiles& files,
                  const ReportOutput& out, Console& io);

// show NAME.answers: every run the file holds with its answers, and whether
// it counts (its entry is in NAME.log beside it) or why not.
int showAnswers(const QString& path, Console& io);

} // namespace tool
