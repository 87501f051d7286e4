#include "TestRunWindow.h"

#include "Controls.h"
#include "DetailedFeedbackWindow.h"
#include "IntroductionWindow.h"
#include "Layout.h"
#include "OptionWalk.h"
#include "Question.h"
#include "QuestionCountWindow.h"
#include "ScoreLog.h"
#include "Services.h"
#include "SharedState.h"
#include "ShortFeedbackWindow.h"
#include "TextRules.h"

#include <algorithm>
#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using storage::IoResult;
using storage::IoStatus;
using storage::rightTrimmed;
using storage::TestRecord;

namespace {
QFont arial(bool bold = false) {
    return platform::ui::font(QStringLiteral("Arial"), 9.75, bold);
}

QLabel* makeLabel(QWidget* parent, const QString& controlName, const QRect& geometry,
                  const QFont& font) {
    QLabel* label = platform::ui::label(parent, controlName, QString(), geometry);
    label->setFont(font);
    return label;
}

// The "Q" and "A" beside the question and the answers.
void makeBadge(QWidget* parent, const QString& controlName, const QString& letter,
               const QRect& geometry) {
    QLabel* badge = makeLabel(parent, controlName, geometry,
                              platform::ui::font(QStringLiteral("Times New Roman"), 24, true));
    badge->setText(letter);
    badge->setAlignment(Qt::AlignCenter);
    platform::ui::setBackColor(badge, platform::ui::standardColor(4));
    platform::ui::setForeColor(badge, platform::ui::rgb(255, 255, 192));
}

void makeBox(QWidget* parent, const QString& controlName, const QString& spokenName,
             const QRect& geometry) {
    auto* box = new QFrame(parent);
    platform::ui::name(box, controlName);
    platform::ui::readAs(box, spokenName);
    box->setFrameShape(QFrame::Box);
    platform::ui::place(box, geometry);
}

// The option buttons' tops and the answer texts' tops, row by row, in twips.
// Each option then stands beside its answer's first line, wherever that moves.
constexpr std::array<std::pair<int, int>, 5> kRowTops = {
    {{2040, 2055}, {2760, 2775}, {3360, 3480}, {4080, 4200}, {4800, 4935}}};

// The background behind a control's text, leaving the rest of its look alone
// (an option button's circle keeps its own colour).
void setBackground(QWidget* w, const QColor& color) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, color);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void unselect(QRadioButton* button) {
    // An exclusive option cannot be switched off directly.
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(true);
}
} // namespace

TestRunWindow::TestRunWindow() {
    platform::ui::name(this, QStringLiteral("frmTakeTest"));
    setEscapeCloses(true);
    setWindowTitle(tr("Taking Test >> "));
    setFont(platform::ui::defaultFont());
    setGivenSize(platform::ui::px(11385), platform::ui::px(6615));
    buildQuestionArea();
    buildAnswerArea();
    buildBottomLine();

    m_clockTimer = new QTimer(this);
    m_clockTimer->setObjectName(QStringLiteral("Timer1"));
    m_clockTimer->setInterval(1000);
    connect(m_clockTimer, &QTimer::timeout, this, &TestRunWindow::onClockTick);
}

// The counter and the clock on the top line, and the question in its panel.
void TestRunWindow::buildQuestionArea() {
    m_counter = makeLabel(this, QStringLiteral("Label1"), platform::ui::twips(120, 120, 3375, 255),
                          arial(true));
    m_clockLabel = makeLabel(this, QStringLiteral("lblElapsedTime"),
                             platform::ui::twips(7320, 120, 3975, 255), arial());
    m_clockLabel->setText(tr("Elapsed Time: "));
    m_clockLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    QLabel* panel = makeLabel(this, QStringLiteral("Label3"),
                              platform::ui::twips(120, 480, 9855, 1215), arial());
    platform::ui::setBackColor(panel, platform::ui::standardColor(15));
    makeBadge(this, QStringLiteral("Label4"), tr("Q"), platform::ui::twips(120, 480, 855, 1215));
    m_question = makeLabel(this, QStringLiteral("lblQuestion"),
                           platform::ui::twips(1080, 600, 8745, 975), arial());
    // Each question takes the focus when it is shown, so that a screen reader
    // reads it; Tab goes on to its answers.
    m_question->setFocusPolicy(Qt::StrongFocus);
    m_question->installEventFilter(this);
    m_question->setWordWrap(true);
    m_question->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    platform::ui::setBackColor(m_question, platform::ui::standardColor(15));
}

void TestRunWindow::buildAnswerArea() {
    const QRect area = platform::ui::twips(960, 1920, 9015, 3735);
    makeBox(this, QStringLiteral("Shape2"), tr("Answer area"), area);
    makeBadge(this, QStringLiteral("Label5"), tr("A"), platform::ui::twips(120, 1920, 855, 3735));
    m_answerRows = new QWidget(this);
    platform::ui::name(m_answerRows, QStringLiteral("AnswerRows"));
    platform::ui::readAs(m_answerRows, tr("Answers"));
    platform::ui::place(m_answerRows, area);
    buildAnswerRows();
}

void TestRunWindow::buildAnswerRows() {
    // The rows' places are given in the window's coordinates.
    const QPoint origin = m_answerRows->pos();
    QList<QAbstractButton*> options;
    for (std::size_t row = 0; row < m_rows.size(); ++row) {
        const QChar letter(QLatin1Char(static_cast<char>('A' + row)));
        const auto [optionTop, textTop] = kRowTops[row];
        auto* option = new QRadioButton(m_answerRows);
        platform::ui::name(option, QStringLiteral("answer") + letter);
        platform::ui::place(option,
                            platform::ui::twips(1080, optionTop, 255, 255).translated(-origin));
        QLabel* text =
            makeLabel(m_answerRows, QStringLiteral("label") + letter,
                      platform::ui::twips(1440, textTop, 8415, 615).translated(-origin), arial());
        text->setWordWrap(true);
        text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        text->installEventFilter(this);
        platform::ui::besideFirstLine(option, text);
        m_rows[row] = {option, text};
        options << option;
    }
    m_optionWalk = platform::ui::OptionWalk::install(options);
    m_typedAnswer = new QLineEdit(m_answerRows);
    platform::ui::name(m_typedAnswer, QStringLiteral("txtANswer"));
    platform::ui::readAs(m_typedAnswer, tr("Answer"));
    m_typedAnswer->setFont(arial());
    platform::ui::place(m_typedAnswer,
                        platform::ui::twips(1440, 2040, 8415, 375).translated(-origin));
    m_typedAnswer->hide();
}

// "&Next" at the right; printing, the score and the exit on the bottom line.
void TestRunWindow::buildBottomLine() {
    QPushButton* next = platform::ui::button(this, QStringLiteral("Command1"), tr("&Next"),
                                             platform::ui::twips(10080, 480, 1215, 5175));
    next->setDefault(true);
    QPushButton* print =
        platform::ui::button(this, QStringLiteral("Command3"), tr("&Print Question"),
                             platform::ui::twips(120, 5880, 2415, 645));

    m_scoreLabel = makeLabel(this, QStringLiteral("lblScore"),
                             platform::ui::twips(2640, 5865, 6135, 360), arial());
    m_scoreLabel->setText(tr("Score: "));
    m_scoreLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    makeBox(this, QStringLiteral("Shape1"), tr("Score bar border"),
            platform::ui::twips(2760, 6105, 5925, 390));
    m_scoreBar = new QFrame(this);
    platform::ui::name(m_scoreBar, QStringLiteral("scoreBar"));
    platform::ui::readAs(m_scoreBar, tr("Score bar"));
    platform::ui::setBackColor(m_scoreBar, platform::ui::standardColor(1));
    platform::ui::place(m_scoreBar, QRect(platform::ui::px(2790), platform::ui::px(6135), 0,
                                          platform::ui::px(330)));

    QPushButton* exit = platform::ui::button(this, QStringLiteral("Command2"), tr("E&xit Test"),
                                             platform::ui::twips(8880, 5880, 2415, 645));
    m_backColor = palette().color(QPalette::Window);

    connect(next, &QPushButton::clicked, this, &TestRunWindow::onNext);
    connect(exit, &QPushButton::clicked, this, &TestRunWindow::onExitTest);
    connect(print, &QPushButton::clicked, this, &TestRunWindow::printQuestion);
}

// ---- Start-up

void TestRunWindow::onActivated() {
    // Every later activation (the introduction closing, a feedback window
    // closing) leaves the run alone.
    if (m_runStarted)
        return;
    m_runStarted = true;
    startRun();
}

void TestRunWindow::startRun() {
    centerOnScreen();
    m_clockTimer->start();
    // The take door has read the header, checking the test on the way.
    using storage::shared::testPath;
    m_correctFeedback = m_header.text(TestRecord::CorrectFeedback);
    m_incorrectFeedback = m_header.text(TestRecord::IncorrectFeedback);
    showIntroduction();
    resetAnswerControls();
    applyVisibility();

    const IoResult<std::int16_t> records = storage::shared::testRecordCount(testPath);
    if (!records || *records < 1) {
        endRun(taking::readTestToTake(testPath).status().message(tr("Cannot read the test")));
        return;
    }
    const int available = *records - 1;
    if (available == 0) {
        endRun(tr("This test has 0 questions!"));
        return;
    }
    m_draw = taking::RecordDraw(available);
    m_answers.clear();
    if (!chooseQuestionCount(available))
        return;
    m_answers.reserve(static_cast<std::size_t>(std::max(m_questionsToTake, 0)));
    updateScore();
}

void TestRunWindow::showIntroduction() {
    // Hidden for the introduction, yet still the modal window of the run.
    hideKeepingModal();
    WindowRegistry::get<IntroductionWindow>().showTest(
        storage::rules::testNameFromPath(storage::shared::testPath),
        m_header.text(TestRecord::Owner), storage::shared::testsDir);
    present();
}

bool TestRunWindow::chooseQuestionCount(int available) {
    const std::optional<int> chosen =
        WindowRegistry::get<QuestionCountWindow>().chooseCount(available);
    if (!chosen)
        return false;
    m_questionsToTake = *chosen;
    return true;
}

void TestRunWindow::endRun(const QString& message) {
    if (!message.isEmpty())
        platform::msgBox(message);
    m_runStarted = false;
    unload();
}

// ---- Questions

void TestRunWindow::setShown(QWidget* control, bool shown) {
    for (auto& [w, wanted] : m_visibility) {
        if (w == control) {
            wanted = shown;
            return;
        }
    }
    m_visibility.emplace_back(control, shown);
}

void TestRunWindow::applyVisibility() {
    std::vector<std::pair<QWidget*, bool>> changes;
    for (const auto& [w, shown] : m_visibility) {
        if (w->isHidden() == shown)
            changes.emplace_back(w, shown);
    }
    m_visibility.clear();
    if (changes.empty())
        return;
    // Every show (and the hide of the control under the pointer) makes the
    // toolkit ask the window system where the pointer is, one round trip
    // each. Hides alone are made directly; shows are made inside the hidden
    // holder, so that the holder's own show is the only question asked.
    if (std::none_of(changes.begin(), changes.end(), [](const auto& c) { return c.second; })) {
        for (const auto& change : changes)
            change.first->hide();
        return;
    }
    const bool rowsShown = !m_answerRows->isHidden();
    m_answerRows->hide();
    for (const auto& [w, shown] : changes)
        w->setVisible(shown);
    m_answerRows->setVisible(rowsShown);
}

void TestRunWindow::resetAnswerControls() {
    setShown(m_counter, true);
    setShown(m_question, true);
    setShown(m_typedAnswer, false);
    for (std::size_t row = 0; row < m_rows.size(); ++row) {
        setShown(m_rows[row].option, true);
        setShown(m_rows[row].text, true);
        unselect(m_rows[row].option);
        setAnswerText(row, QString());
        m_rowChoice[row] = 0;
    }
    // A question shown before may have left one option as the group's only
    // tab stop, and a row hidden now; every option is reachable again.
    m_optionWalk->resetTabStops();
    setWindowTitle(tr("[Quizdex] - TEST: ") + storage::shared::testPath + tr("     NAME: ") +
                   storage::shared::candidateName);
}

void TestRunWindow::nextQuestion() {
    m_counter->setText(taking::counterText(m_questionsAsked + 1, m_questionsToTake));
    const int record = m_draw.next();
    if (record < 2)
        return; // nothing left to draw; the run never asks for more than there is
    ++m_questionsAsked;
    IoResult<TestRecord> question = taking::readQuestionToAsk(storage::shared::testPath, record);
    if (!question) {
        endRun(question.status().message(tr("Cannot read the test")));
        return;
    }
    m_shownQuestion = *std::move(question);
    m_shownRecord = record;
    resetAnswerControls();
    m_question->setText(m_shownQuestion.text(TestRecord::QuestionText));
    // The type as stored, letter for letter; any other leaves five empty answers.
    if (const auto kind = storage::kindNamed(m_shownQuestion.text(TestRecord::QuestionType))) {
        switch (*kind) {
        case storage::QuestionKind::Multiple:
            showChoices();
            break;
        case storage::QuestionKind::TrueFalse:
            showTrueFalse();
            break;
        case storage::QuestionKind::Typed:
            showTypedAnswerBox();
            break;
        }
    }
    applyVisibility();
    m_question->setFocus(Qt::OtherFocusReason);
}

void TestRunWindow::showChoices() {
    const int arrangement = taking::drawArrangement();
    for (int choice = 1; choice <= 5; ++choice) {
        const auto row = static_cast<std::size_t>(taking::rowForChoice(arrangement, choice));
        setAnswerText(row, m_shownQuestion.fullText(TestRecord::choice(choice)));
        m_rowChoice[row] = choice;
    }
}

void TestRunWindow::showTrueFalse() {
    for (std::size_t row = 2; row < m_rows.size(); ++row) {
        setShown(m_rows[row].text, false);
        setShown(m_rows[row].option, false);
    }
    setAnswerText(0, QStringLiteral("TRUE"));
    setAnswerText(1, QStringLiteral("FALSE"));
    m_rowChoice = {1, 2, 0, 0, 0};
}

void TestRunWindow::showTypedAnswerBox() {
    for (std::size_t row = 0; row < m_rows.size(); ++row) {
        setShown(m_rows[row].text, false);
        if (row > 0)
            setShown(m_rows[row].option, false);
    }
    // The selected option only lets the check accept the typed answer: the
    // answer box is the control to reach.
    QRadioButton* first = m_rows[0].option;
    first->setChecked(true);
    first->setFocusPolicy(Qt::NoFocus);
    first->setAccessibleName(tr("Typed answer"));
    m_typedAnswer->clear();
    setShown(m_typedAnswer, true);
}

void TestRunWindow::setAnswerText(std::size_t row, const QString& text) {
    m_rows[row].text->setText(text);
    const QString spoken = rightTrimmed(platform::ui::shownText(text));
    m_rows[row].option->setAccessibleName(spoken.isEmpty() ? tr("Blank answer") : spoken);
}

// ---- Answering

void TestRunWindow::onNext() {
    const std::optional<std::size_t> row = selectedRow();
    if (!row) {
        platform::msgBox(tr("Please select an answer."));
        return;
    }
    const bool typed = storage::kindNamed(m_shownQuestion.text(TestRecord::QuestionType)) ==
                       storage::QuestionKind::Typed;
    const QString given = typed ? m_typedAnswer->text() : m_rows[*row].text->text();
    const bool correct = taking::isCorrectAnswer(
        m_shownQuestion.fullText(TestRecord::CorrectAnswer), taking::comparableAnswer(given));
    if (correct)
        ++m_correctCount;
    // Trimmed: a choice shows its whole field, blanks and all.
    m_answers.push_back({m_shownRecord, storage::answers::checksum(m_shownQuestion),
                         typed ? 0 : m_rowChoice[*row], rightTrimmed(given), correct});
    const QString& settings = correct ? m_correctFeedback : m_incorrectFeedback;
    if (taking::feedbackKind(settings) != taking::FeedbackKind::None) {
        playSound(correct ? "Correct.wav" : "wrong.wav");
        giveFeedback(correct ? tr("Correct Answer!") : tr("InCorrect Answer!"), settings);
    }
    playSound("NewQuestion.wav");
    updateScore();
}

std::optional<std::size_t> TestRunWindow::selectedRow() const {
    const auto checked = std::find_if(m_rows.begin(), m_rows.end(),
                                      [](const AnswerRow& r) { return r.option->isChecked(); });
    if (checked == m_rows.end())
        return std::nullopt;
    return static_cast<std::size_t>(checked - m_rows.begin());
}

void TestRunWindow::playSound(const char* file) const {
    if (m_soundsOn)
        platform::playSound(
            storage::shared::joinPath(storage::shared::testsDir, QLatin1String(file)));
}

void TestRunWindow::giveFeedback(const QString& verdict, const QString& settings) {
    if (taking::feedbackKind(settings) == taking::FeedbackKind::Short) {
        ShortFeedbackWindow& window = WindowRegistry::get<ShortFeedbackWindow>();
        printOnRequest(window);
        window.showVerdict(verdict);
        return;
    }
    const taking::FeedbackItems items = taking::feedbackItems(settings);
    DetailedFeedbackWindow::Feedback feedback;
    if (items.verdict)
        feedback.verdict = verdict;
    if (items.explanation)
        feedback.explanation = m_shownQuestion.text(TestRecord::Explanation);
    if (items.correctAnswer)
        feedback.correctAnswer = m_shownQuestion.text(TestRecord::CorrectAnswer);
    if (items.correctSoFar)
        feedback.correctSoFar = taking::correctSoFarText(m_correctCount);
    DetailedFeedbackWindow& window = WindowRegistry::get<DetailedFeedbackWindow>();
    printOnRequest(window);
    window.showFeedback(feedback);
}

void TestRunWindow::printOnRequest(FeedbackWindow& feedback) {
    connect(&feedback, &FeedbackWindow::printRequested, this, &TestRunWindow::printQuestion,
            Qt::UniqueConnection);
}

void TestRunWindow::updateScore() {
    const int score = storage::rules::exactPercentage(m_correctCount, m_questionsToTake);
    m_scoreLabel->setText(taking::scoreText(score));
    QRect bar = platform::ui::givenPlace(m_scoreBar);
    bar.setWidth(taking::scoreBarWidth(score));
    platform::ui::place(m_scoreBar, bar);
    m_scoreBar->setAccessibleDescription(QString::number(score) + QLatin1Char('%'));
    if (m_questionsAsked != m_questionsToTake) {
        nextQuestion();
        return;
    }
    scoring::finishRun(m_questionsToTake, m_correctCount, m_answers);
    m_runStarted = false;
    unload();
}

void TestRunWindow::onAnswerTextClicked(std::size_t row) {
    m_rows[row].option->setChecked(true);
}

// Typing while the question has the focus goes into the answer box.
bool TestRunWindow::typeIntoAnswerBox(QEvent* event) {
    const QString text = static_cast<QKeyEvent*>(event)->text();
    if (!m_typedAnswer->isVisible() || text.isEmpty() || !text.at(0).isPrint())
        return false;
    m_typedAnswer->setFocus(Qt::OtherFocusReason);
    QCoreApplication::sendEvent(m_typedAnswer, event);
    return true;
}

bool TestRunWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_question && event->type() == QEvent::KeyPress && typeIntoAnswerBox(event))
        return true;
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        for (std::size_t row = 0; row < m_rows.size(); ++row) {
            if (watched == m_rows[row].text)
                onAnswerTextClicked(row);
        }
    }
    return Window::eventFilter(watched, event);
}

// ---- Exit, print, clock

void TestRunWindow::onExitTest() {
    if (platform::askYesNo(tr("Are you sure you want to end the test?")))

        endRun(QString());
}

void TestRunWindow::setBackColors(const QColor& color) {
    QPalette p = palette();
    p.setColor(QPalette::Window, color);
    setPalette(p);
    for (const AnswerRow& row : m_rows) {
        setBackground(row.text, color);
        setBackground(row.option, color);
    }
}

void TestRunWindow::printQuestion() {
    setBackColors(platform::ui::standardColor(15));
    platform::ui::setBackColor(m_question, platform::ui::standardColor(15));
    platform::printWindow(this);
    setBackColors(m_backColor);
}

void TestRunWindow::onClockTick() {
    m_clock.tick();
    m_clockLabel->setText(m_clock.text());
}

void TestRunWindow::onUnloading() {
    m_clockTimer->stop();
}
