#include "QuestionCountWindow.h"

#include "Controls.h"
#include "UpDownBar.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {
QLabel* whiteBox(QWidget* parent, const QString& controlName) {
    auto* box = new QLabel(parent);
    box->setTextFormat(Qt::PlainText);
    ui::name(box, controlName);
    box->setFrameShape(QFrame::Box);
    box->setLineWidth(1);
    ui::setBackColor(box, ui::standardColor(15));
    return box;
}
QLabel* countLabel(QWidget* parent, const QString& controlName) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    ui::name(label, controlName);
    label->setFont(ui::font(QStringLiteral("Arial"), 9, true));
    label->setAlignment(Qt::AlignCenter);
    return label;
}
} // namespace

QuestionCountWindow::QuestionCountWindow() {
    ui::name(this, QStringLiteral("frmNumOfQ"));
    setEscapeCloses(true);
    setWindowTitle(QStringLiteral("Select number or questions"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    setFont(ui::defaultFont());
    setFixedSize(ui::px(5430), ui::px(2370));

    Label1 = new QLabel(QStringLiteral("This test has the following number of questions available"),
                        this);
    Label1->setTextFormat(Qt::PlainText);
    ui::name(Label1, QStringLiteral("Label1"));
    Label1->setGeometry(ui::twips(240, 225, 4155, 255));

    Label3 = whiteBox(this, QStringLiteral("Label3"));
    Label3->setGeometry(ui::twips(4440, 165, 735, 345));
    lblAvailQ = countLabel(this, QStringLiteral("lblAvailQ"));
    lblAvailQ->setGeometry(ui::twips(4485, 210, 645, 255));

    Label4 = new QLabel(QStringLiteral("Select number of questions to take"), this);
    Label4->setTextFormat(Qt::PlainText);
    ui::name(Label4, QStringLiteral("Label4"));
    Label4->setFont(ui::font(QStringLiteral("Arial"), 8.25, true));
    Label4->setGeometry(ui::twips(240, 720, 4000, 255));

    optAll = new QRadioButton(QStringLiteral("All Questions"), this);
    ui::name(optAll, QStringLiteral("optAll"));
    optAll->setGeometry(ui::twips(405, 975, 2175, 255));
    optHalf = new QRadioButton(QStringLiteral("Half of the Questions"), this);
    ui::name(optHalf, QStringLiteral("optHalf"));
    optHalf->setGeometry(ui::twips(405, 1230, 2175, 255));
    optCustom = new QRadioButton(QStringLiteral("Custom # of Questions"), this);
    ui::name(optCustom, QStringLiteral("optCustom"));
    optCustom->setGeometry(ui::twips(2790, 960, 2415, 255));

    Label6 = whiteBox(this, QStringLiteral("Label6"));
    Label6->setGeometry(ui::twips(3075, 1230, 1095, 375));
    lblQtoTake = countLabel(this, QStringLiteral("lblQtoTake"));
    lblQtoTake->setGeometry(ui::twips(3120, 1290, 705, 255));
    lblQtoTake->setText(QStringLiteral("1"));
    scrQtoTake = new UpDownBar(this);
    ui::name(scrQtoTake, QStringLiteral("scrQtoTake"));
    ui::readAs(scrQtoTake, QStringLiteral("Custom number of questions"));
    scrQtoTake->setGeometry(ui::twips(3870, 1260, 270, 315));

    // An etched separator: a dark line with a white one just below it.
    const int lineWidth = ui::px(5280) - ui::px(120);
    Line2 = new QFrame(this);
    ui::name(Line2, QStringLiteral("Line2"));
    ui::readAs(Line2, QStringLiteral("Separator"));
    Line2->setGeometry(ui::px(120), ui::px(1800), lineWidth, 1);
    ui::setBackColor(Line2, ui::standardColor(8));
    Line1 = new QFrame(this);
    ui::name(Line1, QStringLiteral("Line1"));
    ui::readAs(Line1, QStringLiteral("Separator"));
    Line1->setGeometry(ui::px(120), ui::px(1800) + 1, lineWidth, 1);
    ui::setBackColor(Line1, ui::standardColor(15));

    Command1 = new QPushButton(QStringLiteral("&Ok"), this);
    ui::name(Command1, QStringLiteral("Command1"));
    Command1->setGeometry(ui::twips(2040, 1920, 1335, 375));
    Command1->setDefault(true);

    optAll->setChecked(true);
    enableCustomCount(false);

    // Selecting an option, by the user or by the run window, runs its handler.
    connect(optAll, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optAll_Click();
    });
    connect(optHalf, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optHalf_Click();
    });
    connect(optCustom, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optCustom_Click();
    });
    connect(scrQtoTake, &UpDownBar::countChanged, this, &QuestionCountWindow::scrQtoTake_Change);
    connect(Command1, &QPushButton::clicked, this, &QuestionCountWindow::Command1_Click);
}

void QuestionCountWindow::onActivated() {
    scrQtoTake->setCount(1);
    lblQtoTake->setText(QStringLiteral("1"));
}

void QuestionCountWindow::enableCustomCount(bool on) {
    lblQtoTake->setEnabled(on);
    scrQtoTake->setEnabled(on);
}

void QuestionCountWindow::optAll_Click() {
    enableCustomCount(false);
}

void QuestionCountWindow::optHalf_Click() {
    enableCustomCount(false);
}

void QuestionCountWindow::optCustom_Click() {
    enableCustomCount(false);
    if (optCustom->isChecked())
        enableCustomCount(true);
}

void QuestionCountWindow::scrQtoTake_Change() {
    lblQtoTake->setText(QString::number(scrQtoTake->count()));
}

void QuestionCountWindow::Command1_Click() {
    hideWindow();
}

taking::CountChoice QuestionCountWindow::choice() const {
    if (optHalf->isChecked())
        return taking::CountChoice::Half;
    if (optCustom->isChecked())
        return taking::CountChoice::Custom;
    return taking::CountChoice::All;
}
