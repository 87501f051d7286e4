#pragma once

#include "RunRules.h"
#include "TestRecord.h"
#include "WindowRegistry.h"

#include <array>
#include <cstdint>
#include <vector>

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;

// The test run: questions drawn at random without repeats, the answer check
// with the test's feedback, the running score, the elapsed-time clock, printing
// and the early exit. Shown modally by the main window's take door; its first
// activation runs the start-up sequence.
class TestRunWindow : public Window {
    Q_OBJECT
public:
    TestRunWindow();

    void onActivated() override;
    // Whether the run plays its sounds (the main window's sound switch).
    void setSoundsOn(bool on) { m_soundsOn = on; }
    void Command1_Click(); // &Next
    void Command2_Click(); // E&xit Test
    void Command3_Click(); // &Print Question
    void labelA_Click();
    void labelB_Click();
    void labelC_Click();
    void labelD_Click();
    void labelE_Click();
    void Timer1_Timer();

    void ResetAnswerControls();
    void NextQuestion();
    void UpdateScore();

    // Controls
    QLabel* Label1 = nullptr; // question counter
    QLabel* lblElapsedTime = nullptr;
    QLabel* Label3 = nullptr; // panel behind the question
    QLabel* Label4 = nullptr; // "Q"
    QLabel* lblQuestion = nullptr;
    QFrame* Shape2 = nullptr;
    QLabel* Label5 = nullptr; // "A"
    QRadioButton* answerA = nullptr;
    QRadioButton* answerB = nullptr;
    QRadioButton* answerC = nullptr;
    QRadioButton* answerD = nullptr;
    QRadioButton* answerE = nullptr;
    QLabel* labelA = nullptr;
    QLabel* labelB = nullptr;
    QLabel* labelC = nullptr;
    QLabel* labelD = nullptr;
    QLabel* labelE = nullptr;
    QLineEdit* txtANswer = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QGroupBox* Frame1 = nullptr; // keeps the window's own background colour
    QLabel* lblScore = nullptr;
    QFrame* Shape1 = nullptr;
    QFrame* scoreBar = nullptr;
    QTimer* Timer1 = nullptr;

    // Run state
    int RunStarted = 0;
    QString TestName;
    QString CorrectFeedback;
    QString IncorrectFeedback;
    int QuestionsAvailable = 0;
    int QuestionsToTake = 0;
    int QuestionsAsked = 0;
    int CorrectCount = 0;
    int QuestionCounter = 0;
    taking::RecordDraw Draw; // UsedRecords and CandidateRecord
    int AnswerArrangement = 0;
    QString GivenAnswer;
    float RunningScore = 0;
    taking::ElapsedClock Clock;

protected:
    void onUnloading() override;
    // The title bar's close button asks, as "E&xit Test" does.
    void titleBarClose() override { Command2_Click(); }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::array<QRadioButton*, 5> answers() const;
    std::array<QLabel*, 5> answerLabels() const;
    // The only way an answer row gets its text: the option button beside it
    // is read as that text.
    void setAnswerText(std::size_t row, const QString& text);
    void showIntroduction(const QString& owner);
    bool chooseQuestionCount();
    void giveFeedback(const QString& verdict, const QString& flags);
    void endRun(const QString& message);
    void setBackColors(const QColor& color);
    // A control's visibility is settled once per question: every change costs
    // the window system a round trip, so a row hidden again at once is never
    // shown in between.
    void setShown(QWidget* control, bool shown);
    void applyVisibility();

    std::vector<std::pair<QWidget*, bool>> m_visibility;
    // Holds the answer rows and the typed-answer box. It is hidden while their
    // visibility changes: children of a hidden parent change without asking
    // the window system where the pointer is, once per control.
    QWidget* m_answerRows = nullptr;

    TestRecord m_question; // the question on screen, as read from the test

    int m_soundResult = 0; // result of the last sound call; nothing reads it
    bool m_soundsOn = true;
};
