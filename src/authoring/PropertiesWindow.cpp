#include "PropertiesWindow.h"

#include <array>

#include "Controls.h"
#include "Services.h"
#include "SharedState.h"
#include "TestHeader.h"
#include "TextRules.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace {

// The four boxes of a feedback frame, top to bottom: the verdict, the
// explanation, the correct answer and the grade so far.
std::array<QCheckBox*, 4> makeFeedbackBoxes(QWidget* frame, const std::array<const char*, 4>& names,
                                            const char* verdict) {
    const std::array<QString, 4> captions = {
        QStringLiteral("Display \"%1\"").arg(QLatin1String(verdict)),
        QStringLiteral("Display the Explanation"), QStringLiteral("Display the correct answer"),
        QStringLiteral("Display current grade so far")};
    std::array<QCheckBox*, 4> boxes{};
    for (std::size_t i = 0; i < 4; ++i)
        boxes[i] = ui::checkBox(frame, QLatin1String(names[i]), captions[i],
                                ui::twips(120, 300 + 270 * static_cast<int>(i), 2775, 255));
    return boxes;
}

} // namespace

PropertiesWindow::PropertiesWindow() {
    ui::name(this, QStringLiteral("frmProperties"));
    setEscapeCloses(true);
    setWindowTitle(QStringLiteral("Properties"));
    setFont(ui::defaultFont());
    setFixedSize(ui::px(6615), ui::px(4680));

    Label1 = ui::label(this, QStringLiteral("Label1"), QStringLiteral("Owner"),
                       ui::twips(240, 120, 2895, 255));
    txtOwner =
        ui::lineEdit(this, QStringLiteral("txtOwner"), Label1, ui::twips(240, 360, 2895, 315));
    // Label2 follows later in the window's own order; the box needs it now.
    Label2 = ui::label(this, QStringLiteral("Label2"), QStringLiteral("Password"),
                       ui::twips(3480, 120, 2895, 255));
    txtPassword =
        ui::lineEdit(this, QStringLiteral("txtPassword"), Label2, ui::twips(3480, 360, 2895, 315));

    Frame1 = new QGroupBox(QStringLiteral("When question is answered correctly..."), this);
    ui::name(Frame1, QStringLiteral("Frame1"));
    Frame1->setGeometry(ui::twips(240, 840, 3000, 1455));
    const auto correct = makeFeedbackBoxes(
        Frame1, {"chkCorrect1", "ChkCorrect2", "chkCorrect3", "chkCorrect4"}, "Correct!");
    chkCorrect1 = correct[0];
    ChkCorrect2 = correct[1];
    chkCorrect3 = correct[2];
    chkCorrect4 = correct[3];
    chkCorrect1->setChecked(true);

    Frame2 = new QGroupBox(QStringLiteral("When question is answered incorrectly..."), this);
    ui::name(Frame2, QStringLiteral("Frame2"));
    Frame2->setGeometry(ui::twips(3360, 840, 3135, 1455));
    const auto incorrect = makeFeedbackBoxes(
        Frame2, {"chkIncorrect1", "chkIncorrect2", "chkIncorrect3", "chkIncorrect4"}, "Incorrect!");
    chkIncorrect1 = incorrect[0];
    chkIncorrect2 = incorrect[1];
    chkIncorrect3 = incorrect[2];
    chkIncorrect4 = incorrect[3];
    chkIncorrect1->setChecked(true);
    chkIncorrect2->setChecked(true);
    chkIncorrect3->setChecked(true);

    Frame3 = new QGroupBox(QStringLiteral("When the question is a multiple choice..."), this);
    ui::name(Frame3, QStringLiteral("Frame3"));
    Frame3->setGeometry(ui::twips(240, 2400, 6135, 915));
    optShuffle =
        new QRadioButton(QStringLiteral("Shuffle the answers into a random order"), Frame3);
    ui::name(optShuffle, QStringLiteral("optShuffle"));
    optShuffle->setGeometry(ui::twips(120, 330, 5895, 255));
    optShuffle->setChecked(true);
    optNoShuffle = new QRadioButton(
        QStringLiteral("Display the asnwers in the same order I enter them"), Frame3);
    ui::name(optNoShuffle, QStringLiteral("optNoShuffle"));
    optNoShuffle->setGeometry(ui::twips(120, 600, 5895, 255));

    Command2 = ui::button(this, QStringLiteral("Command2"), QStringLiteral("Cancel"));
    Command2->setGeometry(ui::twips(3960, 4080, 1095, 375));
    Command1 = ui::button(this, QStringLiteral("Command1"), QStringLiteral("Save/Done"));
    Command1->setGeometry(ui::twips(5280, 4080, 1095, 375));
    Command1->setDefault(true);

    Frame4 = new QGroupBox(QStringLiteral("Passing Score"), this);
    ui::name(Frame4, QStringLiteral("Frame4"));
    Frame4->setGeometry(ui::twips(240, 3360, 2175, 1095));
    Label5 = new QLabel(Frame4);
    Label5->setTextFormat(Qt::PlainText);
    ui::name(Label5, QStringLiteral("Label5"));
    Label5->setFont(ui::font(QStringLiteral("Arial"), 12, true));
    Label5->setGeometry(ui::twips(120, 420, 1455, 375));

    Command3 = ui::button(this, QStringLiteral("Command3"), QStringLiteral("Read Me"));
    Command3->setGeometry(ui::twips(2640, 4080, 1095, 375));

    // 50 at the top, as the bar's own arrows and keys move its handle. It is
    // read by its frame's title, and takes the focus like any other control.
    VScroll1 = new QScrollBar(Qt::Vertical, Frame4);
    ui::name(VScroll1, QStringLiteral("VScroll1"));
    VScroll1->setFocusPolicy(Qt::StrongFocus);
    VScroll1->setGeometry(ui::twips(1680, 240, 255, 735));
    VScroll1->setRange(50, 100);
    VScroll1->setSingleStep(1);
    VScroll1->setPageStep(1);
    VScroll1->setValue(50);
    VScroll1_Change();

    QWidget::setTabOrder(txtOwner, txtPassword);
    QWidget::setTabOrder(txtPassword, chkCorrect1);
    QWidget::setTabOrder(chkCorrect1, ChkCorrect2);
    QWidget::setTabOrder(ChkCorrect2, chkCorrect3);
    QWidget::setTabOrder(chkCorrect3, chkCorrect4);
    QWidget::setTabOrder(chkCorrect4, chkIncorrect1);
    QWidget::setTabOrder(chkIncorrect1, chkIncorrect2);
    QWidget::setTabOrder(chkIncorrect2, chkIncorrect3);
    QWidget::setTabOrder(chkIncorrect3, chkIncorrect4);
    QWidget::setTabOrder(chkIncorrect4, optShuffle);
    QWidget::setTabOrder(optShuffle, optNoShuffle);
    QWidget::setTabOrder(optNoShuffle, Command2);
    QWidget::setTabOrder(Command2, Command1);
    QWidget::setTabOrder(Command1, Command3);
    QWidget::setTabOrder(Command3, VScroll1);

    connect(VScroll1, &QScrollBar::valueChanged, this, &PropertiesWindow::VScroll1_Change);
    connect(Command1, &QPushButton::clicked, this, &PropertiesWindow::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &PropertiesWindow::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &PropertiesWindow::Command3_Click);
}

void PropertiesWindow::onLoaded() {
    centerOnScreen();
}

bool PropertiesWindow::openFor(const QString& testPath) {
    const IoStatus st = shared::loadTestRecord(testPath, 1);
    if (!st) {
        platform::msgBox(st.message(QStringLiteral("The test's settings could not be read from")));
        return false;
    }
    PropertiesWindow& w = WindowRegistry::get<PropertiesWindow>();
    w.m_testPath = testPath;
    w.fillFromHeader();
    w.showModal();
    return true;
}

void PropertiesWindow::fillFromHeader() {
    const TestRecord& h = shared::testRecord;
    txtOwner->setText(ui::shownText(h.text(TestRecord::Owner)));
    txtPassword->setText(ui::shownText(h.text(TestRecord::Password)));
    if (h.shuffleFlag() == 0)
        optNoShuffle->setChecked(true);
    else if (h.shuffleFlag() == 1)
        optShuffle->setChecked(true);
    ui::resetTabStops({optShuffle, optNoShuffle});
    QCheckBox* correct[] = {chkCorrect1, ChkCorrect2, chkCorrect3, chkCorrect4};
    QCheckBox* incorrect[] = {chkIncorrect1, chkIncorrect2, chkIncorrect3, chkIncorrect4};
    for (int i = 0; i < 4; ++i)
        correct[i]->setChecked(authoring::flagOn(h, TestRecord::CorrectFeedback, i + 1));
    for (int i = 0; i < 4; ++i)
        incorrect[i]->setChecked(authoring::flagOn(h, TestRecord::IncorrectFeedback, i + 1));
    VScroll1->setValue(authoring::passingScoreToShow(h));
    VScroll1_Change(); // also when the value happens not to change
}

void PropertiesWindow::VScroll1_Change() {
    Label5->setText(QStringLiteral("  ") +
                    rules::numberText(static_cast<long long>(VScroll1->value())) +
                    QLatin1Char('%'));
}

void PropertiesWindow::Command1_Click() {
    const QString path = m_testPath.isEmpty() ? shared::testPath : m_testPath;
    // Read again, so that fields this window does not show stay as on disk.
    IoStatus st = shared::loadTestRecord(path, 1);
    if (!st) {
        platform::msgBox(st.message(QStringLiteral("The test's settings could not be read from")));
        return;
    }
    TestRecord& h = shared::testRecord;
    if (!txtOwner->text().isEmpty())
        h.setText(TestRecord::Owner, txtOwner->text());
    if (!txtPassword->text().isEmpty())
        h.setText(TestRecord::Password, txtPassword->text());
    if (optNoShuffle->isChecked())
        h.setShuffleFlag(0);
    else if (optShuffle->isChecked())
        h.setShuffleFlag(1);
    h.setText(TestRecord::CorrectFeedback,
              authoring::flagText({chkCorrect1->isChecked(), ChkCorrect2->isChecked(),
                                   chkCorrect3->isChecked(), chkCorrect4->isChecked()}));
    h.setText(TestRecord::IncorrectFeedback,
              authoring::flagText({chkIncorrect1->isChecked(), chkIncorrect2->isChecked(),
                                   chkIncorrect3->isChecked(), chkIncorrect4->isChecked()}));
    h.setText(TestRecord::PassingScore, authoring::passingScoreText(VScroll1->value()));
    st = shared::writeTestRecord(path, 1, h);
    if (!st) {
        // The window stays open with the author's settings, to try again.
        platform::msgBox(st.message(QStringLiteral("The test's settings could not be saved to")));
        return;
    }
    unload();
}

void PropertiesWindow::Command2_Click() {
    unload();
}

void PropertiesWindow::Command3_Click() {
    platform::msgBox(platform::lines({
        QStringLiteral("When someone goes to take this test, they will first be"),
        QStringLiteral("presented with a Test Introduction screen with the "),
        QStringLiteral("Name of the test, your name (as you entered in  "),
        QStringLiteral("the [OWNER] field, and a bitmap or icon of a pen "),
        QStringLiteral("writing on a test page."),
        QString(),
        QStringLiteral("You can replace the icon with any bitmap you want simply "),
        QStringLiteral("by placing a .bmp file in the /tests directory that has "),
        QStringLiteral("the same name as your test. For example, if the name of"),
        QStringLiteral("your test is  MYTEST, your bitmap should be named MYTEST.BMP"),
    }));
}
