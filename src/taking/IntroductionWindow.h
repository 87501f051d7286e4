#pragma once

#include "WindowRegistry.h"

class QFrame;
class QLabel;
class QPushButton;
class ImageBox;

// The introduction of a test run: the test's name, its owner and its picture.
// The run window fills it and shows it; "&Start Test" unloads it.
class IntroductionWindow : public Window {
    Q_OBJECT
public:
    IntroductionWindow();

    void Command1_Click(); // &Start Test

    QFrame* Shape1 = nullptr;
    QLabel* Label1 = nullptr; // test name
    QLabel* Label3 = nullptr; // "Created by:"
    QLabel* Label2 = nullptr; // owner
    ImageBox* Image1 = nullptr;
    QPushButton* Command1 = nullptr;
};
