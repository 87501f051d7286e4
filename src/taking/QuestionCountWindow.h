#pragma once

#include "RunRules.h"
#include "WindowRegistry.h"

class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;
class UpDownBar;

// The choice of how many questions to take: all, half or a custom count. The
// run window prepares it, shows it and reads the choice once "&Ok" hides it.
class QuestionCountWindow : public Window {
    Q_OBJECT
public:
    QuestionCountWindow();

    void onActivated() override;
    void optAll_Click();
    void optHalf_Click();
    void optCustom_Click();
    void scrQtoTake_Change();
    void Command1_Click(); // &Ok

    // The option selected now.
    taking::CountChoice choice() const;

    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr; // box round lblAvailQ
    QLabel* lblAvailQ = nullptr;
    QLabel* Label4 = nullptr;
    QRadioButton* optAll = nullptr;
    QRadioButton* optHalf = nullptr;
    QRadioButton* optCustom = nullptr;
    QLabel* Label6 = nullptr; // box round the custom count
    QLabel* lblQtoTake = nullptr;
    UpDownBar* scrQtoTake = nullptr;
    QFrame* Line1 = nullptr;
    QFrame* Line2 = nullptr;
    QPushButton* Command1 = nullptr;

protected:
    // Closing it keeps the choice on screen, as "&Ok" does.
    void titleBarClose() override { Command1_Click(); }

private:
    void enableCustomCount(bool on);
};
