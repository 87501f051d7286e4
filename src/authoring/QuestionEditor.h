#pragma once

#include "WindowRegistry.h"
#include <optional>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class MultiLineTextBox;

// The question editor: one question of the current test at a time. Question k
// is record k + 1 of the test file; every move saves the question on screen.
class QuestionEditor : public Window {
    Q_OBJECT
public:
    QuestionEditor();

    void onActivated() override;

    // Handlers
    void Option1_Click(); // True/False
    void Option2_Click(); // Typed Answer
    void Option3_Click(); // Multiple Choice
    void Option4_Click();
    void Option5_Click();
    void Option6_Click();
    void Option7_Click();
    void Option8_Click();
    void Command1_Click(); // Next >
    void Command2_Click(); // &Done
    void Command3_Click(); // < Back
    void Command4_Click(); // Save
    void Command5_Click(); // Edit test properties
    void Command7_Click(); // <<
    void Command8_Click(); // >>

    // The question number on screen (the number in lblQuestionNumber).
    int currentQuestion() const;

    QPushButton* Command2 = nullptr;
    QPushButton* Command5 = nullptr;
    QGroupBox* Frame4 = nullptr;
    QLabel* Label3 = nullptr;
    MultiLineTextBox* txtQuestion = nullptr;
    QGroupBox* Frame2 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option3 = nullptr;
    QRadioButton* Option2 = nullptr;
    QPushButton* Command6[3] = {nullptr, nullptr, nullptr};
    QLabel* Label2[2] = {nullptr, nullptr};
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    MultiLineTextBox* txtChoice1 = nullptr;
    MultiLineTextBox* txtChoice2 = nullptr;
    MultiLineTextBox* txtChoice3 = nullptr;
    MultiLineTextBox* txtChoice4 = nullptr;
    MultiLineTextBox* txtChoice5 = nullptr;
    QPushButton* Option4 = nullptr;
    QPushButton* Option5 = nullptr;
    QPushButton* Option6 = nullptr;
    QPushButton* Option7 = nullptr;
    QPushButton* Option8 = nullptr;
    QLabel* Label9 = nullptr;
    MultiLineTextBox* txtExplain = nullptr;
    QGroupBox* Frame1 = nullptr;
    QPushButton* Command7 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command8 = nullptr;
    QLabel* lblQuestionNumber = nullptr;

protected:
    void titleBarClose() override { Command2_Click(); }

private:
    void ClearQuestionBoxes();
    void ResetChoiceRows();
    void ClearCorrectMarks();
    bool LoadQuestion(int n);
    bool SaveQuestion(int n);

    // Colours choice `i` (1 to 5) as the correct one.
    void markCorrect(int i);
    void selectCorrect(int i);
    void selectKind(QRadioButton* option);
    MultiLineTextBox* choiceBox(int i) const;
    QPushButton* correctButton(int i) const;
    QLabel* choiceLabel(int i) const;
    // The record count, or nullopt after telling the user why it is unknown.
    std::optional<int> recordCount();
    // Saves question k and resets the screen for another; false when the save
    // failed (the screen is left as it was).
    bool saveAndClear(int k);

    QButtonGroup* m_correctGroup = nullptr;
};
