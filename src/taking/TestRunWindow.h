#pragma once

#include "AnswerFile.h"
#include "RunRules.h"
#include "TestRecord.h"
#include "WindowRegistry.h"

#include <array>
#include <optional>
#include <QColor>
#include <utility>
#include <vector>

class FeedbackWindow;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTimer;
namespace platform::ui {
class OptionWalk;
}

// The test run: questions drawn at random without repeats, the answer check
// with the test's feedback, the running score, the elapsed-time clock, printing
// and the early exit. Shown modally by the main window's take door, which hands
// it the test's header as it read and checked it (taking::readTestToTake); its
// first activation starts the run. A run is one load of the window: it unloads
// when the run ends.
class TestRunWindow : public Window {
    Q_OBJECT
public:
    TestRunWindow();

    // The header of the test to take: its owner and feedback settings.
    void setTestHeader(storage::TestRecord header) { m_header = std::move(header); }
    // Whether the run plays its sounds (the main window's sound switch).
    void setSoundsOn(bool on) { m_soundsOn = on; }
    // The number of questions this run asks, once the candidate has chosen it.
    int questionsToTake() const { return m_questionsToTake; }

    void onActivated() override;

protected:
    void onUnloading() override;
    // The title bar's close button asks, as "E&xit Test" does.
    void titleBarClose() override { onExitTest(); }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // An option button and the answer text beside it.
    struct AnswerRow {
        QRadioButton* option = nullptr;
        QLabel* text = nullptr;
    };

    void buildQuestionArea();
    void buildAnswerArea();
    void buildAnswerRows();
    void buildBottomLine();

    // Start-up
    void startRun();
    void showIntroduction();
    bool chooseQuestionCount(int available);
    void endRun(const QString& message);

    // Questions
    void nextQuestion();
    void resetAnswerControls();
    void showChoices();
    void showTrueFalse();
    void showTypedAnswerBox();
    // The only way an answer row gets its text: the option button beside it
    // is read as that text.
    void setAnswerText(std::size_t row, const QString& text);
    // A control's visibility is settled once per question: every change costs
    // the window system a round trip, so a row hidden again at once is never
    // shown in between.
    void setShown(QWidget* control, bool shown);
    void applyVisibility();

    // Answering
    void onNext();
    std::optional<std::size_t> selectedRow() const;
    void playSound(const char* file) const;
    void giveFeedback(const QString& verdict, const QString& settings);
    // The feedback window's "&Print Question" prints this window.
    void printOnRequest(FeedbackWindow& feedback);
    void updateScore();
    void onAnswerTextClicked(std::size_t row);
    bool typeIntoAnswerBox(QEvent* event);

    // Exit, print, clock
    void onExitTest();
    // Prints the window with white backgrounds.
    void printQuestion();
    void setBackColors(const QColor& color);
    void onClockTick();

    QLabel* m_counter = nullptr;
    QLabel* m_clockLabel = nullptr;
    QLabel* m_question = nullptr;
    // Holds the answer rows and the typed-answer box. It is hidden while their
    // visibility changes: children of a hidden parent change without asking
    // the window system where the pointer is, once per control.
    QWidget* m_answerRows = nullptr;
    std::array<AnswerRow, 5> m_rows;
    platform::ui::OptionWalk* m_optionWalk = nullptr;
    QLineEdit* m_typedAnswer = nullptr;
    QLabel* m_scoreLabel = nullptr;
    QWidget* m_scoreBar = nullptr;
    // The window's own background colour, given back after printing turns it white.
    QColor m_backColor;
    QTimer* m_clockTimer = nullptr;
    std::vector<std::pair<QWidget*, bool>> m_visibility;

    storage::TestRecord m_header;
    storage::TestRecord m_shownQuestion; // the question on screen, as read from the test
    int m_shownRecord = 0;               // its record number
    // The choice each answer row shows (see AnswerRecord::choice).
    std::array<int, 5> m_rowChoice{};
    // Every answer so far, handed to the score log at the end.
    std::vector<storage::answers::Given> m_answers;

    bool m_soundsOn = true;
    bool m_runStarted = false;
    QString m_correctFeedback;
    QString m_incorrectFeedback;
    int m_questionsToTake = 0;
    int m_questionsAsked = 0;
    int m_correctCount = 0;
    taking::RecordDraw m_draw;
    taking::ElapsedClock m_clock;
};
