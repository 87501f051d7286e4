#pragma once

#include "Forms.h"

class QPushButton;

// The final score window: the passing bar against the candidate's bar.
class frmScore : public Form {
    Q_OBJECT
public:
    frmScore();

    void Command1_Click(); // &Ok

    QPushButton* Command1 = nullptr;
};
