#include "ShortFeedbackWindow.h"

#include "Controls.h"
#include "ImageBox.h"
#include "Layout.h"
#include "Pictures.h"
#include "Spoken.h"

#include <QLabel>

ShortFeedbackWindow::ShortFeedbackWindow()
    : FeedbackWindow(QStringLiteral("frmCI"), QSize(4215, 1815)) {
    auto* picture = new ImageBox(this, false);
    platform::ui::name(picture, QStringLiteral("Image1"));
    platform::ui::readAs(picture, tr("Question mark"));
    platform::ui::place(picture, platform::ui::twips(240, 240, 480, 480));
    picture->setPicture(QPixmap::fromImage(platform::pictures::questionDisc()));

    m_verdict = platform::ui::label(this, QStringLiteral("Label1"), tr("Correct!"),
                                    platform::ui::twips(960, 300, 3015, 375));
    m_verdict->setFont(platform::ui::font(QStringLiteral("Arial"), 12, true));

    addButtons(platform::ui::twips(240, 1080, 1575, 450),
               platform::ui::twips(2400, 1080, 1575, 450));
}

void ShortFeedbackWindow::showVerdict(const QString& verdict) {
    m_verdict->setText(verdict);
    platform::spoken::describeWindow(this, {m_verdict});
    showModal();
}
