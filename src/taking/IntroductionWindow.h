#pragma once

#include "WindowRegistry.h"

class QLabel;
class ImageBox;

// The introduction of a test run: the test's name, its owner and its picture.
// The run window shows it; "&Start Test" unloads it.
class IntroductionWindow : public Window {
    Q_OBJECT
public:
    IntroductionWindow();

    // Shows the test `testName` by `owner`, with its picture from `picturesFolder`,
    // and waits until the candidate starts the test.
    void showTest(const QString& testName, const QString& owner, const QString& picturesFolder);

private:
    QLabel* m_testName = nullptr;
    QLabel* m_owner = nullptr;
    QLabel* m_createdBy = nullptr;
    ImageBox* m_picture = nullptr;
};
