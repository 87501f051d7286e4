#pragma once

#include "FeedbackWindow.h"

class QLabel;

// The short feedback after an answer: the verdict only.
class ShortFeedbackWindow : public FeedbackWindow {
    Q_OBJECT
public:
    ShortFeedbackWindow();

    // Shows `verdict` and waits until the candidate closes the window.
    void showVerdict(const QString& verdict);

private:
    QLabel* m_verdict = nullptr;
};
