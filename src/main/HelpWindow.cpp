#include "HelpWindow.h"

#include "Controls.h"
#include "Cp1252.h"
#include "HelpText.h"
#include "MultiLineTextBox.h"

#include <QGroupBox>
#include <QPushButton>

HelpWindow::HelpWindow() {
    ui::name(this, QStringLiteral("frmHelp"));
    setEscapeCloses(true);
    setWindowTitle(QStringLiteral("Quizdex Help"));
    setFont(ui::defaultFont());
    setFixedSize(ui::px(7695), ui::px(5955));

    Frame1 = new QGroupBox(this);
    ui::name(Frame1, QStringLiteral("Frame1"));
    ui::readAs(Frame1, QStringLiteral("Help"));
    Frame1->setGeometry(ui::twips(120, 0, 7455, 5295));
    Text1 = new MultiLineTextBox(Frame1);
    ui::name(Text1, QStringLiteral("Text1"));
    ui::readAs(Text1, QStringLiteral("Help text"));
    Text1->setGeometry(ui::twips(120, 240, 7215, 4935));
    Text1->setReadOnly(true);
    Text1->setFont(ui::defaultFont());
    ui::setBackColor(Text1, ui::rgb(255, 255, 192));
    Text1->setText(cp1252::decode(QByteArray(kHelpText)));

    Command1 = new QPushButton(QStringLiteral("&Ok"), this);
    ui::name(Command1, QStringLiteral("Command1"));
    Command1->setGeometry(ui::twips(3120, 5400, 1455, 495));
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &HelpWindow::Command1_Click);
}

void HelpWindow::placeOver(QWidget* owner) {
    if (!owner)
        return;
    const QRect o = owner->frameGeometry();
    move(o.center().x() - width() / 2, o.center().y() - height() / 2);
}

void HelpWindow::Command1_Click() {
    unload();
}
