#pragma once

#include "Forms.h"

class QGroupBox;
class QPlainTextEdit;
class QPushButton;

// The full view of the score log selected on the main window, in a
// fixed-pitch font. It reloads whenever it becomes the active window, so it
// always shows the log selected at that moment.
class Form1 : public Form {
    Q_OBJECT
public:
    Form1();

    void Form_Activate() override;
    void Command1_Click(); // &Done

    QGroupBox* Frame1 = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
};
