// The main window as a user meets it: start-up, tabs, sounds, exit, help, and
// the texts a screen reader reads line by line.
#include "FileListBox.h"
#include "HelpText.h"
#include "HelpWindow.h"
#include "ImageBox.h"
#include "MainWindow.h"
#include "MultiLineTextBox.h"
#include "Pictures.h"
#include "ScoreLog.h"
#include "SharedState.h"
#include "TestSupport.h"
#include "Version.h"

#include <QTest>
#include <QtWidgets>

using namespace Qt::StringLiterals;

namespace {
// The entries of the named list, as shown.
QStringList items(MainWindow& m, const QString& name) {
    const auto* list = testing::control<FileListBox>(&m, name);
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}
QPoint screenCentreFor(const QWidget* w) {
    const QRect s = QGuiApplication::primaryScreen()->geometry();
    return QPoint((s.width() - w->frameGeometry().width()) / 2,
                  (s.height() - w->frameGeometry().height()) / 2);
}
MainWindow& startMain() {
    WindowRegistry::get<MainWindow>().present();
    return WindowRegistry::get<MainWindow>();
}
void showTab(MainWindow& m, int tab) {
    testing::control<QTabWidget>(&m, "SSTab1")->setCurrentIndex(tab);
}
// Presses keys named as QKeySequence names them ("Down", "Ctrl+End"), blank apart.
void pressAll(const char* keys) {
    for (const QString& name : QString::fromLatin1(keys).split(' ', Qt::SkipEmptyParts)) {
        const QKeyCombination key = QKeySequence(name)[0];
        testing::press(key.key(), key.keyboardModifiers());
    }
}
void clickItem(FileListBox* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
}
} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void firstStartInAnEmptyFolder() {
        testing::Env env;
        MainWindow& m = startMain();
        QVERIFY(QDir(u"tests"_s).exists() && storage::shared::testsDir == "./tests");
        // no message, and no start sound before the folder exists
        QVERIFY(env.sound->started.isEmpty() && env.boxes->shown.isEmpty());
        QCOMPARE(items(m, "File1") + items(m, "File2") + items(m, "File3"), QStringList());
        QCOMPARE(testing::control<QTabWidget>(&m, "SSTab1")->currentIndex(), 4); // About
        QCOMPARE(m.pos(), screenCentreFor(&m));
        // controls of the other tabs wait behind theirs
        QVERIFY(testing::control<QCheckBox>(&m, "Check1")->isChecked() &&
                testing::control<QWidget>(&m, "Command7")->isVisible() &&
                !testing::control<QWidget>(&m, "Command1")->isVisible());
        QCOMPARE(testing::unnamedControls(&m), QStringList());
        QVERIFY(testing::spokenName(testing::control<QWidget>(&m, "Command1")) == "Create" &&
                testing::spokenName(testing::control<QWidget>(&m, "txtCreator")) == "Owner");
        // a screen reader reads the About page's lines with the window, and
        // only while they show
        QCOMPARE(m.accessibleDescription(),
                 u"v " QUIZDEX_VERSION " for Linux and Windows. ..questions, comments, bug "
                 "reports, etc.. quizdex@example.org"_s);
        showTab(m, 2);
        QCOMPARE(m.accessibleDescription(), QString());
    }

    void listsTestsAndLogsAndPlaysTheStartAndTabSounds() {
        testing::Env env;
        for (const char* f : {"a.tst", "b.tst", "c.log", "StartSound.wav", "TabClick.wav"})
            env.writeFile(u"tests/%1"_s.arg(QLatin1String(f)), "x");
        MainWindow& m = startMain();
        QCOMPARE(items(m, "File1") + items(m, "File2") + items(m, "File3"),
                 QStringList({"a.tst", "b.tst", "a.tst", "b.tst", "c.log"}));
        QCOMPARE(env.sound->started, QStringList({"StartSound.wav"}));
        env.sound->started.clear();
        showTab(m, 2); // the tab sound plays whatever the sound switch says
        auto* sounds = testing::control<QCheckBox>(&m, "Check1");
        QVERIFY(sounds->isVisible() && !testing::control<QWidget>(&m, "Command7")->isVisible());
        QTest::mouseClick(sounds, Qt::LeftButton);
        QVERIFY(!sounds->isChecked());
        showTab(m, 3);
        showTab(m, 0);
        QCOMPARE(env.sound->started, QStringList({"TabClick.wav", "TabClick.wav", "TabClick.wav"}));
    }

    void exitAndTheCloseButtonEndTheProgram() {
        testing::Env env;
        MainWindow& m = startMain();
        testing::click(testing::control<QPushButton>(&m, "Command2"));
        QVERIFY(env.exitRequests == 1 && !WindowRegistry::isLoaded<MainWindow>());
        startMain().close();
        QVERIFY(env.exitRequests == 2 && !WindowRegistry::isLoaded<MainWindow>());
    }

    void unusableTestsFolderIsReportedAndTheProgramGoesOn() {
        testing::Env env;
        env.writeFile(u"tests"_s, "a file where the folder should be");
        MainWindow& m = startMain();
        QVERIFY(env.boxes->shown.size() == 1 &&
                env.boxes->shown.first().startsWith(
                    u"The tests folder \"./tests\" could not be created:\r\n"_s));
        showTab(m, 1); // still usable
        QVERIFY(testing::control<QWidget>(&m, "File1")->isVisible());
    }

    // The start puts back what kills interrupted, and tells in a message what
    // it could not.
    void aJournalTheStartSetsAsideIsTold() {
        testing::Env env;
        env.writeFile(u"tests/a.tst"_s, QByteArray(2514, 'q'));
        env.writeFile(u"tests/a.tst-journal"_s, "QDXJRNL3, damaged");
        startMain();
        QCOMPARE(env.boxes->shown.size(), 1);
        QVERIFY(env.boxes->shown.first().endsWith(
            u"\r\n\"a.tst-journal\" is damaged, kept as \"a.tst-journal.damaged\""_s));
    }

    void testBitmapFollowsTheChosenTest() {
        testing::Env env;
        for (const QString& f : {u"tests/Algebra.tst"_s, u"tests/Other.tst"_s})
            env.writeFile(f, QByteArray(2514, '\0'));
        QVERIFY(platform::pictures::aboutPicture().save(u"tests/ALGEBRA.BMP"_s, "BMP"));
        QVERIFY(platform::pictures::questionDisc().save(u"tests/default.bmp"_s, "BMP"));
        MainWindow& m = startMain();
        showTab(m, 2);
        clickItem(testing::control<FileListBox>(&m, "File2"), 0);
        QCOMPARE(testing::control<ImageBox>(&m, "Image1")->picture().size(), QSize(250, 188));
        clickItem(testing::control<FileListBox>(&m, "File2"), 1);
        QCOMPARE(testing::control<ImageBox>(&m, "Image1")->picture().size(), QSize(32, 32));
        // without any default.bmp the built-in picture stands in
        QFile::remove(u"tests/default.bmp"_s);
        showTab(m, 1);
        clickItem(testing::control<FileListBox>(&m, "File1"), 1);
        QCOMPARE(testing::control<ImageBox>(&m, "Image2")->picture().size(), QSize(180, 203));
    }

    void helpShowsItsTextFromTheTopAndTheMainWindowComesBackCentred() {
        testing::Env env;
        MainWindow& m = startMain();
        m.move(10, 10);
        for (int round = 0; round < 2; ++round) {
            bool checked = false;
            testing::whenModal<HelpWindow>([&](HelpWindow& h) {
                QCOMPARE(testing::unnamedControls(&h), QStringList());
                // read as a dialog over the main window, not as a bare panel
                QVERIFY(QAccessible::queryAccessibleInterface(&h)->role() == QAccessible::Dialog &&
                        QAccessible::queryAccessibleInterface(&m)->role() == QAccessible::Window);
                auto* text = testing::control<MultiLineTextBox>(&h, "Text1");
                QVERIFY(text->text() == QString::fromLatin1(helpTextBytes()) &&
                        text->isReadOnly() && text->verticalScrollBar()->value() == 0);
                text->verticalScrollBar()->setValue(text->verticalScrollBar()->maximum());
                checked = true;
                if (round == 0)
                    testing::click(testing::control<QPushButton>(&h, "Command1"));
                else
                    testing::press(Qt::Key_Escape);
            });
            testing::click(testing::control<QPushButton>(&m, "Command7"));
            QVERIFY(checked && !WindowRegistry::isLoaded<HelpWindow>());
        }
        QVERIFY(m.pos() == screenCentreFor(&m) && WindowRegistry::active() == &m);
    }

    // Orca reads the line at a text's caret as the caret moves: the score log's
    // two views and the help must have a caret the keys move, entered with Tab
    // and left with Tab for the button below.
    void scoreLogsAndHelpAreReadLineByLineFromTheKeyboard() {
        // the keys from the About tab to the text, the keys that move in it,
        // and the line said there
        const struct {
            const char *road, *keys, *line;
        } kCases[] = {
            {"Left Tab Tab", "", "TEST TAKEN  -> Geo"},
            {"Left Tab Tab", "Down Down Down Down", "TEST SCORE  -> 80%"},
            {"Left Tab Tab", "Ctrl+End Up Up", "TEST SCORE  -> 95%"},
            {"Left Tab Tab Tab Return", "PgDown Up Up", "TEST SCORE  -> 95%"},
            {"Left Tab Tab Tab Return", "Ctrl+End Ctrl+Home Down", "TIME TAKEN  -> 10:35:12 PM"},
            {"Tab Return", "Down Down Down",
             "This help file is intended to get you up and running "
             "with Quizdex. It is not intended to be a"},
            {"Tab Return", "Ctrl+End Up", "Click [Help] to see this."},
        };
        for (const auto& c : kCases) {
            testing::Env env;
            env.writeFile(u"tests/Ann.log"_s,
                          testing::logEntry({"Geo", "12/05/1998", "10:35:12 PM", "80", 10}) +
                              testing::logEntry({"Sea", "12/06/1998", "09:01:44 AM", "95", 5}));
            MainWindow& m = startMain();
            QVERIFY(QTest::qWaitForWindowActive(&m));
            QString said;
            const auto read = [&] {
                auto* text = qobject_cast<QPlainTextEdit*>(testing::focused());
                QVERIFY(text && text->isReadOnly());
                pressAll(c.keys);
                auto* t = QAccessible::queryAccessibleInterface(text)->textInterface();
                int start = 0, end = 0;
                said = t->textAtOffset(t->cursorPosition(), QAccessible::LineBoundary, &start, &end)
                           .trimmed() +
                       '|';
                testing::press(Qt::Key_Tab);
                QVERIFY(qobject_cast<QPushButton*>(testing::focused()));
            };
            testing::whenModal<HelpWindow>([&](HelpWindow&) {
                read();
                testing::press(Qt::Key_Escape);
            });
            pressAll(c.road);
            if (said.isNull()) // not in the help, which was read while it showed
                read();
            QCOMPARE(said, QString::fromLatin1(c.line) + '|');
        }
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainWindow.moc"
