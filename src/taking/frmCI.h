#pragma once

#include "Forms.h"

class QLabel;
class QPushButton;
class ImageBox;

// The short feedback after an answer: the verdict only.
class frmCI : public Form {
    Q_OBJECT
public:
    frmCI();

    void Form_Activate() override;
    void Command1_Click(); // &Ok
    void Command2_Click(); // &Print Question

    ImageBox* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
};
