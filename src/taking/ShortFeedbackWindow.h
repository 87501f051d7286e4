#pragma once

#include "WindowRegistry.h"

class QLabel;

// The short feedback after an answer: the verdict only.
class ShortFeedbackWindow : public Window {
    Q_OBJECT
public:
    ShortFeedbackWindow();

    // Shows `verdict` and waits until the candidate closes the window.
    void showVerdict(const QString& verdict);

    void onActivated() override { centerOnScreen(); }

private:
    QLabel* m_verdict = nullptr;
};
