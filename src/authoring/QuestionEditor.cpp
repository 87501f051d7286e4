#include "QuestionEditor.h"

#include "Controls.h"
#include "Layout.h"
#include "MultiLineTextBox.h"
#include "OptionWalk.h"
#include "Pictures.h"
#include "PropertiesWindow.h"
#include "Services.h"
#include "SharedState.h"
#include "Spoken.h"
#include "TextRules.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

using storage::QuestionKind;

namespace {

const QColor kLightYellow = platform::ui::rgb(255, 255, 192);
const QColor kLightGrey = platform::ui::rgb(224, 224, 224);
const QColor kCorrectGreen = platform::ui::rgb(200, 255, 200);
const QColor kWhite = platform::ui::rgb(255, 255, 255);

// The highest record a test file can have: its count is a 16-bit number.
constexpr int kLastRecord = storage::kMaxQuestions + 1;

struct KindButton {
    QuestionKind kind;
    const char* name;
    const char* caption;
};
// Top to bottom in their frame.
constexpr KindButton kKinds[] = {
    {QuestionKind::TrueFalse, "Option1", QT_TRANSLATE_NOOP("QuestionEditor", "True/False")},
    {QuestionKind::Multiple, "Option3", QT_TRANSLATE_NOOP("QuestionEditor", "Multiple Choice")},
    {QuestionKind::Typed, "Option2", QT_TRANSLATE_NOOP("QuestionEditor", "Typed Answer")}};

std::size_t kindIndex(QuestionKind kind) {
    std::size_t i = 0;
    while (kKinds[i].kind != kind)
        ++i;
    return i;
}

// The large "Q", "A" and "E" down the left of the question.
void makeLetter(QWidget* parent, const QString& name, const QString& letter, QRect where) {
    auto* l = platform::ui::label(parent, name, letter, where);
    l->setFont(platform::ui::font(QStringLiteral("Times New Roman"), 24, true));
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, QRect where,
                        bool yellow = true) {
    auto* b = platform::ui::button(parent, name, caption, where);
    if (yellow)
        platform::ui::setBackColor(b, kLightYellow);
    return b;
}

MultiLineTextBox* makeTextBox(QWidget* parent, const QString& name, QRect where) {
    auto* t = new MultiLineTextBox(parent);
    platform::ui::name(t, name);
    platform::ui::place(t, where);
    return t;
}

QGroupBox* makeFrame(QWidget* parent, const QString& name, const QString& spokenName, QRect where) {
    auto* frame = new QGroupBox(parent);
    platform::ui::name(frame, name);
    platform::ui::readAs(frame, spokenName);
    platform::ui::place(frame, where);
    return frame;
}

} // namespace

QuestionEditor::QuestionEditor() {
    platform::ui::name(this, QStringLiteral("frmTestBuild"));
    setWindowTitle(tr("Building TEST"));
    setFont(platform::ui::defaultFont());
    setGivenSize(platform::ui::px(9615), platform::ui::px(6855));

    QPushButton* done = makeButton(this, QStringLiteral("Command2"), tr("&Done"),
                                   platform::ui::twips(8520, 6120, 975, 495), false);
    QPushButton* properties =
        makeButton(this, QStringLiteral("Command5"), tr("Edit test properties"),
                   platform::ui::twips(6840, 6120, 1575, 495));
    makeQuestionFrame();
    const QList<QWidget*> moves = makeMovesFrame();

    // The keyboard goes through a question as it reads: the text, its kind, the
    // choices each with its mark, the explanation, the moves, then the window.
    QList<QWidget*> tabOrder = {m_questionBox};
    tabOrder.append({m_kindButtons.begin(), m_kindButtons.end()});
    for (const ChoiceRow& row : m_choices)
        tabOrder.append({row.box, row.correctButton});
    tabOrder.append(m_explanationBox);
    tabOrder.append(moves);
    tabOrder.append({properties, done});
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);

    connect(done, &QPushButton::clicked, this, &QuestionEditor::onDone);
    connect(properties, &QPushButton::clicked, this, &QuestionEditor::onEditProperties);
}

void QuestionEditor::makeQuestionFrame() {
    QGroupBox* frame = makeFrame(this, QStringLiteral("Frame4"), tr("Question"),
                                 platform::ui::twips(120, 60, 9375, 5895));
    makeLetter(frame, QStringLiteral("Label3"), tr("Q"), platform::ui::twips(120, 240, 495, 615));
    m_questionBox = makeTextBox(frame, QStringLiteral("txtQuestion"),
                                platform::ui::twips(720, 240, 6255, 1215));
    platform::ui::readAs(m_questionBox, tr("Question"));
    m_questionBox->setMaxLength(storage::TestRecord::QuestionText.width);
    platform::ui::setBackColor(m_questionBox, kLightGrey);

    makeKindFrame(frame);
    makeLetter(frame, QStringLiteral("Label2(0)"), tr("A"),
               platform::ui::twips(120, 1740, 495, 615));
    makeChoiceRows(frame);
    makeLetter(frame, QStringLiteral("Label2(1)"), tr("E"),
               platform::ui::twips(120, 4740, 495, 615));
    makeExplanation(frame);
}

void QuestionEditor::makeKindFrame(QGroupBox* questionFrame) {
    QGroupBox* frame = makeFrame(questionFrame, QStringLiteral("Frame2"), tr("Kind of question"),
                                 platform::ui::twips(7080, 120, 2175, 1335));
    // The three plain buttons lie behind the kind buttons, as their backing.
    for (int i = 0; i < 3; ++i) {
        auto* backing = new QPushButton(frame);
        platform::ui::name(backing, QStringLiteral("Command6(%1)").arg(i));
        platform::ui::readAs(backing, tr(kKinds[i].caption));
        platform::ui::place(backing, platform::ui::twips(90, 210 + i * 360, 1995, 345));
        backing->setFocusPolicy(Qt::NoFocus);
        backing->setAccessibleDescription(tr("background"));
    }
    for (int i = 0; i < 3; ++i) {
        const KindButton& k = kKinds[i];
        auto* option = new QRadioButton(tr(k.caption), frame);
        platform::ui::name(option, QLatin1String(k.name));
        platform::ui::place(option, platform::ui::twips(180, 255 + i * 360, 1815, 255));
        option->raise();
        connect(option, &QRadioButton::toggled, this, [this, kind = k.kind](bool on) {
            if (on)
                onKindChosen(kind);
        });
        m_kindButtons[static_cast<std::size_t>(i)] = option;
    }
    m_kindWalk = platform::ui::OptionWalk::install({m_kindButtons.begin(), m_kindButtons.end()});
}

void QuestionEditor::makeChoiceRows(QGroupBox* questionFrame) {
    m_correctGroup = new QButtonGroup(this);
    m_correctGroup->setExclusive(true);
    const QIcon tick(QPixmap::fromImage(platform::pictures::tick()));
    for (int i = 1; i <= 5; ++i) {
        ChoiceRow& row = m_choices[static_cast<std::size_t>(i - 1)];
        const int top = 1620 + (i - 1) * 600;
        const QString caption = tr("Choice%1").arg(i);
        row.label = platform::ui::label(questionFrame, QStringLiteral("Label%1").arg(i + 3),
                                        caption, platform::ui::twips(720, top + 120, 855, 255));
        row.box = makeTextBox(questionFrame, QStringLiteral("txtChoice%1").arg(i),
                              platform::ui::twips(1620, top, 6855, 525));
        platform::ui::labelFor(row.label, row.box);
        row.box->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        platform::ui::setBackColor(row.box, kWhite);
        row.correctButton = makeButton(questionFrame, QStringLiteral("Option%1").arg(i + 3),
                                       QString(), platform::ui::twips(8580, top, 615, 525));
        platform::ui::readAs(row.correctButton, tr("%1 is correct").arg(caption));
        row.correctButton->setCheckable(true);
        row.correctButton->setIcon(tick);
        m_correctGroup->addButton(row.correctButton, i);
    }
    connect(m_correctGroup, &QButtonGroup::idClicked, this, &QuestionEditor::onMarkedCorrect);
    m_correctWalk = platform::ui::OptionWalk::install(m_correctGroup->buttons());
}

void QuestionEditor::makeExplanation(QGroupBox* questionFrame) {
    QLabel* caption =
        platform::ui::label(questionFrame, QStringLiteral("Label9"), tr("Explanation"),
                            platform::ui::twips(720, 4620, 1215, 255));
    m_explanationBox = makeTextBox(questionFrame, QStringLiteral("txtExplain"),
                                   platform::ui::twips(720, 4860, 8475, 855));
    platform::ui::labelFor(caption, m_explanationBox);
    m_explanationBox->setMaxLength(storage::TestRecord::Explanation.width);
    platform::ui::setBackColor(m_explanationBox, kLightGrey);
}

QList<QWidget*> QuestionEditor::makeMovesFrame() {
    struct Move {
        const char* name;
        const char* caption;
        int left, width;
        const char* toolTip;
        void (QuestionEditor::*handler)();
    };
    const Move moves[] = {
        {"Command7", "<<", 120, 615, QT_TR_NOOP("Go to first question"), &QuestionEditor::onFirst},
        {"Command3", QT_TR_NOOP("< Back"), 780, 1095, nullptr, &QuestionEditor::onBack},
        {"Command4", QT_TR_NOOP("Save"), 1920, 1095, nullptr, &QuestionEditor::onSave},
        {"Command1", QT_TR_NOOP("Next >"), 3060, 1095, nullptr, &QuestionEditor::onNext},
        {"Command8", ">>", 4200, 615, QT_TR_NOOP("go to last question"), &QuestionEditor::onLast}};

    QGroupBox* frame = makeFrame(this, QStringLiteral("Frame1"), tr("Questions"),
                                 platform::ui::twips(120, 5940, 6615, 855));
    QList<QWidget*> buttons;
    for (const Move& m : moves) {
        QPushButton* b = makeButton(frame, QLatin1String(m.name), tr(m.caption),
                                    platform::ui::twips(m.left, 240, m.width, 495));
        if (m.toolTip)
            b->setToolTip(tr(m.toolTip));
        connect(b, &QPushButton::clicked, this, m.handler);
        buttons.append(b);
    }
    m_questionNumberLabel =
        platform::ui::label(frame, QStringLiteral("lblQuestionNumber"), QString(),
                            platform::ui::twips(4980, 180, 1455, 615));
    m_questionNumberLabel->setFont(platform::ui::font(QStringLiteral("Arial"), 20, true));
    platform::ui::setBackColor(m_questionNumberLabel, kWhite);
    return buttons;
}

void QuestionEditor::setCurrentQuestion(int k, NumberStyle style) {
    m_currentQuestion = k;
    m_questionNumberLabel->setText(style == NumberStyle::LeadingBlank
                                       ? storage::rules::numberText(static_cast<long long>(k))
                                       : QString::number(k));
    // The window is read as "Questions. 2": said as the number moves on, and
    // already right when the window comes back from the properties.
    platform::spoken::describeAndSay(
        this, {m_questionNumberLabel->parentWidget(), m_questionNumberLabel});
}

// ---- The screen

void QuestionEditor::clearQuestionBoxes() {
    m_questionBox->setText(QString());
    for (const ChoiceRow& row : m_choices)
        row.box->setText(QString());
    m_explanationBox->setText(QString());
}

void QuestionEditor::resetChoiceRows() {
    for (const ChoiceRow& row : m_choices) {
        row.correctButton->setEnabled(true);
        row.correctButton->show();
        row.box->setLocked(false);
        row.box->setEnabled(true);
        row.box->setText(QString());
        row.box->show();
        row.label->show();
    }
    m_correctWalk->resetTabStops();
}

void QuestionEditor::hideChoice(int i) {
    choice(i).box->hide();
    choice(i).correctButton->hide();
    choice(i).label->hide();
}

void QuestionEditor::onMarkedCorrect(int i) {
    for (const ChoiceRow& row : m_choices)
        platform::ui::setBackColor(row.box, kWhite);
    platform::ui::setBackColor(choice(i).box, kCorrectGreen);
}

void QuestionEditor::setCorrectChoice(int i) {
    onMarkedCorrect(i);
    choice(i).correctButton->setChecked(true);
    m_correctWalk->resetTabStops();
}

void QuestionEditor::selectKind(QuestionKind kind) {
    QRadioButton* option = m_kindButtons[kindIndex(kind)];
    // Selecting from code must not run the kind's layout a second time.
    const QSignalBlocker block(option);
    option->setChecked(true);
    m_kindWalk->resetTabStops();
}

QuestionKind QuestionEditor::chosenKind() const {
    for (std::size_t i = 0; i < m_kindButtons.size(); ++i)
        if (m_kindButtons[i]->isChecked())
            return kKinds[i].kind;
    return QuestionKind::TrueFalse;
}

void QuestionEditor::onKindChosen(QuestionKind kind) {
    resetChoiceRows();
    selectKind(kind);
    switch (kind) {
    case QuestionKind::TrueFalse:
        setCorrectChoice(1);
        for (int i = 3; i <= 5; ++i) {
            choice(i).box->setEnabled(false);
            choice(i).correctButton->setEnabled(false);
            hideChoice(i);
        }
        choice(1).box->setText(QStringLiteral("TRUE"));
        choice(2).box->setText(QStringLiteral("FALSE"));
        choice(1).box->setLocked(true);
        choice(2).box->setLocked(true);
        break;
    case QuestionKind::Typed:
        setCorrectChoice(1);
        for (int i = 2; i <= 5; ++i)
            hideChoice(i);
        break;
    case QuestionKind::Multiple:
        break;
    }
}

// ---- Records

std::optional<int> QuestionEditor::recordCount() {
    const storage::IoResult<std::int16_t> n =
        storage::shared::testRecordCount(storage::shared::testPath);
    if (!n) {
        platform::msgBox(n.status().message(tr("The questions could not be counted in")));
        return std::nullopt;
    }
    return *n;
}

bool QuestionEditor::loadRecord(int n) {
    storage::IoResult<storage::TestRecord> read =
        storage::shared::readTestRecord(storage::shared::testPath, n);
    if (!read) {
        platform::msgBox(read.status().message(tr("The question could not be read from")));
        return false;
    }
    m_record = *std::move(read);
    const storage::TestRecord& rec = m_record;
    // The number comes from the record's place: a stored number that says
    // otherwise (a file changed elsewhere) would send the next save astray.
    setCurrentQuestion(n - 1);
    m_explanationBox->setText(platform::ui::shownText(rec.text(storage::TestRecord::Explanation)));
    if (const auto kind = storage::storedKind(rec))
        onKindChosen(*kind);
    for (int i = 1; i <= 5; ++i)
        choice(i).box->setText(platform::ui::shownText(rec.text(storage::TestRecord::choice(i))));
    if (const int correct = storage::storedCorrectChoice(rec))
        setCorrectChoice(correct);
    m_questionBox->setText(platform::ui::shownText(rec.text(storage::TestRecord::QuestionText)));
    return true;
}

bool QuestionEditor::saveRecord(int n) {
    if (n < 2 || n > kLastRecord)
        return false;
    storage::Question q;
    q.kind = chosenKind();
    q.text = m_questionBox->text();
    for (int i = 1; i <= 5; ++i)
        q.choices[static_cast<std::size_t>(i - 1)] = choice(i).box->text();
    q.explanation = m_explanationBox->text();
    q.correct = m_correctGroup->checkedId() > 0 ? m_correctGroup->checkedId() : 0;
    storage::storeQuestion(m_record, n - 1, q);
    const storage::IoStatus st =
        storage::shared::writeTestRecord(storage::shared::testPath, n, m_record);
    if (!st) {
        // The question stays on screen, so the author can try again.
        platform::msgBox(st.message(tr("The question could not be saved to")));
        return false;
    }
    return true;
}

bool QuestionEditor::saveAndClear(int k) {
    if (!saveRecord(k + 1))
        return false;
    resetChoiceRows();
    clearQuestionBoxes();
    return true;
}

void QuestionEditor::goToQuestion(int q) {
    if (!saveAndClear(currentQuestion()))
        return;
    loadRecord(q + 1);
    m_questionBox->setFocus();
}

// ---- Events

void QuestionEditor::editTest(const storage::TestRecord& header) {
    m_record = header;
    showModal();
}

void QuestionEditor::onActivated() {
    centerOnScreen();
    setWindowTitle(tr("Building ") + storage::shared::testPath);
    setCurrentQuestion(1);
    clearQuestionBoxes();
    onKindChosen(QuestionKind::TrueFalse);
    const auto count = recordCount();
    if (count && *count > 1)
        loadRecord(2);
    m_questionBox->setFocus();
}

void QuestionEditor::onNext() {
    const int k = currentQuestion();
    if (k >= storage::kMaxQuestions) {
        // The last question a test can hold: save it and stay.
        if (saveRecord(k + 1))
            platform::msgBox(tr("A test can hold at most 32,766 questions."));
        return;
    }
    if (!saveRecord(k + 1))
        return;
    setCurrentQuestion(k + 1, NumberStyle::LeadingBlank);
    resetChoiceRows();
    clearQuestionBoxes();
    const auto count = recordCount();
    if (count && k + 2 <= *count) {
        loadRecord(k + 2);
    } else if (chosenKind() != QuestionKind::Multiple) {
        onKindChosen(QuestionKind::Multiple);
    }
    m_questionBox->setFocus();
}

void QuestionEditor::onBack() {
    const int k = currentQuestion();
    if (k > 1)
        goToQuestion(k - 1);
}

void QuestionEditor::onFirst() {
    if (currentQuestion() > 1)
        goToQuestion(1);
}

void QuestionEditor::onLast() {
    if (!saveAndClear(currentQuestion()))
        return;
    const auto count = recordCount();
    if (count)
        loadRecord(std::min(*count, kLastRecord));
    m_questionBox->setFocus();
}

void QuestionEditor::onSave() {
    saveRecord(currentQuestion() + 1);
}

void QuestionEditor::onDone() {
    hideWindow();
}

void QuestionEditor::onEditProperties() {
    // What the author typed is saved before the properties take over; the
    // editor comes back at question 1.
    if (!saveRecord(currentQuestion() + 1))
        return;
    PropertiesWindow::openFor(storage::shared::testPath);
}
