#include "IntroductionWindow.h"

#include "Controls.h"
#include "ImageBox.h"
#include "Layout.h"
#include "Pictures.h"
#include "Spoken.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {
QLabel* centredLabel(QWidget* parent, const QString& controlName, const QRect& where,
                     const QFont& font) {
    QLabel* label = platform::ui::label(parent, controlName, QString(), where);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(true);
    label->setFont(font);
    return label;
}
} // namespace

IntroductionWindow::IntroductionWindow() {
    platform::ui::name(this, QStringLiteral("Form2"));
    setWindowTitle(tr("Quizdex Test"));
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setFont(platform::ui::defaultFont());
    setGivenSize(platform::ui::px(7215), platform::ui::px(4695));
    platform::ui::setBackColor(this, platform::ui::rgb(255, 255, 192));

    // The window has no border of its own: a box drawn round it is its frame.
    auto* frame = new QFrame(this);
    platform::ui::name(frame, QStringLiteral("Shape1"));
    platform::ui::readAs(frame, tr("Frame"));
    frame->setFrameShape(QFrame::Box);
    platform::ui::place(frame, QRect(0, 0, width(), height()));

    m_testName =
        centredLabel(this, QStringLiteral("Label1"), platform::ui::twips(240, 600, 2895, 1335),
                     platform::ui::font(QStringLiteral("Arial"), 18, true));
    platform::ui::setForeColor(m_testName, platform::ui::rgb(192, 0, 0));
    m_createdBy =
        centredLabel(this, QStringLiteral("Label3"), platform::ui::twips(120, 2160, 3255, 255),
                     platform::ui::font(QStringLiteral("Arial"), 9.75));
    m_createdBy->setText(tr("Created by:"));
    m_owner =
        centredLabel(this, QStringLiteral("Label2"), platform::ui::twips(120, 2520, 3255, 735),
                     platform::ui::font(QStringLiteral("Arial"), 12, true, true));

    m_picture = new ImageBox(this);
    platform::ui::name(m_picture, QStringLiteral("Image1"));
    platform::ui::readAs(m_picture, tr("Test picture"));
    platform::ui::place(m_picture, platform::ui::twips(3360, 240, 3615, 3495));
    m_picture->setPicture(QPixmap::fromImage(platform::pictures::questionDisc()));

    QPushButton* start = platform::ui::button(this, QStringLiteral("Command1"), tr("&Start Test"),
                                              platform::ui::twips(2520, 3960, 2175, 615));
    start->setFont(platform::ui::font(QStringLiteral("Arial"), 9, true));
    start->setDefault(true);
    connect(start, &QPushButton::clicked, this, &IntroductionWindow::unload);
}

void IntroductionWindow::showTest(const QString& testName, const QString& owner,
                                  const QString& picturesFolder) {
    m_owner->setText(owner);
    m_testName->setText(testName);
    platform::spoken::describeWindow(this, {m_testName, m_createdBy, m_owner});
    m_picture->showTestPicture(picturesFolder, testName);
    showModal();
}
