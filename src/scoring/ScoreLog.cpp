#include "ScoreLog.h"

#include "Cp1252.h"
#include "FileListBox.h"
#include "Forms.h"
#include "Module1.h"
#include "TextRules.h"
#include "frmMain.h"
#include "frmScore.h"

#include <climits>

namespace scoring {

QString logPathFor(const QString& candidateName) {
    return Module1::joinPath(Module1::TestsDir, candidateName + QStringLiteral(".log"));
}

QString logNameProblem(const QString& candidateName) {
    if (candidateName.contains(QLatin1Char('/')) || candidateName.contains(QLatin1Char('\\')))
        return QStringLiteral("A name cannot contain \"/\" or \"\\\".");
    if (candidateName.contains(QChar(0)))
        return QStringLiteral("A name cannot contain NUL characters.");
    if (cp1252::encode(candidateName).size() + 4 > NAME_MAX)
        return QStringLiteral("The name is too long for a file name.");
    return {};
}

void finishRun(int questionsToTake, int correctCount) {
    // Placeholder until the score log writer lands: the score and the chart.
    (void)questionsToTake;
    Module1::FinalScore = static_cast<std::int16_t>(rules::exactPercentage(correctCount, questionsToTake));
    Forms::get<frmScore>().ShowModal();
    if (frmMain* main = Forms::find<frmMain>())
        main->File3->refresh();
}

} // namespace scoring
