#pragma once

#include "TestRecord.h"
#include "WindowRegistry.h"

#include <array>
#include <optional>
#include <QString>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
namespace platform::ui {
class OptionWalk;
}

// The settings of one test, kept in its header record: owner, password,
// feedback, answer order and passing score.
class PropertiesWindow : public Window {
    Q_OBJECT
public:
    PropertiesWindow();

    // The opening procedure shared by the create door and the question editor:
    // reads the header of `testPath`, fills the window from it and shows it
    // modally. The result is the header as the window left it on disk (saved,
    // or as read when nothing was saved); none (after telling the user) when
    // the header cannot be read, and the window is not shown then.
    static std::optional<storage::TestRecord> openFor(const QString& testPath);

    // How the picture beside a test's introduction is chosen, in a message;
    // the main window shows it too, without opening this window.
    static void showReadMe();

signals:
    // The settings went down into the test's header, which now holds `header`.
    void headerSaved(const storage::TestRecord& header);

protected:
    void onLoaded() override;
    void titleBarClose() override { onCancel(); }

private:
    using FeedbackBoxes = std::array<QCheckBox*, 4>;

    void makeOwnerAndPassword();
    void makeAnswerOrder();
    void makePassingScore();
    void orderTabStops();

    void onPassingScoreChanged();
    void onSave();
    void onCancel();

    void showSettings(const storage::TestRecord& header);
    // The settings on screen into `header`; an empty owner or password keeps
    // the one stored.
    void storeSettings(storage::TestRecord& header) const;

    QLineEdit* m_ownerBox = nullptr;
    QLineEdit* m_passwordBox = nullptr;
    FeedbackBoxes m_correctFeedback{};
    FeedbackBoxes m_incorrectFeedback{};
    QRadioButton* m_shuffleButton = nullptr;
    QRadioButton* m_keepOrderButton = nullptr;
    platform::ui::OptionWalk* m_answerOrderWalk = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QPushButton* m_saveButton = nullptr;
    QLabel* m_passingScoreLabel = nullptr;
    QScrollBar* m_passingScoreBar = nullptr;
    QPushButton* m_readMeButton = nullptr;

    QString m_testPath;
};
