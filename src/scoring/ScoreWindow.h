#pragma once

#include "WindowRegistry.h"

class QGroupBox;
class QLabel;
class QPushButton;

// The final score window: the passing bar against the candidate's bar.
class ScoreWindow : public Window {
    Q_OBJECT
public:
    ScoreWindow();

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

    QLabel* testNameLabel = nullptr;
    QLabel* candidateLabel = nullptr;
    QLabel* dateLabel = nullptr;
    QLabel* timeLabel = nullptr;
    QGroupBox* chart = nullptr;
    QLabel* passingBar = nullptr;
    QLabel* scoreBar = nullptr;
    QPushButton* printButton = nullptr;
    QPushButton* okButton = nullptr;

    int m_passingTwips = 0;
    int m_scoreTwips = 0;
};

namespace scoring {

// The passing score of a test's header record: its leading number, 75 when
// that is 0.
double passingScore(const QString& passingScoreField);

} // namespace scoring
