#include "IntroductionWindow.h"

#include "Controls.h"
#include "ImageBox.h"
#include "Pictures.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {
QLabel* centredLabel(QWidget* parent, const QString& controlName, const QFont& font) {
    QLabel* label = ui::label(parent, controlName, QString());
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(true);
    label->setFont(font);
    return label;
}
} // namespace

IntroductionWindow::IntroductionWindow() {
    ui::name(this, QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Quizdex Test"));
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setFont(ui::defaultFont());
    setFixedSize(ui::px(7215), ui::px(4695));
    ui::setBackColor(this, ui::rgb(255, 255, 192));

    Shape1 = new QFrame(this);
    ui::name(Shape1, QStringLiteral("Shape1"));
    ui::readAs(Shape1, QStringLiteral("Frame"));
    Shape1->setFrameShape(QFrame::Box);
    Shape1->setGeometry(0, 0, width(), height());

    Label1 =
        centredLabel(this, QStringLiteral("Label1"), ui::font(QStringLiteral("Arial"), 18, true));
    ui::setForeColor(Label1, ui::rgb(192, 0, 0));
    Label1->setGeometry(ui::twips(240, 600, 2895, 1335));

    Label3 = centredLabel(this, QStringLiteral("Label3"), ui::font(QStringLiteral("Arial"), 9.75));
    Label3->setText(QStringLiteral("Created by:"));
    Label3->setGeometry(ui::twips(120, 2160, 3255, 255));

    Label2 = centredLabel(this, QStringLiteral("Label2"),
                          ui::font(QStringLiteral("Arial"), 12, true, true));
    Label2->setGeometry(ui::twips(120, 2520, 3255, 735));

    Image1 = new ImageBox(this);
    ui::name(Image1, QStringLiteral("Image1"));
    ui::readAs(Image1, QStringLiteral("Test picture"));
    Image1->setGeometry(ui::twips(3360, 240, 3615, 3495));
    Image1->setPicture(QPixmap::fromImage(pictures::questionDisc()));

    Command1 = new QPushButton(QStringLiteral("&Start Test"), this);
    ui::name(Command1, QStringLiteral("Command1"));
    Command1->setFont(ui::font(QStringLiteral("Arial"), 9, true));
    Command1->setGeometry(ui::twips(2520, 3960, 2175, 615));
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &IntroductionWindow::Command1_Click);
}

void IntroductionWindow::Command1_Click() {
    unload();
}
