// The create, edit and read-me doors, properties and question editor, byte for byte.
#include "Controls.h"
#include "FileListBox.h"
#include "MainWindow.h"
#include "MultiLineTextBox.h"
#include "PropertiesWindow.h"
#include "QuestionEditor.h"
#include "SharedState.h"
#include "TestSupport.h"

#include <array>
#include <QtWidgets>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace {

using testing::headerRecord;
using testing::kTestRecord;
using testing::questionRecord;
const QString kFile = u"tests/t.tst"_s;

template <class T = QAbstractButton> T* named(QWidget& window, const QString& name) {
    return testing::control<T>(&window, name);
}

// The editor's controls, found by name as automation finds them.
struct Editor {
    QuestionEditor& window;
    QLabel* number = named<QLabel>(window, u"lblQuestionNumber"_s);
    MultiLineTextBox* question = named<MultiLineTextBox>(window, u"txtQuestion"_s);
    MultiLineTextBox* explanation = named<MultiLineTextBox>(window, u"txtExplain"_s);
    QRadioButton* trueFalse = named<QRadioButton>(window, u"Option1"_s);
    QRadioButton* multiple = named<QRadioButton>(window, u"Option3"_s);
    QRadioButton* typed = named<QRadioButton>(window, u"Option2"_s);
    std::array<MultiLineTextBox*, 5> choices = row<MultiLineTextBox>(u"txtChoice%1"_s, 1);
    std::array<QAbstractButton*, 5> marks = row<QAbstractButton>(u"Option%1"_s, 4); // "is correct"
    QAbstractButton* first = named(window, u"Command7"_s);
    QAbstractButton* back = named(window, u"Command3"_s);
    QAbstractButton* save = named(window, u"Command4"_s);
    QAbstractButton* next = named(window, u"Command1"_s);
    QAbstractButton* last = named(window, u"Command8"_s);
    QAbstractButton* properties = named(window, u"Command5"_s);
    QAbstractButton* done = named(window, u"Command2"_s);

    // The five controls of a kind, numbered from `from`.
    template <class T> std::array<T*, 5> row(const QString& pattern, int from) const {
        std::array<T*, 5> controls{};
        for (std::size_t i = 0; i < controls.size(); ++i)
            controls[i] = named<T>(window, pattern.arg(from + static_cast<int>(i)));
        return controls;
    }
};

// The properties' controls, by name.
struct Properties {
    PropertiesWindow& window;
    QLineEdit* owner = named<QLineEdit>(window, u"txtOwner"_s);
    QLineEdit* password = named<QLineEdit>(window, u"txtPassword"_s);
    QRadioButton* shuffle = named<QRadioButton>(window, u"optShuffle"_s);
    QRadioButton* keepOrder = named<QRadioButton>(window, u"optNoShuffle"_s);
    QLabel* score = named<QLabel>(window, u"Label5"_s);
    QScrollBar* scoreBar = named<QScrollBar>(window, u"VScroll1"_s);
    QAbstractButton* save = named(window, u"Command1"_s);
    QAbstractButton* cancel = named(window, u"Command2"_s);
    // After a right answer, then after a wrong one.
    QList<QCheckBox*> feedback = {
        named<QCheckBox>(window, u"chkCorrect1"_s),   named<QCheckBox>(window, u"ChkCorrect2"_s),
        named<QCheckBox>(window, u"chkCorrect3"_s),   named<QCheckBox>(window, u"chkCorrect4"_s),
        named<QCheckBox>(window, u"chkIncorrect1"_s), named<QCheckBox>(window, u"chkIncorrect2"_s),
        named<QCheckBox>(window, u"chkIncorrect3"_s), named<QCheckBox>(window, u"chkIncorrect4"_s)};
};

Editor openEditor(const testing::Env& env, const QByteArray& file, qint64 size = 0) {
    env.writeFile(kFile, file);
    if (size)
        QFile::resize(kFile, size);
    storage::shared::testPath = env.testsFile(u"t.tst"_s);
    QuestionEditor& e = WindowRegistry::get<QuestionEditor>();
    e.present();
    return Editor{e};
}

// Each choice box: "-" hidden, "G" marked correct (light green), "W" white.
QString choiceBoxes(const Editor& e) {
    QString s;
    for (const QWidget* b : e.choices)
        s += b->isHidden()                                         ? u'-'
             : platform::ui::backColor(b) == QColor(200, 255, 200) ? u'G'
             : platform::ui::backColor(b) == QColor(Qt::white)     ? u'W'
                                                                   : u'?';
    return s;
}

MainWindow& mainOnTab(int tab) {
    MainWindow& m = WindowRegistry::get<MainWindow>();
    m.present();
    testing::control<QTabWidget>(&m, u"SSTab1"_s)->setCurrentIndex(tab);
    return m;
}

// Creates by "&Create", or by Enter in the password box.
void create(MainWindow& m, const QString& name, const QString& owner = u"o"_s,
            const QString& password = u"p"_s, bool byEnter = false) {
    testing::control<QLineEdit>(&m, u"Text1"_s)->setText(name);
    testing::control<QLineEdit>(&m, u"Text2"_s)->setText(owner);
    testing::control<QLineEdit>(&m, u"Text3"_s)->setText(password);
    if (byEnter) {
        auto* box = testing::control<QLineEdit>(&m, u"Text3"_s);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Return);
    }
    else
        testing::click(testing::control<QPushButton>(&m, u"Command1"_s));
}

} // namespace

class TestAuthoring : public QObject {
    Q_OBJECT
private slots:
    void createWritesTheHeaderThenPropertiesThenTheEditorSavesQuestionOne() {
        testing::Env env;
        env.writeFile(u"tests/Other.tst"_s, headerRecord({"x", "y", "0000", "0000", " 90", 0}));
        MainWindow& m = mainOnTab(0);
        testing::whenModal<PropertiesWindow>([&](PropertiesWindow& w) {
            const Properties p{w};
            QCOMPARE(env.readFile(u"tests/My Test.tst"_s), headerRecord({" Ann", "Pw"}));
            QVERIFY(testing::control<FileListBox>(&m, u"File1"_s)->count() == 2 && // listed already
                    p.shuffle->isChecked() && p.score->text() == u"   75%"_s &&
                    testing::unnamedControls(&w).isEmpty());
            p.owner->setText(u" New owner "_s);
            p.password->clear(); // an empty password keeps the old one
            for (QCheckBox* c : p.feedback)
                if (!c->isChecked())
                    testing::click(c);
            testing::click(p.keepOrder);
            p.scoreBar->setFocus();
            QTest::keyClick(p.scoreBar, Qt::Key_End); // 50 at the top, 100 at the bottom
            testing::click(p.save);
        });
        testing::whenModal<QuestionEditor>([&](QuestionEditor& w) {
            const Editor e{w};
            QCOMPARE(w.windowTitle(), u"Building ./tests/My Test.tst"_s);
            QVERIFY(e.number->text() == u"1"_s && e.trueFalse->isChecked());
            QTest::keyClicks(e.choices[0], u"xyz"_s); // locked
            QVERIFY(choiceBoxes(e) == u"GW---"_s && testing::unnamedControls(&w).isEmpty());
            QTest::keyClicks(e.question, u"Is it?"_s);
            QTest::keyClick(e.question, Qt::Key_Return);
            QTest::keyClicks(e.question, u"Sure?"_s);
            e.explanation->setText(u"€ and ☃"_s); // outside Windows-1252: "?"
            testing::click(e.marks[1]);
            QCOMPARE(choiceBoxes(e), u"WG---"_s);
            testing::click(e.save);
            testing::click(e.next); // saves question 1 again, in place
            QVERIFY(e.number->text() == u" 2"_s && e.multiple->isChecked());
            w.close(); // the title bar's close button is "&Done": hidden, not unloaded
        });
        create(m, u"My Test  "_s, u" Ann"_s, u"Pw"_s);
        QVERIFY(env.boxes->shown.isEmpty() && WindowRegistry::active() == &m &&
                WindowRegistry::isLoaded<QuestionEditor>());
        // question 1 carries along the header's unset fields and shuffle flag
        QCOMPARE(env.readFile(u"tests/My Test.tst"_s),
                 testing::testFile(
                     {" New owner ", "Pw", "1111", "1111", " 100", 0},
                     {{"TRUE/FALSE", "Is it?\r\nSure?", {"TRUE", "FALSE"}, "FALSE", "€ and ?"}}));
    }

    void anAuthorWritesATestOfEveryKindByKeyboardAlone() {
        testing::Env env;
        using testing::focused;
        using testing::press;
        const auto tabTo = [](QWidget* w) {
            return testing::pressUntil(Qt::Key_Tab, [w] { return focused() == w; });
        };
        MainWindow& m = mainOnTab(4);
        QVERIFY(QTest::qWaitForWindowActive(&m));
        for (int i = 0; i < 4; ++i) // from the About tab to the create tab
            press(Qt::Key_Left);
        for (const char* field : {"Geo", "Ann", "pw"}) {
            press(Qt::Key_Tab);
            testing::type(QString::fromLatin1(field));
        }
        press(Qt::Key_Tab);
        QCOMPARE(focused(), testing::control<QWidget>(&m, u"Command1"_s));

        testing::whenModal<PropertiesWindow>([&](PropertiesWindow& w) {
            // The answer order's two options, round and back to where it was.
            auto* shuffle = testing::control<QRadioButton>(&w, u"optShuffle"_s);
            auto* keepOrder = testing::control<QRadioButton>(&w, u"optNoShuffle"_s);
            QVERIFY(tabTo(shuffle));
            for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right}) {
                QRadioButton* want = focused() == shuffle ? keepOrder : shuffle;
                press(key);
                QVERIFY(focused() == want && want->isChecked());
            }
            QVERIFY(tabTo(Properties{w}.scoreBar));
            for (int i = 0; i < 5; ++i)
                press(Qt::Key_Down); // 75 at first; 100 lies at the bottom
            press(Qt::Key_Return);
        });
        QByteArray file;
        testing::whenModal<QuestionEditor>([&](QuestionEditor& w) {
            const Editor e{w};
            QCOMPARE(focused(), e.question);
            testing::type(u"Grass is blue?"_s);
            press(Qt::Key_Tab);
            QCOMPARE(focused(), e.trueFalse); // true/false, the kind selected
            QVERIFY(tabTo(e.marks[0]));
            press(Qt::Key_Down); // the mark moves to FALSE
            QVERIFY(tabTo(e.explanation));
            testing::type(u"It is green."_s);
            QVERIFY(tabTo(e.next));
            press(Qt::Key_Return); // Next >: a multiple-choice question follows

            testing::type(u"Largest ocean?"_s);
            press(Qt::Key_Tab);
            QCOMPARE(focused(), e.multiple);
            const QStringList oceans = {"Atlantic", "Indian", "Pacific", "Arctic", "Southern"};
            for (std::size_t i = 0; i < e.choices.size(); ++i) {
                QVERIFY(tabTo(e.choices[i]));
                testing::type(oceans[static_cast<int>(i)]);
            }
            QVERIFY(tabTo(e.marks[1])); // the mark left on choice 2 is the group's tab stop
            press(Qt::Key_Down);
            QVERIFY(tabTo(e.next));
            press(Qt::Key_Return);

            testing::type(u"Capital of France?"_s);
            QVERIFY(tabTo(e.multiple));
            press(Qt::Key_Down); // typed answer
            QVERIFY(e.typed->isChecked() && e.choices[1]->isHidden());
            press(Qt::Key_Down); // round to true/false, and back
            QVERIFY(focused() == e.trueFalse && e.trueFalse->isChecked());
            press(Qt::Key_Up);
            QVERIFY(focused() == e.typed && e.typed->isChecked() && e.choices[1]->isHidden());
            QVERIFY(tabTo(e.choices[0]));
            testing::type(u"Paris"_s);
            QVERIFY(tabTo(e.save));
            press(Qt::Key_Space); // Save
            file = env.readFile(u"tests/Geo.tst"_s);
            press(Qt::Key_Escape); // nothing: Done is the way out
            testing::whenModal<PropertiesWindow>([](PropertiesWindow&) { press(Qt::Key_Escape); });
            QVERIFY(tabTo(e.properties));
            press(Qt::Key_Return); // the properties, cancelled by Escape
            QVERIFY(w.isVisible() && env.readFile(u"tests/Geo.tst"_s) == file);
            QVERIFY(tabTo(e.done));
            press(Qt::Key_Return);
        });
        press(Qt::Key_Return);
        QVERIFY(!WindowRegistry::find<QuestionEditor>()->isVisible() && env.boxes->shown.isEmpty());
        QCOMPARE(file,
                 testing::testFile(
                     {.owner = "Ann", .password = "pw", .passing = " 80"},
                     {{"TRUE/FALSE", "Grass is blue?", {"TRUE", "FALSE"}, "FALSE", "It is green."},
                      {"MULTIPLE",
                       "Largest ocean?",
                       {"Atlantic", "Indian", "Pacific", "Arctic", "Southern"},
                       "Pacific"},
                      {"TYPED", "Capital of France?", {"Paris"}, "Paris"}}));
    }

    void createRefusesBadInputAndEditChecksTheOwner() {
        testing::Env env;
        const QByteArray algebra =
            headerRecord({" Ann", "Secret"}) + questionRecord(1, {"TYPED", "Q", {"a"}});
        env.writeFile(u"tests/Algebra.tst"_s, algebra);
        env.writeFile(u"tests/short.tst"_s, QByteArray(1000, 's')); // counts 0 records
        env.writeFile(u"tests/Empty.tst"_s, QByteArray());
        MainWindow& m = mainOnTab(0);
        const auto done = [](QuestionEditor& e) { e.close(); };
        const auto shown = [&env](qsizetype times, const QString& text) {
            return std::exchange(env.boxes->shown, {}) == QStringList(times, text);
        };
        testing::click(testing::control<QPushButton>(&m, u"Command8"_s)); // Read Me
        QCOMPARE(std::exchange(env.boxes->shown, {}).value(0).split(u"\r\n"_s).value(9),
                 u"your test is  MYTEST, your bitmap should be named MYTEST.BMP"_s);
        create(m, u"   "_s);
        create(m, u"T"_s, u"  "_s);
        create(m, u"T"_s, u"o"_s, QString());
        QVERIFY(
            shown(3, u"All fields need to be filled in\r\nbefore you can create a test file."_s));
        for (const QString& name : {u"a/b"_s, u"..\\up"_s, u"nul\0"_s, QString(300, u'x')})
            create(m, name);
        QVERIFY(shown(4,
                      u"You have entered characters in the Test Name\r\nfield that are not legal "
                      "characters for filenames.\r\n\r\nPlease enter legal characters and try "
                      "again."_s));
        for (const QString& name : {u"Algebra"_s, u"algebra  "_s, u"ALGEBRA"_s, u"Short"_s})
            create(m, name);
        QVERIFY(shown(4, u"There is currently a test by this name.\r\nChoose a different name, or "
                         "delete the\r\nexisting text.\r\n\r\nIf you need to make changes to the "
                         "existing\r\ntest, click on the EDIT TEST tab."_s));
        QCOMPARE(env.readFile(u"tests/short.tst"_s), QByteArray(1000, 's'));
        testing::whenModal<PropertiesWindow>(
            [](PropertiesWindow& w) { testing::click(Properties{w}.save); });
        testing::whenModal<QuestionEditor>(done);
        create(m, u"empty"_s, u"o"_s, u"p"_s, true); // an empty file is a test not yet begun
        QVERIFY(WindowRegistry::get<QuestionEditor>().windowTitle() ==
                    u"Building ./tests/Empty.tst"_s &&
                env.readFile(u"tests/Empty.tst"_s) == headerRecord({.passing = " 75"}));
        QCOMPARE(QDir(u"tests"_s).entryList(QDir::Files),
                 QStringList({"Algebra.tst", "Empty.tst", "short.tst"}));

        // edit: owner and password, blanks count, case does not
        testing::control<QTabWidget>(&m, u"SSTab1"_s)->setCurrentIndex(1);
        QVERIFY(testing::control<FileListBox>(&m, u"File1"_s)->selectFile(u"Algebra.tst"_s));
        const QStringList tries = {"Ann",     "Secret", " Ann ", "Secret", " Ann",
                                   "Secret ", " Ann",   "Secre", " aNN",   "sECRET"};
        testing::whenModal<QuestionEditor>(done); // and no properties
        for (qsizetype i = 0; i < tries.size(); i += 2) {
            testing::control<QLineEdit>(&m, u"txtCreator"_s)->setText(tries[i]);
            auto* password = testing::control<QLineEdit>(&m, u"txtPassword"_s);
            password->setText(tries[i + 1]);
            if (i + 2 < tries.size())
                testing::click(testing::control<QPushButton>(&m, u"Command3"_s));
            else { // the one that opens the editor, by Enter in the password box
                password->setFocus();
                QTest::keyClick(password, Qt::Key_Return);
            }
        }
        QVERIFY(shown(4, u"Incorrect Name and/or Password. Access Denied."_s));
        QVERIFY(WindowRegistry::get<QuestionEditor>().windowTitle() ==
                    u"Building ./tests/Algebra.tst"_s &&
                env.readFile(u"tests/Algebra.tst"_s) == algebra);

        QVERIFY(QDir(u"tests"_s).removeRecursively()); // a folder that cannot take the file
        testing::control<QTabWidget>(&m, u"SSTab1"_s)->setCurrentIndex(0);
        create(m, u"T"_s);
        QVERIFY(env.boxes->shown.value(0).startsWith(
            u"The test could not be created as \"./tests/T.tst\":\r\n"_s));
    }

    void propertiesShowTheStoredSettingsAndCancelWritesNothing_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("shown"); // the eight boxes, shuffle, the label
        QTest::newRow("set") << headerRecord({"o", "p", "0101", "1x1", "50", 0})
                             << u"01011010 01    50%"_s;
        const QString nul = u"1 0_1"_s.replace(u'_', QChar(0));
        QTest::newRow("odd") << headerRecord({"o", "p", nul, "x111", "180", 7})
                             << u"10000111 10    100%"_s;
        QTest::newRow("low") << headerRecord({.passing = " 49"}) << u"10001110 10    75%"_s;
        QTest::newRow("half") << headerRecord({.passing = "62.5"}) << u"10001110 10    62%"_s;
    }
    void propertiesShowTheStoredSettingsAndCancelWritesNothing() {
        QFETCH(QByteArray, stored);
        QFETCH(QString, shown);
        testing::Env env;
        env.writeFile(kFile, stored);
        storage::shared::testPath = env.testsFile(u"t.tst"_s);
        testing::whenModal<PropertiesWindow>([&](PropertiesWindow& w) {
            const Properties p{w};
            QString s;
            for (const QCheckBox* c : p.feedback)
                s += c->isChecked() ? u'1' : u'0';
            QCOMPARE(s + u' ' + QString::number(p.shuffle->isChecked()) +
                         QString::number(p.keepOrder->isChecked()) + u' ' + p.score->text(),
                     shown);
            p.owner->setText(u"x"_s);
            testing::click(p.feedback[0]);
            p.scoreBar->setValue(99);
            testing::click(p.cancel);
        });
        QVERIFY(PropertiesWindow::openFor(storage::shared::testPath));
        QCOMPARE(env.readFile(kFile), stored);
    }

    void movesSaveTheScreenByPositionAndNextPastTheEndAppends() {
        testing::Env env;
        QByteArray file =
            headerRecord({.passing = " 75"}) +
            questionRecord(1, {"TRUE/FALSE", "One?", {"TRUE", "FALSE"}, "FALSE", "Because."}) +
            questionRecord(2, {"typed", "Two?", {"answer"}, "answer"}) +
            questionRecord(3, {"MULTIPLE", "Three?", {"a", "b", "c", "b "}, "b", "x"});
        testing::putText(file, 3 * kTestRecord + 2212, 100, u"reserved 3"_s);
        testing::putInt16(file, 2 * kTestRecord, 9); // question 2 claims to be number 9
        const Editor e = openEditor(env, file);
        QTest::keyClick(e.question, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(e.question, u" edited"_s);
        testing::click(e.back); // < Back and << on question 1 do nothing
        testing::click(e.first);
        QVERIFY(env.readFile(kFile) == file && e.question->text() == u"One? edited"_s);
        testing::click(e.next);
        QVERIFY(e.number->text() == u"2"_s && e.typed->isChecked() && choiceBoxes(e) == u"G----"_s);
        QCOMPARE(e.window.accessibleDescription(), u"Questions. 2"_s);
        QTest::keyClick(e.choices[0], Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(e.choices[0], u"s"_s);
        bool properties = false;
        testing::whenModal<PropertiesWindow>([&](PropertiesWindow& w) {
            properties = true;
            testing::click(Properties{w}.save);
        });
        testing::click(e.properties); // "Edit test properties" saves the screen first
        QVERIFY(properties && WindowRegistry::active() == &e.window && e.number->text() == u"1"_s);
        // a screen reader reads the window, as it comes back, with the number it shows
        QCOMPARE(e.window.accessibleDescription(), u"Questions. 1"_s);
        testing::putText(file, kTestRecord + 2, 500, u"One? edited"_s);
        file.replace(2 * kTestRecord, kTestRecord,
                     questionRecord(2, {"TYPED", "Two?", {"answers"}, "answers"}));
        QCOMPARE(env.readFile(kFile), file);

        testing::click(e.last); // >>
        QVERIFY(e.question->text() == u"Three?"_s && e.multiple->isChecked());
        QCOMPARE(choiceBoxes(e), u"WWWGW"_s); // "b" and "b ": the later equal choice
        testing::click(e.next);               // Next >
        QVERIFY(e.number->text() == u" 4"_s && e.multiple->isChecked());
        QCOMPARE(env.readFile(kFile), file); // saving question 3 as it was changes no byte
        testing::click(e.back); // < Back saves it, emptied; reserved fields from question 3
        file += questionRecord(4, {"MULTIPLE", {}, {}, ""}, file.mid(3 * kTestRecord));
        QCOMPARE(env.readFile(kFile), file);
        testing::click(e.last);
        testing::click(e.last); // >> on the last question stays there
        QVERIFY(e.number->text() == u"4"_s && env.readFile(kFile) == file);
        testing::click(e.first); // << from there, and back to the end
        QVERIFY(e.number->text() == u"1"_s && e.question->text() == u"One? edited"_s);
        testing::click(e.last);
        testing::click(e.back); // and question 3 becomes a typed answer
        testing::click(e.typed);
        QCOMPARE(choiceBoxes(e), u"G----"_s);
        QTest::keyClicks(e.choices[0], u"Paris"_s);
        testing::click(e.save);
        file.replace(3 * kTestRecord, 1712,
                     questionRecord(3, {"TYPED", "Three?", {"Paris"}, "Paris", "x"}).left(1712));
        QCOMPARE(env.readFile(kFile), file);
        testing::click(e.trueFalse);
        QVERIFY(e.choices[0]->text() == u"TRUE"_s && choiceBoxes(e) == u"GW---"_s);
    }

    void noQuestionPastTheLastRecordAndAFailedWriteKeepsTheScreen() {
        testing::Env env;
        const qint64 full = qint64(32767) * kTestRecord;
        const Editor e = openEditor(env, headerRecord(), full); // questions of NULs
        testing::click(e.last);
        QVERIFY(e.number->text() == u"32766"_s && e.question->text().isEmpty() &&
                e.choices[0]->text().isEmpty()); // NULs

        QTest::keyClicks(e.question, u"last"_s);
        testing::click(e.next);
        QVERIFY(e.number->text() == u"32766"_s && e.question->text() == u"last"_s);
        QCOMPARE(env.boxes->shown, QStringList({u"A test can hold at most 32,766 questions."_s}));
        const QByteArray file = env.readFile(kFile);
        QVERIFY(file.size() == full && file.mid(full - kTestRecord + 2, 4) == "last");

        env.boxes->shown.clear();
        storage::shared::testPath = u"/dev/full"_s; // every write fails
        QTest::keyClicks(e.question, u" more"_s);
        testing::click(e.next);
        testing::click(e.properties); // the properties do not open over an unsaved question
        QVERIFY(!WindowRegistry::isLoaded<PropertiesWindow>() &&
                e.question->text() == u"last more"_s);
        const QStringList& shown = env.boxes->shown;
        QVERIFY(shown.size() == 2 && !shown[0].endsWith(u"\r\n"_s) && // the reason follows
                shown[0].startsWith(u"The question could not be saved to \"/dev/full\":\r\n"_s));
    }
};

QTEST_MAIN(TestAuthoring)
#include "tst_authoring.moc"
