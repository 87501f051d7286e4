#pragma once

#include "WindowRegistry.h"

class QGroupBox;
class QPushButton;
class MultiLineTextBox;

// The help screen: a fixed, read-only text and "&Ok".
class HelpWindow : public Window {
    Q_OBJECT
public:
    HelpWindow();

    // Centres the window over `owner`.
    void placeOver(QWidget* owner);

    void Command1_Click();

    QGroupBox* Frame1 = nullptr;
    MultiLineTextBox* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
};
