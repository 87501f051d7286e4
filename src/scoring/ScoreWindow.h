#pragma once

#include "WindowRegistry.h"

#include <QString>

class QGroupBox;
class QLabel;
class QPushButton;

namespace scoring {

// A finished run as the final score window shows it.
struct RunResult {
    QString testName;
    QString candidateName;
    QString date;
    QString time;
    int score = 0;
    double passingScore = 75;
};

} // namespace scoring

// The final score window: the passing bar against the candidate's bar.
class ScoreWindow : public Window {
    Q_OBJECT
public:
    ScoreWindow();

    // Shows `result` and waits until the candidate closes the window.
    void showResult(const scoring::RunResult& result);
    // What the window shows from its next activation on.
    void setResult(const scoring::RunResult& result) { m_result = result; }

    void onActivated() override;

    // The bars' widths in twips, as laid out (pixels are rounded from these).
    int passingBarTwips() const { return m_passingTwips; }
    int scoreBarTwips() const { return m_scoreTwips; }

private:
    void showHeading();
    void showPassingBar(double passingScore);
    void showScoreBar(int score, bool passed);
    void setBarWidth(QLabel* bar, int twips);
    void onPrint();

    QLabel* m_testNameLabel = nullptr;
    QLabel* m_candidateLabel = nullptr;
    QLabel* m_dateLabel = nullptr;
    QLabel* m_timeLabel = nullptr;
    QGroupBox* m_chart = nullptr;
    QLabel* m_passingBar = nullptr;
    QLabel* m_scoreBar = nullptr;
    QPushButton* m_printButton = nullptr;
    QPushButton* m_okButton = nullptr;

    scoring::RunResult m_result;
    int m_passingTwips = 0;
    int m_scoreTwips = 0;
};

namespace scoring {

// The passing score of a test's header record: its leading number, 75 when
// that is 0.
double passingScore(const QString& passingScoreField);
// The passing score of the test at `testPath`; 75 when its header cannot be
// read (the file went since the run began).
double passingScoreOfTest(const QString& testPath);
// A run of the test at `testPath` that has just ended with `score`: the test's
// name, the date and time now and the test's passing score.
RunResult runResult(const QString& testPath, const QString& candidateName, int score);

} // namespace scoring
