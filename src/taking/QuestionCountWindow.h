#pragma once

#include "RunRules.h"
#include "WindowRegistry.h"

#include <optional>

class QLabel;
class QRadioButton;
class UpDownBar;

// The choice of how many questions to take: all, half or a custom count.
class QuestionCountWindow : public Window {
    Q_OBJECT
public:
    QuestionCountWindow();

    // Offers `available` questions, with "All Questions" selected, and waits
    // for the candidate's choice: the number of questions to take once "&Ok"
    // (or the title bar's close button) hides the window, none when the
    // window was unloaded instead.
    std::optional<int> chooseCount(int available);

    // Each showing starts with a custom count of 1.
    void onActivated() override;

protected:
    // Closing it keeps the choice on screen, as "&Ok" does.
    void titleBarClose() override { hideWindow(); }

private:
    void prepare(int available);
    int chosenCount() const;
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
