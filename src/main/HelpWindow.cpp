#include "HelpWindow.h"

#include "Controls.h"
#include "Cp1252.h"
#include "HelpText.h"
#include "Layout.h"
#include "MultiLineTextBox.h"

#include <QGroupBox>
#include <QPushButton>

HelpWindow::HelpWindow() {
    platform::ui::name(this, QStringLiteral("frmHelp"));
    setEscapeCloses(true);
    setWindowTitle(tr("Quizdex Help"));
    setFont(platform::ui::defaultFont());
    setGivenSize(platform::ui::px(7695), platform::ui::px(5955));

    auto* frame = new QGroupBox(this);
    platform::ui::name(frame, QStringLiteral("Frame1"));
    platform::ui::readAs(frame, tr("Help"));
    platform::ui::place(frame, platform::ui::twips(120, 0, 7455, 5295));
    auto* helpText = new MultiLineTextBox(frame);
    platform::ui::name(helpText, QStringLiteral("Text1"));
    platform::ui::readAs(helpText, tr("Help text"));
    platform::ui::place(helpText, platform::ui::twips(120, 240, 7215, 4935));
    helpText->setLocked(true);
    helpText->setFont(platform::ui::defaultFont());
    platform::ui::setBackColor(helpText, platform::ui::rgb(255, 255, 192));
    helpText->setText(::helpText());

    QPushButton* okButton = platform::ui::button(this, QStringLiteral("Command1"), tr("&Ok"),
                                                 platform::ui::twips(3120, 5400, 1455, 495));
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &HelpWindow::unload);
}

void HelpWindow::placeOver(QWidget* owner) {
    if (!owner)
        return;
    const QRect o = owner->frameGeometry();
    move(o.center().x() - width() / 2, o.center().y() - height() / 2);
}
