#include "IntroductionWindow.h"

#include "Controls.h"
#include "ImageBox.h"
#include "Pictures.h"
#include "Spoken.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {
QLabel* centredLabel(QWidget* parent, const QString& controlName, const QRect& where,
                     const QFont& font) {
    QLabel* label = ui::label(parent, controlName, QString(), where);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(true);
    label->setFont(font);
    return label;
}
} // namespace

IntroductionWindow::IntroductionWindow() {
    ui::name(this, QStringLiteral("Form2"));
    setWindowTitle(tr("Quizdex Test"));
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setFont(ui::defaultFont());
    setFixedSize(ui::px(7215), ui::px(4695));
    ui::setBackColor(this, ui::rgb(255, 255, 192));

    // The window has no border of its own: a box drawn round it is its frame.
    auto* frame = new QFrame(this);
    ui::name(frame, QStringLiteral("Shape1"));
    ui::readAs(frame, tr("Frame"));
    frame->setFrameShape(QFrame::Box);
    frame->setGeometry(0, 0, width(), height());

    m_testName = centredLabel(this, QStringLiteral("Label1"), ui::twips(240, 600, 2895, 1335),
                              ui::font(QStringLiteral("Arial"), 18, true));
    ui::setForeColor(m_testName, ui::rgb(192, 0, 0));
    m_createdBy = centredLabel(this, QStringLiteral("Label3"), ui::twips(120, 2160, 3255, 255),
                               ui::font(QStringLiteral("Arial"), 9.75));
    m_createdBy->setText(tr("Created by:"));
    m_owner = centredLabel(this, QStringLiteral("Label2"), ui::twips(120, 2520, 3255, 735),
                           ui::font(QStringLiteral("Arial"), 12, true, true));

    m_picture = new ImageBox(this);
    ui::name(m_picture, QStringLiteral("Image1"));
    ui::readAs(m_picture, tr("Test picture"));
    m_picture->setGeometry(ui::twips(3360, 240, 3615, 3495));
    m_picture->setPicture(QPixmap::fromImage(pictures::questionDisc()));

    QPushButton* start = ui::button(this, QStringLiteral("Command1"), tr("&Start Test"),

                                    ui::twips(2520, 3960, 2175, 615));
    start->setFont(ui::font(QStringLiteral("Arial"), 9, true));
    start->setDefault(true);
    connect(start, &QPushButton::clicked, this, &IntroductionWindow::unload);
}

void IntroductionWindow::showTest(const QString& testName, const QString& owner,
                                  const QString& picturesFolder) {
    m_owner->setText(owner);
    m_testName->setText(testName);
    spoken::describeWindow(this, {m_testName, m_createdBy, m_owner});
    m_picture->showTestPicture(picturesFolder, testName);
    showModal();
}
