#pragma once

#include "WindowRegistry.h"

#include <QString>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

// The settings of one test, kept in its header record: owner, password,
// feedback, answer order and passing score.
class PropertiesWindow : public Window {
    Q_OBJECT
public:
    PropertiesWindow();

    // The opening procedure shared by the create door and the question editor:
    // reads the header of `testPath` into the shared test record, fills the
    // window from it and shows it modally. false (after telling the user) when
    // the header cannot be read; the window is not shown then.
    static bool openFor(const QString& testPath);

    void VScroll1_Change();
    void Command1_Click(); // Save/Done
    void Command2_Click(); // Cancel
    void Command3_Click(); // Read Me

    QLabel* Label1 = nullptr;
    QLineEdit* txtOwner = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* txtPassword = nullptr;
    QGroupBox* Frame1 = nullptr;
    QCheckBox* chkCorrect1 = nullptr;
    QCheckBox* ChkCorrect2 = nullptr;
    QCheckBox* chkCorrect3 = nullptr;
    QCheckBox* chkCorrect4 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QCheckBox* chkIncorrect1 = nullptr;
    QCheckBox* chkIncorrect2 = nullptr;
    QCheckBox* chkIncorrect3 = nullptr;
    QCheckBox* chkIncorrect4 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QRadioButton* optShuffle = nullptr;
    QRadioButton* optNoShuffle = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command1 = nullptr;
    QGroupBox* Frame4 = nullptr;
    QLabel* Label5 = nullptr;
    QScrollBar* VScroll1 = nullptr;
    QPushButton* Command3 = nullptr;

protected:
    void onLoaded() override;
    void titleBarClose() override { Command2_Click(); }

private:
    void fillFromHeader();

    QString m_testPath;
};
