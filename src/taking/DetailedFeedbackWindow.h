#pragma once

#include "WindowRegistry.h"

class QGroupBox;
class QLabel;
class QPushButton;

// The detailed feedback after an answer: verdict, explanation, correct answer
// and the number correct so far, each as the test's flags ask.
class DetailedFeedbackWindow : public Window {
    Q_OBJECT
public:
    DetailedFeedbackWindow();

    void onActivated() override;
    void Command1_Click(); // &Ok
    void Command2_Click(); // &Print Question

    QLabel* Label1 = nullptr; // verdict
    QGroupBox* Frame1 = nullptr;
    QLabel* Label2 = nullptr; // explanation
    QGroupBox* Frame2 = nullptr;
    QLabel* Label3 = nullptr; // correct answer
    QLabel* Label4 = nullptr; // correct so far
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
};
