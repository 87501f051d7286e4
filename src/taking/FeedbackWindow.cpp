#include "FeedbackWindow.h"

#include "Controls.h"

#include <QPushButton>

FeedbackWindow::FeedbackWindow(const QString& controlName, const QSize& size) {
    ui::name(this, controlName);
    setEscapeCloses(true);
    setWindowTitle(tr("Your Answer"));
    setFont(ui::defaultFont());
    setFixedSize(ui::px(size.width()), ui::px(size.height()));
}

void FeedbackWindow::addButtons(const QRect& ok, const QRect& print) {
    QPushButton* okButton = ui::button(this, QStringLiteral("Command1"), tr("&Ok"), ok);
    okButton->setDefault(true);
    QPushButton* printButton =
        ui::button(this, QStringLiteral("Command2"), tr("&Print Question"), print);

    connect(okButton, &QPushButton::clicked, this, &FeedbackWindow::unload);
    connect(printButton, &QPushButton::clicked, this, &FeedbackWindow::printRequested);
}
