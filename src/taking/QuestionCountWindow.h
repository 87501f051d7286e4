#pragma once

#include "RunRules.h"
#include "WindowRegistry.h"

class QLabel;
class QRadioButton;
class UpDownBar;

// The choice of how many questions to take: all, half or a custom count. The
// run window prepares it, shows it and reads the choice once "&Ok" hides it.
class QuestionCountWindow : public Window {
    Q_OBJECT
public:
    QuestionCountWindow();

    // Offers `available` questions, with "All Questions" selected.
    void prepare(int available);
    // The number of questions the candidate chose.
    int chosenCount() const;

    // Each showing starts with a custom count of 1.
    void onActivated() override;

protected:
    // Closing it keeps the choice on screen, as "&Ok" does.
    void titleBarClose() override { hideWindow(); }

private:
    void buildChoices();
    void enableCustomCount(bool on);
    taking::CountChoice choice() const;

    int m_available = 0;
    QLabel* m_availableCount = nullptr;
    QLabel* m_availableCaption = nullptr;
    QLabel* m_choicesHeading = nullptr;
    QRadioButton* m_all = nullptr;
    QRadioButton* m_half = nullptr;
    QRadioButton* m_custom = nullptr;
    QLabel* m_customCount = nullptr;
    UpDownBar* m_customCounter = nullptr;
};
