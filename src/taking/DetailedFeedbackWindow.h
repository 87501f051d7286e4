#pragma once

#include "FeedbackWindow.h"

#include <optional>

class QGroupBox;
class QLabel;

// The detailed feedback after an answer: verdict, explanation, correct answer
// and the number correct so far, each as the test's feedback settings ask.
class DetailedFeedbackWindow : public FeedbackWindow {
    Q_OBJECT
public:
    // What the window shows: an empty text leaves its line empty, an absent
    // one hides its frame.
    struct Feedback {
        QString verdict;
        std::optional<QString> explanation;
        std::optional<QString> correctAnswer;
        QString correctSoFar;
    };

    DetailedFeedbackWindow();

    // Shows `feedback` and waits until the candidate closes the window.
    void showFeedback(const Feedback& feedback);

private:
    QLabel* m_verdict = nullptr;
    QGroupBox* m_explanationFrame = nullptr;
    QLabel* m_explanation = nullptr;
    QGroupBox* m_correctAnswerFrame = nullptr;
    QLabel* m_correctAnswer = nullptr;
    QLabel* m_correctSoFar = nullptr;
};
