#pragma once

#include "WindowRegistry.h"

#include <QList>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;
class FileListBox;
class ImageBox;

// The main window: five tabs (create, edit, take, score log, about) and "E&xit".
class MainWindow : public Window {
    Q_OBJECT
public:
    MainWindow();

    void onActivated() override;

    // Reads the tests folder again into the three file lists.
    void refreshLists();

protected:
    void onLoaded() override;
    void titleBarClose() override { onExit(); }

private:
    enum Tab { CreateTab, EditTab, TakeTab, LogTab, AboutTab, TabCount };
    struct Control;

    void buildTabs();
    // Every control of the five tabs, from one table.
    void makeControls();
    QWidget* makeControl(const Control& c, QLabel* labelBefore);
    // Keeps the control in its member, or connects the button to its handler.
    void keep(const Control& c, QWidget* w);
    // Controls of each tab sit on the tab container itself, at the container's
    // coordinates; only those of the tab in front are shown.
    void showTab(int tab);
    void showTestPicture(const FileListBox* list, ImageBox* picture);
    // The score log chosen in the log list, empty when none is.
    QString selectedLogPath() const;

    void onTabChanged(int tab);
    void onCreate();
    void onReadMe();
    void onEdit();
    void onBegin();
    void onLogChosen();
    void onFullView();
    void onHelp();
    void onExit();

    QTabWidget* m_tabs = nullptr;
    // Create a New Test
    QLineEdit* m_newNameBox = nullptr;
    QLineEdit* m_newOwnerBox = nullptr;
    QLineEdit* m_newPasswordBox = nullptr;
    // Edit an Existing Test
    FileListBox* m_testsToEdit = nullptr;
    ImageBox* m_editPicture = nullptr;
    QLineEdit* m_ownerBox = nullptr;
    QLineEdit* m_passwordBox = nullptr;
    // Take a Test
    FileListBox* m_testsToTake = nullptr;
    ImageBox* m_takePicture = nullptr;
    QLineEdit* m_candidateBox = nullptr;
    QCheckBox* m_soundsBox = nullptr;
    // View Score Log
    FileListBox* m_logList = nullptr;
    QPlainTextEdit* m_logPreview = nullptr;

    QList<QWidget*> m_tabControls[TabCount];
};
