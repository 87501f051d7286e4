#pragma once

#include "WindowRegistry.h"

class QLabel;
class QPushButton;
class ImageBox;

// The short feedback after an answer: the verdict only.
class ShortFeedbackWindow : public Window {
    Q_OBJECT
public:
    ShortFeedbackWindow();

    void onActivated() override;
    void Command1_Click(); // &Ok
    void Command2_Click(); // &Print Question

    ImageBox* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
};
