#include "ShortFeedbackWindow.h"

#include "Controls.h"
#include "ImageBox.h"
#include "Pictures.h"
#include "Spoken.h"

#include <QLabel>

ShortFeedbackWindow::ShortFeedbackWindow()
    : FeedbackWindow(QStringLiteral("frmCI"), QSize(4215, 1815)) {
    auto* picture = new ImageBox(this, false);
    ui::name(picture, QStringLiteral("Image1"));
    ui::readAs(picture, tr("Question mark"));
    picture->setGeometry(ui::twips(240, 240, 480, 480));
    picture->setPicture(QPixmap::fromImage(pictures::questionDisc()));

    m_verdict = ui::label(this, QStringLiteral("Label1"), tr("Correct!"),

                          ui::twips(960, 300, 3015, 375));
    m_verdict->setFont(ui::font(QStringLiteral("Arial"), 12, true));

    addButtons(ui::twips(240, 1080, 1575, 450), ui::twips(2400, 1080, 1575, 450));
}

void ShortFeedbackWindow::showVerdict(const QString& verdict) {
    m_verdict->setText(verdict);
    spoken::describeWindow(this, {m_verdict});
    showModal();
}
