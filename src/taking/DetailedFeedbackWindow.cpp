#include "DetailedFeedbackWindow.h"

#include "Controls.h"
#include "SharedState.h"
#include "TestRunWindow.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {
QLabel* textPanel(QWidget* parent, const QString& controlName) {
    QLabel* label = ui::label(parent, controlName, QString());
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setFont(ui::defaultFont());
    ui::setBackColor(label, ui::rgb(255, 255, 192));
    return label;
}
} // namespace

DetailedFeedbackWindow::DetailedFeedbackWindow() {
    ui::name(this, QStringLiteral("frmBig"));
    setEscapeCloses(true);
    setWindowTitle(QStringLiteral("Your Answer"));
    setFont(ui::defaultFont());
    setFixedSize(ui::px(6735), ui::px(5175));

    Label1 = new QLabel(QStringLiteral("Correct Answer!"), this);
    Label1->setTextFormat(Qt::PlainText);
    ui::name(Label1, QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setFont(ui::font(QStringLiteral("Arial"), 12, true));
    ui::setBackColor(Label1, ui::standardColor(4));
    ui::setForeColor(Label1, ui::standardColor(14));
    Label1->setGeometry(ui::twips(120, 120, 6495, 495));

    Frame1 = new QGroupBox(QStringLiteral("Explanation of Answer"), this);
    ui::name(Frame1, QStringLiteral("Frame1"));
    Frame1->setGeometry(ui::twips(120, 720, 6495, 1935));
    Label2 = textPanel(Frame1, QStringLiteral("Label2"));
    Label2->setGeometry(ui::twips(120, 300, 6255, 1515));

    Frame2 = new QGroupBox(QStringLiteral("Correct Answer is"), this);
    ui::name(Frame2, QStringLiteral("Frame2"));
    Frame2->setGeometry(ui::twips(120, 2760, 6495, 1095));
    Label3 = textPanel(Frame2, QStringLiteral("Label3"));
    Label3->setGeometry(ui::twips(120, 300, 6255, 675));

    Label4 = new QLabel(QStringLiteral("Correct so far ="), this);
    Label4->setTextFormat(Qt::PlainText);
    ui::name(Label4, QStringLiteral("Label4"));
    Label4->setFont(ui::font(QStringLiteral("Arial"), 9, true));
    Label4->setGeometry(ui::twips(120, 3960, 6495, 375));

    Command1 = new QPushButton(QStringLiteral("&Ok"), this);
    ui::name(Command1, QStringLiteral("Command1"));
    Command1->setGeometry(ui::twips(120, 4440, 1935, 495));
    Command1->setDefault(true);
    Command2 = new QPushButton(QStringLiteral("&Print Question"), this);
    ui::name(Command2, QStringLiteral("Command2"));
    Command2->setGeometry(ui::twips(4680, 4440, 1935, 495));

    connect(Command1, &QPushButton::clicked, this, &DetailedFeedbackWindow::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &DetailedFeedbackWindow::Command2_Click);
}

void DetailedFeedbackWindow::onActivated() {
    centerOnScreen();
}

void DetailedFeedbackWindow::Command1_Click() {
    unload();
}

void DetailedFeedbackWindow::Command2_Click() {
    WindowRegistry::get<TestRunWindow>().Command3_Click();
}
