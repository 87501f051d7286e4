#include "FeedbackWindow.h"

#include "Controls.h"
#include "Layout.h"

#include <QPushButton>

FeedbackWindow::FeedbackWindow(const QString& controlName, const QSize& size) {
    platform::ui::name(this, controlName);
    setEscapeCloses(true);
    setWindowTitle(tr("Your Answer"));
    setFont(platform::ui::defaultFont());
    setGivenSize(platform::ui::px(size.width()), platform::ui::px(size.height()));
}

void FeedbackWindow::addButtons(const QRect& ok, const QRect& print) {
    QPushButton* okButton = platform::ui::button(this, QStringLiteral("Command1"), tr("&Ok"), ok);
    okButton->setDefault(true);
    QPushButton* printButton =
        platform::ui::button(this, QStringLiteral("Command2"), tr("&Print Question"), print);

    connect(okButton, &QPushButton::clicked, this, &FeedbackWindow::unload);
    connect(printButton, &QPushButton::clicked, this, &FeedbackWindow::printRequested);
}
