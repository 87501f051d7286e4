#include "ShortFeedbackWindow.h"

#include "Controls.h"
#include "ImageBox.h"
#include "Pictures.h"
#include "SharedState.h"
#include "TestRunWindow.h"

#include <QLabel>
#include <QPushButton>

ShortFeedbackWindow::ShortFeedbackWindow() {
    ui::name(this, QStringLiteral("frmCI"));
    setEscapeCloses(true);
    setWindowTitle(QStringLiteral("Your Answer"));
    setFont(ui::defaultFont());
    setFixedSize(ui::px(4215), ui::px(1815));

    Image1 = new ImageBox(this, false);
    ui::name(Image1, QStringLiteral("Image1"));
    ui::readAs(Image1, QStringLiteral("Question mark"));
    Image1->setGeometry(ui::twips(240, 240, 480, 480));
    Image1->setPicture(QPixmap::fromImage(pictures::questionDisc()));

    Label1 = new QLabel(QStringLiteral("Correct!"), this);
    Label1->setTextFormat(Qt::PlainText);
    ui::name(Label1, QStringLiteral("Label1"));
    Label1->setFont(ui::font(QStringLiteral("Arial"), 12, true));
    Label1->setGeometry(ui::twips(960, 300, 3015, 375));

    Command1 = new QPushButton(QStringLiteral("&Ok"), this);
    ui::name(Command1, QStringLiteral("Command1"));
    Command1->setGeometry(ui::twips(240, 1080, 1575, 450));
    Command1->setDefault(true);
    Command2 = new QPushButton(QStringLiteral("&Print Question"), this);
    ui::name(Command2, QStringLiteral("Command2"));
    Command2->setGeometry(ui::twips(2400, 1080, 1575, 450));

    connect(Command1, &QPushButton::clicked, this, &ShortFeedbackWindow::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &ShortFeedbackWindow::Command2_Click);
}

void ShortFeedbackWindow::onActivated() {
    centerOnScreen();
}

void ShortFeedbackWindow::Command1_Click() {
    unload();
}

void ShortFeedbackWindow::Command2_Click() {
    WindowRegistry::get<TestRunWindow>().Command3_Click();
}
