#pragma once

#include "Question.h"
#include "TestRecord.h"
#include "WindowRegistry.h"

#include <array>
#include <optional>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class MultiLineTextBox;
namespace platform::ui {
class OptionWalk;
}

// The question editor: one question of the current test at a time. Question k
// is record k + 1 of the test file; every move saves the question on screen.
class QuestionEditor : public Window {
    Q_OBJECT
public:
    QuestionEditor();

    // Shows the editor modally on the current test, whose header the door has
    // read: a test without questions gets its first one written over it (see
    // m_record).
    void editTest(const storage::TestRecord& header);

    void onActivated() override;

protected:
    void titleBarClose() override { onDone(); }

private:
    // One answer: its caption, its text, and the button that marks it correct.
    struct ChoiceRow {
        QLabel* label = nullptr;
        MultiLineTextBox* box = nullptr;
        QPushButton* correctButton = nullptr;
    };

    void makeQuestionFrame();
    void makeKindFrame(QGroupBox* questionFrame);
    void makeChoiceRows(QGroupBox* questionFrame);
    void makeExplanation(QGroupBox* questionFrame);
    // The move buttons, in the order the keyboard reaches them.
    QList<QWidget*> makeMovesFrame();

    // Lays out the choices for `kind`: TRUE and FALSE, locked; one typed
    // answer; or five choices.
    void onKindChosen(storage::QuestionKind kind);
    // Choice `i` (1 to 5) marked correct by the author.
    void onMarkedCorrect(int i);
    void onNext();
    void onBack();
    void onFirst();
    void onLast();
    void onSave();
    void onDone();
    void onEditProperties();

    // The question on screen, k; the label shows it as plain digits, or after
    // "Next >" with one leading blank.
    int currentQuestion() const { return m_currentQuestion; }
    enum class NumberStyle { Digits, LeadingBlank };
    void setCurrentQuestion(int k, NumberStyle style = NumberStyle::Digits);
    const ChoiceRow& choice(int i) const { return m_choices[static_cast<std::size_t>(i - 1)]; }
    void clearQuestionBoxes();
    void resetChoiceRows();
    void hideChoice(int i);
    // Marks choice `i` correct, as if its button were clicked.
    void setCorrectChoice(int i);
    void selectKind(storage::QuestionKind kind);
    storage::QuestionKind chosenKind() const;

    // The record count, or nullopt after telling the user why it is unknown.
    std::optional<int> recordCount();
    // Record n holds question n - 1; record 1 is the test's header. Both are
    // false when the file fails (the user is told) and saveRecord also when n
    // lies outside the questions a test can hold.
    bool loadRecord(int n);
    bool saveRecord(int n);
    // Saves question k and resets the screen for another; false when the save
    // failed (the screen is left as it was).
    bool saveAndClear(int k);
    // Saves the question on screen and shows question `q` (an existing one).
    void goToQuestion(int q);

    MultiLineTextBox* m_questionBox = nullptr;
    std::array<QRadioButton*, 3> m_kindButtons{};
    std::array<ChoiceRow, 5> m_choices{};
    QButtonGroup* m_correctGroup = nullptr;
    platform::ui::OptionWalk* m_kindWalk = nullptr;
    platform::ui::OptionWalk* m_correctWalk = nullptr;
    MultiLineTextBox* m_explanationBox = nullptr;
    QLabel* m_questionNumberLabel = nullptr;
    int m_currentQuestion = 0;
    // The record a save writes the question on screen into: the one read last
    // (the header handed to editTest until a question is read), as the saves
    // since have changed it. A question sets only its own fields; the others
    // go down as this holds them, as the program has always written them.
    storage::TestRecord m_record;
};
