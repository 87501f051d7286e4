#include "QuestionEditor.h"

#include "Controls.h"
#include "Pictures.h"
#include "PropertiesWindow.h"
#include "Question.h"
#include "Services.h"
#include "SharedState.h"
#include "TextBox.h"
#include "TextRules.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {

const QColor kLightYellow = ui::rgb(255, 255, 192);
const QColor kLightGrey = ui::rgb(224, 224, 224);
const QColor kCorrectGreen = ui::rgb(200, 255, 200);
const QColor kWhite = ui::rgb(255, 255, 255);

// The highest record a test file can have: its count is a 16-bit number.
constexpr int kLastRecord = shared::kMaxQuestions + 1;

QLabel* makeLetter(QWidget* parent, const QString& name, const QString& letter, QRect where) {
    auto* l = ui::label(parent, name, letter, where);
    l->setFont(ui::font(QStringLiteral("Times New Roman"), 24, true));
    return l;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, QRect where,
                        bool yellow = true) {
    auto* b = ui::button(parent, name, caption, where);
    if (yellow)
        ui::setBackColor(b, kLightYellow);
    return b;
}

MultiLineTextBox* makeTextBox(QWidget* parent, const QString& name, QRect where) {
    auto* t = new MultiLineTextBox(parent);
    ui::name(t, name);
    t->setGeometry(where);
    return t;
}

} // namespace

QuestionEditor::QuestionEditor() {
    ui::name(this, QStringLiteral("frmTestBuild"));
    setWindowTitle(QStringLiteral("Building TEST"));
    setFont(ui::defaultFont());
    setFixedSize(ui::px(9615), ui::px(6855));

    Command2 = makeButton(this, QStringLiteral("Command2"), QStringLiteral("&Done"),
                          ui::twips(8520, 6120, 975, 495), false);
    Command5 = makeButton(this, QStringLiteral("Command5"), QStringLiteral("Edit test properties"),
                          ui::twips(6840, 6120, 1575, 495));

    Frame4 = new QGroupBox(this);
    ui::name(Frame4, QStringLiteral("Frame4"));
    ui::readAs(Frame4, QStringLiteral("Question"));
    Frame4->setGeometry(ui::twips(120, 60, 9375, 5895));

    Label3 = makeLetter(Frame4, QStringLiteral("Label3"), QStringLiteral("Q"),
                        ui::twips(120, 240, 495, 615));
    txtQuestion =
        makeTextBox(Frame4, QStringLiteral("txtQuestion"), ui::twips(720, 240, 6255, 1215));
    ui::readAs(txtQuestion, QStringLiteral("Question"));
    txtQuestion->setMaxLength(500);
    ui::setBackColor(txtQuestion, kLightGrey);

    Frame2 = new QGroupBox(Frame4);
    ui::name(Frame2, QStringLiteral("Frame2"));
    ui::readAs(Frame2, QStringLiteral("Kind of question"));
    Frame2->setGeometry(ui::twips(7080, 120, 2175, 1335));
    const QStringList kinds = {QStringLiteral("True/False"), QStringLiteral("Multiple Choice"),
                               QStringLiteral("Typed Answer")};
    // The three plain buttons lie behind the kind buttons, as their backing.
    for (int i = 0; i < 3; ++i) {
        Command6[i] = new QPushButton(Frame2);
        ui::name(Command6[i], QStringLiteral("Command6(%1)").arg(i));
        ui::readAs(Command6[i], kinds[i]);
        Command6[i]->setGeometry(ui::twips(90, 210 + i * 360, 1995, 345));
        Command6[i]->setFocusPolicy(Qt::NoFocus);
        Command6[i]->setAccessibleDescription(QStringLiteral("background"));
    }
    Option1 = new QRadioButton(kinds[0], Frame2);
    Option3 = new QRadioButton(kinds[1], Frame2);
    Option2 = new QRadioButton(kinds[2], Frame2);
    const QList<QRadioButton*> kindButtons = {Option1, Option3, Option2};
    const QStringList kindNames = {QStringLiteral("Option1"), QStringLiteral("Option3"),
                                   QStringLiteral("Option2")};
    for (int i = 0; i < 3; ++i) {
        ui::name(kindButtons[i], kindNames[i]);
        kindButtons[i]->setGeometry(ui::twips(180, 255 + i * 360, 1815, 255));
        kindButtons[i]->raise();
    }

    Label2[0] = makeLetter(Frame4, QStringLiteral("Label2(0)"), QStringLiteral("A"),
                           ui::twips(120, 1740, 495, 615));
    m_correctGroup = new QButtonGroup(this);
    m_correctGroup->setExclusive(true);
    const QIcon tick(QPixmap::fromImage(pictures::tick()));
    for (int i = 1; i <= 5; ++i) {
        const int top = 1620 + (i - 1) * 600;
        const QString caption = QStringLiteral("Choice%1").arg(i);
        QLabel* label = ui::label(Frame4, QStringLiteral("Label%1").arg(i + 3), caption,
                                  ui::twips(720, top + 120, 855, 255));
        MultiLineTextBox* box = makeTextBox(Frame4, QStringLiteral("txtChoice%1").arg(i),
                                            ui::twips(1620, top, 6855, 525));
        ui::labelFor(label, box);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        ui::setBackColor(box, kWhite);
        QPushButton* mark = makeButton(Frame4, QStringLiteral("Option%1").arg(i + 3), QString(),
                                       ui::twips(8580, top, 615, 525));
        ui::readAs(mark, QStringLiteral("%1 is correct").arg(caption));
        mark->setCheckable(true);
        mark->setIcon(tick);
        m_correctGroup->addButton(mark, i);
        QLabel** labels[] = {&Label4, &Label5, &Label6, &Label7, &Label8};
        MultiLineTextBox** boxes[] = {&txtChoice1, &txtChoice2, &txtChoice3, &txtChoice4,
                                      &txtChoice5};
        QPushButton** marks[] = {&Option4, &Option5, &Option6, &Option7, &Option8};
        *labels[i - 1] = label;
        *boxes[i - 1] = box;
        *marks[i - 1] = mark;
    }

    Label2[1] = makeLetter(Frame4, QStringLiteral("Label2(1)"), QStringLiteral("E"),
                           ui::twips(120, 4740, 495, 615));
    Label9 = ui::label(Frame4, QStringLiteral("Label9"), QStringLiteral("Explanation"),
                       ui::twips(720, 4620, 1215, 255));
    txtExplain = makeTextBox(Frame4, QStringLiteral("txtExplain"), ui::twips(720, 4860, 8475, 855));
    ui::labelFor(Label9, txtExplain);
    txtExplain->setMaxLength(500);
    ui::setBackColor(txtExplain, kLightGrey);

    Frame1 = new QGroupBox(this);
    ui::name(Frame1, QStringLiteral("Frame1"));
    ui::readAs(Frame1, QStringLiteral("Questions"));
    Frame1->setGeometry(ui::twips(120, 5940, 6615, 855));
    Command7 = makeButton(Frame1, QStringLiteral("Command7"), QStringLiteral("<<"),
                          ui::twips(120, 240, 615, 495));
    Command7->setToolTip(QStringLiteral("Go to first question"));
    Command3 = makeButton(Frame1, QStringLiteral("Command3"), QStringLiteral("< Back"),
                          ui::twips(780, 240, 1095, 495));
    Command4 = makeButton(Frame1, QStringLiteral("Command4"), QStringLiteral("Save"),
                          ui::twips(1920, 240, 1095, 495));
    Command1 = makeButton(Frame1, QStringLiteral("Command1"), QStringLiteral("Next >"),
                          ui::twips(3060, 240, 1095, 495));
    Command8 = makeButton(Frame1, QStringLiteral("Command8"), QStringLiteral(">>"),
                          ui::twips(4200, 240, 615, 495));
    Command8->setToolTip(QStringLiteral("go to last question"));
    lblQuestionNumber = new QLabel(Frame1);
    lblQuestionNumber->setTextFormat(Qt::PlainText);
    ui::name(lblQuestionNumber, QStringLiteral("lblQuestionNumber"));
    lblQuestionNumber->setGeometry(ui::twips(4980, 180, 1455, 615));
    lblQuestionNumber->setFont(ui::font(QStringLiteral("Arial"), 20, true));
    ui::setBackColor(lblQuestionNumber, kWhite);

    // The keyboard goes through a question as it reads: the text, its kind, the
    // choices each with its mark, the explanation, the moves, then the window.
    QWidget* const tabOrder[] = {txtQuestion, Option1,  Option3,    Option2,  txtChoice1, Option4,
                                 txtChoice2,  Option5,  txtChoice3, Option6,  txtChoice4, Option7,
                                 txtChoice5,  Option8,  txtExplain, Command7, Command3,   Command4,
                                 Command1,    Command8, Command5,   Command2};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i)
        QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);

    connect(Option1, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            Option1_Click();
    });
    connect(Option2, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            Option2_Click();
    });
    connect(Option3, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            Option3_Click();
    });
    connect(Option4, &QPushButton::clicked, this, &QuestionEditor::Option4_Click);
    connect(Option5, &QPushButton::clicked, this, &QuestionEditor::Option5_Click);
    connect(Option6, &QPushButton::clicked, this, &QuestionEditor::Option6_Click);
    connect(Option7, &QPushButton::clicked, this, &QuestionEditor::Option7_Click);
    connect(Option8, &QPushButton::clicked, this, &QuestionEditor::Option8_Click);
    connect(Command1, &QPushButton::clicked, this, &QuestionEditor::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &QuestionEditor::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &QuestionEditor::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &QuestionEditor::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &QuestionEditor::Command5_Click);
    connect(Command7, &QPushButton::clicked, this, &QuestionEditor::Command7_Click);
    connect(Command8, &QPushButton::clicked, this, &QuestionEditor::Command8_Click);
}

// ---- Controls by number

MultiLineTextBox* QuestionEditor::choiceBox(int i) const {
    MultiLineTextBox* const boxes[] = {txtChoice1, txtChoice2, txtChoice3, txtChoice4, txtChoice5};
    return boxes[i - 1];
}

QPushButton* QuestionEditor::correctButton(int i) const {
    QPushButton* const marks[] = {Option4, Option5, Option6, Option7, Option8};
    return marks[i - 1];
}

QLabel* QuestionEditor::choiceLabel(int i) const {
    QLabel* const labels[] = {Label4, Label5, Label6, Label7, Label8};
    return labels[i - 1];
}

int QuestionEditor::currentQuestion() const {
    return static_cast<int>(rules::roundHalfEven(rules::leadingNumber(lblQuestionNumber->text())));
}

// ---- Shared procedures

void QuestionEditor::ClearQuestionBoxes() {
    txtQuestion->setText(QString());
    for (int i = 1; i <= 5; ++i)
        choiceBox(i)->setText(QString());
    txtExplain->setText(QString());
}

void QuestionEditor::ResetChoiceRows() {
    for (int i = 1; i <= 5; ++i) {
        correctButton(i)->setEnabled(true);
        correctButton(i)->show();
        MultiLineTextBox* box = choiceBox(i);
        box->setLocked(false);
        box->setEnabled(true);
        box->setText(QString());
        box->show();
        choiceLabel(i)->show();
    }
    ui::resetTabStops(m_correctGroup->buttons());
}

void QuestionEditor::ClearCorrectMarks() {
    for (int i = 1; i <= 5; ++i)
        ui::setBackColor(choiceBox(i), kWhite);
}

void QuestionEditor::markCorrect(int i) {
    ClearCorrectMarks();
    ui::setBackColor(choiceBox(i), kCorrectGreen);
}

void QuestionEditor::selectCorrect(int i) {
    correctButton(i)->setChecked(true);
    ui::resetTabStops(m_correctGroup->buttons());
}

void QuestionEditor::selectKind(QRadioButton* option) {
    // Selecting from code must not run the kind's layout a second time.
    const QSignalBlocker block(option);
    option->setChecked(true);
    ui::resetTabStops({Option1, Option3, Option2});
}

// ---- Layouts of the three kinds

void QuestionEditor::Option1_Click() {
    ResetChoiceRows();
    selectKind(Option1);
    Option4_Click();
    selectCorrect(1);
    for (int i = 3; i <= 5; ++i) {
        choiceBox(i)->setEnabled(false);
        choiceBox(i)->hide();
        choiceLabel(i)->hide();
        correctButton(i)->setEnabled(false);
        correctButton(i)->hide();
    }
    txtChoice1->setText(QStringLiteral("TRUE"));
    txtChoice2->setText(QStringLiteral("FALSE"));
    txtChoice1->setLocked(true);
    txtChoice2->setLocked(true);
}

void QuestionEditor::Option2_Click() {
    ResetChoiceRows();
    Option4_Click();
    for (int i = 2; i <= 5; ++i) {
        choiceBox(i)->hide();
        correctButton(i)->hide();
        choiceLabel(i)->hide();
    }
    txtChoice1->setText(QString());
    selectCorrect(1);
    txtChoice1->setLocked(false);
    selectKind(Option2);
}

void QuestionEditor::Option3_Click() {
    ResetChoiceRows();
    selectKind(Option3);
}

void QuestionEditor::Option4_Click() {
    markCorrect(1);
}
void QuestionEditor::Option5_Click() {
    markCorrect(2);
}
void QuestionEditor::Option6_Click() {
    markCorrect(3);
}
void QuestionEditor::Option7_Click() {
    markCorrect(4);
}
void QuestionEditor::Option8_Click() {
    markCorrect(5);
}

// ---- Records

std::optional<int> QuestionEditor::recordCount() {
    const IoResult<std::int16_t> n = shared::testRecordCount(shared::testPath);
    if (!n) {
        platform::msgBox(
            n.status().message(QStringLiteral("The questions could not be counted in")));
        return std::nullopt;
    }
    return *n;
}

bool QuestionEditor::LoadQuestion(int n) {
    const IoStatus st = shared::loadTestRecord(shared::testPath, n);
    if (!st) {
        platform::msgBox(st.message(QStringLiteral("The question could not be read from")));
        return false;
    }
    const TestRecord& rec = shared::testRecord;
    // The number comes from the record's place: a stored number that says
    // otherwise (a file changed elsewhere) would send the next save astray.
    lblQuestionNumber->setText(QString::number(n - 1));
    txtExplain->setText(ui::shownText(rec.text(TestRecord::Explanation)));
    if (const auto kind = authoring::storedKind(rec)) {
        switch (*kind) {
        case authoring::QuestionKind::TrueFalse:
            Option1_Click();
            break;
        case authoring::QuestionKind::Typed:
            Option2_Click();
            break;
        case authoring::QuestionKind::Multiple:
            Option3_Click();
            break;
        }
    }
    for (int i = 1; i <= 5; ++i)
        choiceBox(i)->setText(ui::shownText(rec.text(TestRecord::choice(i))));
    if (const int correct = authoring::storedCorrectChoice(rec)) {
        markCorrect(correct);
        selectCorrect(correct);
    }
    txtQuestion->setText(ui::shownText(rec.text(TestRecord::QuestionText)));
    return true;
}

bool QuestionEditor::SaveQuestion(int n) {
    if (n < 2 || n > kLastRecord)
        return false;
    authoring::Question q;
    q.kind = Option3->isChecked()   ? authoring::QuestionKind::Multiple
             : Option2->isChecked() ? authoring::QuestionKind::Typed
                                    : authoring::QuestionKind::TrueFalse;
    q.text = txtQuestion->text();
    for (int i = 1; i <= 5; ++i)
        q.choices[static_cast<std::size_t>(i - 1)] = choiceBox(i)->text();
    q.explanation = txtExplain->text();
    q.correct = m_correctGroup->checkedId() > 0 ? m_correctGroup->checkedId() : 0;
    authoring::storeQuestion(shared::testRecord, n - 1, q);
    const IoStatus st = shared::writeTestRecord(shared::testPath, n, shared::testRecord);
    if (!st) {
        // The question stays on screen, so the author can try again.
        platform::msgBox(st.message(QStringLiteral("The question could not be saved to")));
        return false;
    }
    return true;
}

bool QuestionEditor::saveAndClear(int k) {
    if (!SaveQuestion(k + 1))
        return false;
    ResetChoiceRows();
    ClearQuestionBoxes();
    return true;
}

// ---- Events

void QuestionEditor::onActivated() {
    centerOnScreen();
    setWindowTitle(QStringLiteral("Building ") + shared::testPath);
    lblQuestionNumber->setText(QStringLiteral("1"));
    ClearQuestionBoxes();
    Option1_Click();
    const auto count = recordCount();
    if (count && *count > 1)
        LoadQuestion(2);
    txtQuestion->setFocus();
}

void QuestionEditor::Command1_Click() {
    const int k = currentQuestion();
    if (k >= shared::kMaxQuestions) {
        // The last question a test can hold: save it and stay.
        if (SaveQuestion(k + 1))
            platform::msgBox(QStringLiteral("A test can hold at most 32,766 questions."));
        return;
    }
    if (!SaveQuestion(k + 1))
        return;
    lblQuestionNumber->setText(rules::numberText(static_cast<long long>(k + 1)));
    ResetChoiceRows();
    ClearQuestionBoxes();
    const auto count = recordCount();
    if (count && k + 2 <= *count) {
        LoadQuestion(k + 2);
    } else if (!Option3->isChecked()) {
        Option3_Click();
    }
    txtQuestion->setFocus();
}

void QuestionEditor::Command3_Click() {
    const int k = currentQuestion();
    if (k <= 1)
        return;
    if (!saveAndClear(k))
        return;
    LoadQuestion(k);
    txtQuestion->setFocus();
}

void QuestionEditor::Command7_Click() {
    const int k = currentQuestion();
    if (k <= 1)
        return;
    if (!saveAndClear(k))
        return;
    LoadQuestion(2);
    txtQuestion->setFocus();
}

void QuestionEditor::Command8_Click() {
    if (!saveAndClear(currentQuestion()))
        return;
    const auto count = recordCount();
    if (count)
        LoadQuestion(std::min(*count, kLastRecord));
    txtQuestion->setFocus();
}

void QuestionEditor::Command4_Click() {
    SaveQuestion(currentQuestion() + 1);
}

void QuestionEditor::Command2_Click() {
    hideWindow();
}

void QuestionEditor::Command5_Click() {
    // What the author typed is saved before the properties take over; the
    // editor comes back at question 1.
    if (!SaveQuestion(currentQuestion() + 1))
        return;
    PropertiesWindow::openFor(shared::testPath);
}
