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
    setWindowTitle(tr("Quizdex Help"));
    setFont(ui::defaultFont());
    setFixedSize(ui::px(7695), ui::px(5955));

    auto* frame = new QGroupBox(this);
    ui::name(frame, QStringLiteral("Frame1"));
    ui::readAs(frame, tr("Help"));
    frame->setGeometry(ui::twips(120, 0, 7455, 5295));
    auto* helpText = new MultiLineTextBox(frame);
    ui::name(helpText, QStringLiteral("Text1"));
    ui::readAs(helpText, tr("Help text"));
    helpText->setGeometry(ui::twips(120, 240, 7215, 4935));
    helpText->setReadOnly(true);
    helpText->setFont(ui::defaultFont());
    ui::setBackColor(helpText, ui::rgb(255, 255, 192));
    helpText->setText(::helpText());

    QPushButton* okButton = ui::button(this, QStringLiteral("Command1"), tr("&Ok"),

                                       ui::twips(3120, 5400, 1455, 495));
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &HelpWindow::unload);
}

void HelpWindow::placeOver(QWidget* owner) {
    if (!owner)
        return;
    const QRect o = owner->frameGeometry();
    move(o.center().x() - width() / 2, o.center().y() - height() / 2);
}
