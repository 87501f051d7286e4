#include "ShortFeedbackWindow.h"

#include "Controls.h"
#include "ImageBox.h"
#include "Pictures.h"
#include "TestRunWindow.h"

#include <QLabel>
#include <QPushButton>

ShortFeedbackWindow::ShortFeedbackWindow() {
    ui::name(this, QStringLiteral("frmCI"));
    setEscapeCloses(true);
    setWindowTitle(QStringLiteral("Your Answer"));
    setFont(ui::defaultFont());
    setFixedSize(ui::px(4215), ui::px(1815));

    auto* picture = new ImageBox(this, false);
    ui::name(picture, QStringLiteral("Image1"));
    ui::readAs(picture, QStringLiteral("Question mark"));
    picture->setGeometry(ui::twips(240, 240, 480, 480));
    picture->setPicture(QPixmap::fromImage(pictures::questionDisc()));

    m_verdict = ui::label(this, QStringLiteral("Label1"), QStringLiteral("Correct!"),
                          ui::twips(960, 300, 3015, 375));
    m_verdict->setFont(ui::font(QStringLiteral("Arial"), 12, true));

    QPushButton* ok = ui::button(this, QStringLiteral("Command1"), QStringLiteral("&Ok"),
                                 ui::twips(240, 1080, 1575, 450));
    ok->setDefault(true);
    QPushButton* print =
        ui::button(this, QStringLiteral("Command2"), QStringLiteral("&Print Question"),
                   ui::twips(2400, 1080, 1575, 450));
    connect(ok, &QPushButton::clicked, this, &ShortFeedbackWindow::unload);
    // The printout shows the question, not this window.
    connect(print, &QPushButton::clicked, this,
            [] { WindowRegistry::get<TestRunWindow>().printQuestion(); });
}

void ShortFeedbackWindow::showVerdict(const QString& verdict) {
    m_verdict->setText(verdict);
    showModal();
}
