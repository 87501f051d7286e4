#pragma once

#include "WindowRegistry.h"

class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;

// The final score window: the passing bar against the candidate's bar.
class ScoreWindow : public Window {
    Q_OBJECT
public:
    ScoreWindow();

    void onActivated() override;
    void Command1_Click(); // &Ok
    void Command2_Click(); // Print

    // The bars' widths in twips, as laid out (pixels are rounded from these).
    int barRequiredTwips() const { return m_requiredTwips; }
    int barMyScoreTwips() const { return m_myScoreTwips; }

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QFrame* Line1 = nullptr;
    QFrame* Line2 = nullptr;
    QFrame* Line3 = nullptr;
    QLabel* barRequired = nullptr;
    QLabel* barMyScore = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command1 = nullptr;

private:
    void setBarWidth(QLabel* bar, int twips);

    int m_requiredTwips = 0;
    int m_myScoreTwips = 0;
};

namespace scoring {

// The passing score of a test's header record: its leading number, 75 when
// that is 0.
double passingScore(const QString& passingScoreField);

} // namespace scoring
