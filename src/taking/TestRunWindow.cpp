#include "TestRunWindow.h"

#include "Controls.h"
#include "DetailedFeedbackWindow.h"
#include "ImageBox.h"
#include "IntroductionWindow.h"
#include "Pictures.h"
#include "QuestionCountWindow.h"
#include "ScoreLog.h"
#include "Services.h"
#include "SharedState.h"
#include "ShortFeedbackWindow.h"
#include "TextRules.h"
#include "UpDownBar.h"

#include <algorithm>
#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {
const QColor kLightYellow = ui::rgb(255, 255, 192);

QLabel* makeLabel(QWidget* parent, const QString& controlName, const QRect& geometry,
                  const QFont& font) {
    QLabel* label = ui::label(parent, controlName, QString(), geometry);
    label->setFont(font);
    return label;
}

QLabel* makeBadge(QWidget* parent, const QString& controlName, const QString& letter,
                  const QRect& geometry) {
    QLabel* badge = makeLabel(parent, controlName, geometry,
                              ui::font(QStringLiteral("Times New Roman"), 24, true));
    badge->setText(letter);
    badge->setAlignment(Qt::AlignCenter);
    ui::setBackColor(badge, ui::standardColor(4));
    ui::setForeColor(badge, kLightYellow);
    return badge;
}

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
    ui::name(this, QStringLiteral("frmTakeTest"));
    setEscapeCloses(true);
    setWindowTitle(QStringLiteral("Taking Test >> "));
    setFont(ui::defaultFont());
    setFixedSize(ui::px(11385), ui::px(6615));
    const QFont arial = ui::font(QStringLiteral("Arial"), 9.75);
    const QFont arialBold = ui::font(QStringLiteral("Arial"), 9.75, true);

    Label1 = makeLabel(this, QStringLiteral("Label1"), ui::twips(120, 120, 3375, 255), arialBold);
    lblElapsedTime =
        makeLabel(this, QStringLiteral("lblElapsedTime"), ui::twips(7320, 120, 3975, 255), arial);
    lblElapsedTime->setText(QStringLiteral("Elapsed Time: "));
    lblElapsedTime->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    Label3 = makeLabel(this, QStringLiteral("Label3"), ui::twips(120, 480, 9855, 1215), arial);
    ui::setBackColor(Label3, ui::standardColor(15));
    Label4 = makeBadge(this, QStringLiteral("Label4"), QStringLiteral("Q"),
                       ui::twips(120, 480, 855, 1215));
    lblQuestion =
        makeLabel(this, QStringLiteral("lblQuestion"), ui::twips(1080, 600, 8745, 975), arial);
    // Each question takes the focus when it is shown, so that a screen reader
    // reads it; Tab goes on to its answers.
    lblQuestion->setFocusPolicy(Qt::StrongFocus);
    lblQuestion->installEventFilter(this);
    lblQuestion->setWordWrap(true);
    lblQuestion->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ui::setBackColor(lblQuestion, ui::standardColor(15));

    Shape2 = new QFrame(this);
    ui::name(Shape2, QStringLiteral("Shape2"));
    ui::readAs(Shape2, QStringLiteral("Answer area"));
    Shape2->setFrameShape(QFrame::Box);
    Shape2->setGeometry(ui::twips(960, 1920, 9015, 3735));
    Label5 = makeBadge(this, QStringLiteral("Label5"), QStringLiteral("A"),
                       ui::twips(120, 1920, 855, 3735));

    // The rows' own positions are given in the window's coordinates.
    const QRect rowsArea = ui::twips(960, 1920, 9015, 3735);
    m_answerRows = new QWidget(this);
    ui::name(m_answerRows, QStringLiteral("AnswerRows"));
    ui::readAs(m_answerRows, QStringLiteral("Answers"));
    m_answerRows->setGeometry(rowsArea);
    const auto inRows = [&rowsArea](QRect r) { return r.translated(-rowsArea.topLeft()); };

    const int buttonTops[5] = {2040, 2760, 3360, 4080, 4800};
    const int labelTops[5] = {2055, 2775, 3480, 4200, 4935};
    QRadioButton** buttons[5] = {&answerA, &answerB, &answerC, &answerD, &answerE};
    QLabel** labels[5] = {&labelA, &labelB, &labelC, &labelD, &labelE};
    for (int i = 0; i < 5; ++i) {
        const QChar letter(QLatin1Char(static_cast<char>('A' + i)));
        auto* button = new QRadioButton(m_answerRows);
        ui::name(button, QStringLiteral("answer") + letter);
        button->setGeometry(inRows(ui::twips(1080, buttonTops[i], 255, 255)));
        *buttons[i] = button;
        QLabel* label = makeLabel(m_answerRows, QStringLiteral("label") + letter,
                                  inRows(ui::twips(1440, labelTops[i], 8415, 615)), arial);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->installEventFilter(this);
        *labels[i] = label;
    }

    txtANswer = new QLineEdit(m_answerRows);
    ui::name(txtANswer, QStringLiteral("txtANswer"));
    ui::readAs(txtANswer, QStringLiteral("Answer"));
    txtANswer->setFont(arial);
    txtANswer->setGeometry(inRows(ui::twips(1440, 2040, 8415, 375)));
    txtANswer->hide();

    Command1 = new QPushButton(QStringLiteral("&Next"), this);
    ui::name(Command1, QStringLiteral("Command1"));
    Command1->setGeometry(ui::twips(10080, 480, 1215, 5175));
    Command1->setDefault(true);
    Command3 = new QPushButton(QStringLiteral("&Print Question"), this);
    ui::name(Command3, QStringLiteral("Command3"));
    Command3->setGeometry(ui::twips(120, 5880, 2415, 645));

    lblScore = makeLabel(this, QStringLiteral("lblScore"), ui::twips(2640, 5865, 6135, 360), arial);
    lblScore->setText(QStringLiteral("Score: "));
    lblScore->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Shape1 = new QFrame(this);
    ui::name(Shape1, QStringLiteral("Shape1"));
    ui::readAs(Shape1, QStringLiteral("Score bar border"));
    Shape1->setFrameShape(QFrame::Box);
    Shape1->setGeometry(ui::twips(2760, 6105, 5925, 390));
    scoreBar = new QFrame(this);
    ui::name(scoreBar, QStringLiteral("scoreBar"));
    ui::readAs(scoreBar, QStringLiteral("Score bar"));
    ui::setBackColor(scoreBar, ui::standardColor(1));
    scoreBar->setGeometry(ui::px(2790), ui::px(6135), 0, ui::px(330));

    Command2 = new QPushButton(QStringLiteral("E&xit Test"), this);
    ui::name(Command2, QStringLiteral("Command2"));
    Command2->setGeometry(ui::twips(8880, 5880, 2415, 645));

    // Holds the window's own background colour while printing turns it white.
    Frame1 = new QGroupBox(this);
    ui::name(Frame1, QStringLiteral("Frame1"));
    ui::readAs(Frame1, QStringLiteral("Background colour"));
    Frame1->setGeometry(ui::twips(10500, 5715, 135, 135));
    setBackground(Frame1, palette().color(QPalette::Window));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);

    connect(Command1, &QPushButton::clicked, this, &TestRunWindow::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &TestRunWindow::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &TestRunWindow::Command3_Click);
    connect(Timer1, &QTimer::timeout, this, &TestRunWindow::Timer1_Timer);
}

std::array<QRadioButton*, 5> TestRunWindow::answers() const {
    return {answerA, answerB, answerC, answerD, answerE};
}

std::array<QLabel*, 5> TestRunWindow::answerLabels() const {
    return {labelA, labelB, labelC, labelD, labelE};
}

// ---- Start-up

void TestRunWindow::onActivated() {
    // Every later activation (the introduction closing, a feedback window
    // closing) leaves the run alone.
    if (RunStarted == 1)
        return;
    Clock.reset();
    RunStarted = 1;
    centerOnScreen();
    Timer1->start();

    CorrectCount = 0;
    QuestionsToTake = 0;
    QuestionCounter = 0;
    AnswerArrangement = 0;
    QuestionsAsked = 0;
    Draw = taking::RecordDraw(0);
    GivenAnswer.clear();
    RunningScore = 0;

    using shared::testPath;
    const IoResult<TestRecord> header = taking::readTestToTake(testPath);
    if (!header) {
        endRun(header.status().message(QStringLiteral("Cannot read the test")));
        return;
    }
    CorrectFeedback = header->text(TestRecord::CorrectFeedback);
    IncorrectFeedback = header->text(TestRecord::IncorrectFeedback);
    TestName = rules::testNameFromPath(testPath);

    showIntroduction(header->text(TestRecord::Owner));
    ResetAnswerControls();
    applyVisibility();

    const IoResult<std::int16_t> records = shared::testRecordCount(testPath);
    if (!records || *records < 1) {
        endRun(taking::readTestToTake(testPath).status().message(
            QStringLiteral("Cannot read the test")));
        return;
    }
    QuestionsAvailable = *records - 1;
    QuestionsToTake = QuestionsAvailable;
    Draw = taking::RecordDraw(QuestionsAvailable);
    if (QuestionsAvailable == 0) {
        endRun(QStringLiteral("This test has 0 questions!"));
        return;
    }

    if (!chooseQuestionCount())
        return;
    Label1->setText(QStringLiteral("1 of") +
                    rules::numberText(static_cast<long long>(QuestionsToTake)));
    QuestionCounter = 2;
    UpdateScore();
}

void TestRunWindow::showIntroduction(const QString& owner) {
    IntroductionWindow& intro = WindowRegistry::get<IntroductionWindow>();
    intro.Label2->setText(owner);
    intro.Label1->setText(TestName);
    intro.Image1->showTestPicture(shared::testsDir, TestName);

    // Hidden for the introduction, yet still the modal window of the run.
    hideKeepingModal();
    intro.showModal();
    present();
}

bool TestRunWindow::chooseQuestionCount() {
    QuestionCountWindow& numbers = WindowRegistry::get<QuestionCountWindow>();
    numbers.lblAvailQ->setText(QString::number(QuestionsAvailable));
    numbers.lblQtoTake->setText(numbers.lblAvailQ->text());
    numbers.scrQtoTake->setCountRange(1, QuestionsAvailable);
    numbers.scrQtoTake->setCount(QuestionsAvailable);
    numbers.optAll->setChecked(true);
    numbers.optAll_Click();
    numbers.showModal();
    if (!WindowRegistry::isLoaded<QuestionCountWindow>())
        return false;
    QuestionsToTake =
        taking::questionsToTake(numbers.choice(), QuestionsAvailable, numbers.scrQtoTake->count());
    return true;
}

void TestRunWindow::endRun(const QString& message) {
    if (!message.isEmpty())
        platform::msgBox(message);
    RunStarted = 0;
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

void TestRunWindow::ResetAnswerControls() {
    setShown(Label1, true);
    setShown(lblQuestion, true);
    setShown(txtANswer, false);
    for (std::size_t row = 0; row < 5; ++row) {
        setShown(answers()[row], true);
        setShown(answerLabels()[row], true);
        unselect(answers()[row]);
        setAnswerText(row, QString());
    }
    // A question shown before may have left one option as the group's only
    // tab stop, and a row hidden now; every option is reachable again.
    ui::resetTabStops({answerA, answerB, answerC, answerD, answerE});
    setWindowTitle(QStringLiteral("[Quizdex] - TEST: ") + shared::testPath +
                   QStringLiteral("     NAME: ") + shared::candidateName);
}

void TestRunWindow::NextQuestion() {
    Label1->setText(taking::counterText(QuestionCounter - 1, QuestionsToTake));
    const int record = Draw.next();
    if (record < 2)
        return; // nothing left to draw; the run never asks for more than there is
    ++QuestionsAsked;
    if (const IoStatus st = taking::checkQuestionRecord(shared::testPath, record); !st) {
        endRun(st.message(QStringLiteral("Cannot read the test")));
        return;
    }
    const IoResult<TestRecord> question = shared::readTestRecord(shared::testPath, record);
    if (!question) {
        endRun(question.status().message(QStringLiteral("Cannot read the test")));
        return;
    }
    m_question = *question;
    ResetAnswerControls();
    lblQuestion->setText(m_question.text(TestRecord::QuestionText));

    const QString type = m_question.text(TestRecord::QuestionType);
    const auto labels = answerLabels();
    const auto buttons = answers();
    if (type == kTypeMultiple) {
        AnswerArrangement = taking::drawArrangement();
        for (int choice = 1; choice <= 5; ++choice)
            setAnswerText(
                static_cast<std::size_t>(taking::labelForChoice(AnswerArrangement, choice)),
                m_question.fullText(TestRecord::choice(choice)));
    } else if (type == kTypeTrueFalse) {
        for (std::size_t i = 2; i < 5; ++i) {
            setShown(labels[i], false);
            setShown(buttons[i], false);
        }
        setAnswerText(0, QStringLiteral("TRUE"));
        setAnswerText(1, QStringLiteral("FALSE"));
    } else if (type == kTypeTyped) {
        for (std::size_t i = 0; i < 5; ++i) {
            setShown(labels[i], false);
            if (i > 0)
                setShown(buttons[i], false);
        }
        // The selected option only lets the check accept the typed answer:
        // the answer box is the control to reach.
        answerA->setChecked(true);
        answerA->setFocusPolicy(Qt::NoFocus);
        answerA->setAccessibleName(QStringLiteral("Typed answer"));
        txtANswer->clear();
        setShown(txtANswer, true);
    }
    applyVisibility();
    lblQuestion->setFocus(Qt::OtherFocusReason);
}

void TestRunWindow::setAnswerText(std::size_t row, const QString& text) {
    answerLabels()[row]->setText(text);
    const QString spoken = rightTrimmed(ui::shownText(text));
    answers()[row]->setAccessibleName(spoken.isEmpty() ? QStringLiteral("Blank answer") : spoken);
}

// ---- Answering

void TestRunWindow::Command1_Click() {
    const auto buttons = answers();
    const auto labels = answerLabels();
    int selected = -1;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (buttons[i]->isChecked())
            selected = static_cast<int>(i);
    }
    if (selected < 0) {
        platform::msgBox(QStringLiteral("Please select an answer."));
        return;
    }
    GivenAnswer = taking::comparableAnswer(labels[static_cast<std::size_t>(selected)]->text());
    if (m_question.text(TestRecord::QuestionType) == kTypeTyped)
        GivenAnswer = taking::comparableAnswer(txtANswer->text());
    const bool correct =
        taking::isCorrectAnswer(m_question.fullText(TestRecord::CorrectAnswer), GivenAnswer);
    const bool sounds = m_soundsOn;
    const auto sound = [](const char* file) {
        return shared::joinPath(shared::testsDir, QLatin1String(file));
    };

    if (correct) {
        ++CorrectCount;
        if (taking::feedbackKind(CorrectFeedback) != taking::FeedbackKind::None) {
            if (sounds)
                m_soundResult = platform::playSound(sound("Correct.wav"));
            giveFeedback(QStringLiteral("Correct Answer!"), CorrectFeedback);
        }
    } else if (taking::feedbackKind(IncorrectFeedback) != taking::FeedbackKind::None) {
        if (sounds)
            m_soundResult = platform::playSound(sound("wrong.wav"));
        giveFeedback(QStringLiteral("InCorrect Answer!"), IncorrectFeedback);
    }
    ++QuestionCounter;
    if (sounds)
        m_soundResult = platform::playSound(sound("NewQuestion.wav"));
    UpdateScore();
}

void TestRunWindow::giveFeedback(const QString& verdict, const QString& flags) {
    if (taking::feedbackKind(flags) == taking::FeedbackKind::Short) {
        ShortFeedbackWindow& shortFeedback = WindowRegistry::get<ShortFeedbackWindow>();
        shortFeedback.Label1->setText(verdict);
        shortFeedback.showModal();
        return;
    }
    DetailedFeedbackWindow& big = WindowRegistry::get<DetailedFeedbackWindow>();
    big.Label1->clear();
    big.Label4->clear();
    big.Frame1->hide();
    big.Frame2->hide();
    const taking::FeedbackItems items = taking::feedbackItems(flags);
    if (items.verdict)
        big.Label1->setText(verdict);
    if (items.correctSoFar)
        big.Label4->setText(taking::correctSoFarText(CorrectCount));
    if (items.explanation) {
        big.Frame1->show();
        big.Label2->setText(m_question.text(TestRecord::Explanation));
    }
    if (items.correctAnswer) {
        big.Frame2->show();
        big.Label3->setText(m_question.text(TestRecord::CorrectAnswer));
    }
    big.showModal();
}

void TestRunWindow::UpdateScore() {
    const int score = rules::exactPercentage(CorrectCount, QuestionsToTake);
    RunningScore = static_cast<float>(score);
    lblScore->setText(taking::scoreText(score));
    scoreBar->resize(taking::scoreBarWidth(score), scoreBar->height());
    scoreBar->setAccessibleDescription(QString::number(score) + QLatin1Char('%'));
    if (QuestionsAsked != QuestionsToTake) {
        NextQuestion();
        return;
    }
    scoring::finishRun(QuestionsToTake, CorrectCount);
    RunStarted = 0;
    unload();
}

void TestRunWindow::labelA_Click() {
    answerA->setChecked(true);
}
void TestRunWindow::labelB_Click() {
    answerB->setChecked(true);
}
void TestRunWindow::labelC_Click() {
    answerC->setChecked(true);
}
void TestRunWindow::labelD_Click() {
    answerD->setChecked(true);
}
void TestRunWindow::labelE_Click() {
    answerE->setChecked(true);
}

bool TestRunWindow::eventFilter(QObject* watched, QEvent* event) {
    // Typing while the question has the focus goes into the answer box.
    if (watched == lblQuestion && event->type() == QEvent::KeyPress && txtANswer->isVisible()) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (!text.isEmpty() && text.at(0).isPrint()) {
            txtANswer->setFocus(Qt::OtherFocusReason);
            QCoreApplication::sendEvent(txtANswer, event);
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == labelA)
            labelA_Click();
        else if (watched == labelB)
            labelB_Click();
        else if (watched == labelC)
            labelC_Click();
        else if (watched == labelD)
            labelD_Click();
        else if (watched == labelE)
            labelE_Click();
    }
    return Window::eventFilter(watched, event);
}

// ---- Exit, print, clock

void TestRunWindow::Command2_Click() {
    if (!platform::askYesNo(QStringLiteral("Are you sure you want to end the test?")))
        return;
    RunStarted = 0;
    unload();
}

void TestRunWindow::setBackColors(const QColor& color) {
    QPalette p = palette();
    p.setColor(QPalette::Window, color);
    setPalette(p);
    for (QLabel* label : answerLabels())
        setBackground(label, color);
    for (QRadioButton* button : answers())
        setBackground(button, color);
}

void TestRunWindow::Command3_Click() {
    Frame1->hide();
    setBackColors(ui::standardColor(15));
    ui::setBackColor(lblQuestion, ui::standardColor(15));
    platform::printWindow(this);
    setBackColors(ui::backColor(Frame1));
    Frame1->show();
}

void TestRunWindow::Timer1_Timer() {
    Clock.tick();
    lblElapsedTime->setText(Clock.text());
}

void TestRunWindow::onUnloading() {
    Timer1->stop();
}
