#pragma once

#include "WindowRegistry.h"

#include <QList>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QGroupBox;
class FileListBox;
class ImageBox;

// The main window: five tabs (create, edit, take, score log, about) and "E&xit".
class MainWindow : public Window {
    Q_OBJECT
public:
    MainWindow();

    void onActivated() override;

    // Handlers
    void SSTab1_Click();
    void Command1_Click(); // &Create
    void Command2_Click(); // E&xit
    void Command3_Click(); // &Edit
    void Command4_Click(); // &Begin
    void Command5_Click(); // Full &View
    void Command7_Click(); // &Help
    void Command8_Click(); // &Read Me
    void File1_Click();
    void File2_Click();
    void File3_Click();

    // Controls that other windows read or set.
    QTabWidget* SSTab1 = nullptr;
    QPushButton* Command2 = nullptr;
    // Create a New Test
    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Text3 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command8 = nullptr;
    // Edit an Existing Test
    QLabel* Label4 = nullptr;
    FileListBox* File1 = nullptr;
    ImageBox* Image2 = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* txtCreator = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* txtPassword = nullptr;
    QPushButton* Command3 = nullptr;
    // Take a Test
    QLabel* Label7 = nullptr;
    FileListBox* File2 = nullptr;
    ImageBox* Image1 = nullptr;
    QLabel* Label8 = nullptr;
    QLineEdit* txtName = nullptr;
    QCheckBox* Check1 = nullptr;
    QPushButton* Command4 = nullptr;
    // View Score Log
    QLabel* Label9 = nullptr;
    FileListBox* File3 = nullptr;
    QPlainTextEdit* Text4 = nullptr;
    QPushButton* Command5 = nullptr;
    // About
    QGroupBox* Frame1 = nullptr;
    QLabel* Label10[2] = {nullptr, nullptr};
    QLabel* Label11 = nullptr;
    QGroupBox* Frame2 = nullptr;
    ImageBox* imageMe = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label13 = nullptr;
    QPushButton* Command7 = nullptr;

    // Reads the tests folder again into File1, File2 and File3.
    void refreshLists();

protected:
    void onLoaded() override;
    void titleBarClose() override { Command2_Click(); }

private:
    void showTestBitmap(const QString& fileName, ImageBox* image);
    // Controls of each tab sit on the tab container itself, at the container's
    // coordinates; only those of the tab in front are shown.
    void addToTab(int tab, QWidget* w, int left, int top, int width, int height);
    void showTab(int tab);
    // The score log chosen in File3, empty when none is.
    QString selectedLogPath() const;

    QList<QWidget*> m_tabControls[5];
    int m_soundResult = 0; // result of the last sound call; nothing reads it
};
