#include "frmScore.h"

#include "Controls.h"

#include <QPushButton>

frmScore::frmScore() {
    ui::name(this, QStringLiteral("frmScore"), QStringLiteral("Test Score"));
    setWindowTitle(QStringLiteral("Test Score"));
    setFont(ui::defaultFont());
    setFixedSize(ui::px(5790), ui::px(3600));
    Command1 = new QPushButton(QStringLiteral("&Ok"), this);
    ui::name(Command1, QStringLiteral("Command1"), Command1->text());
    Command1->setGeometry(ui::twips(4320, 3120, 1215, 375));
    connect(Command1, &QPushButton::clicked, this, &frmScore::Command1_Click);
}

void frmScore::Command1_Click() { Unload(); }
