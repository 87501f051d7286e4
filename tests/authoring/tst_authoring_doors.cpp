// The main window's create, edit and read-me doors, through to the windows
// they open and the bytes they leave in the tests folder.
#include "FileListBox.h"
#include "frmMain.h"
#include "frmProperties.h"
#include "frmTestBuild.h"
#include "Module1.h"
#include "RecordBytes.h"
#include "TestSupport.h"
#include "TextBox.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace {

const QString kIllegal = QStringLiteral(
    "You have entered characters in the Test Name\r\nfield that are not legal characters for "
    "filenames.\r\n\r\nPlease enter legal characters and try again.");
const QString kExists = QStringLiteral(
    "There is currently a test by this name.\r\nChoose a different name, or delete the\r\nexisting "
    "text.\r\n\r\nIf you need to make changes to the existing\r\ntest, click on the EDIT TEST "
    "tab.");

frmMain& startOnTab(int tab) {
    frmMain& m = Forms::get<frmMain>();
    m.Show();
    m.SSTab1->setCurrentIndex(tab);
    return m;
}

void fillCreate(frmMain& m, const QString& name, const QString& owner, const QString& password) {
    m.Text1->setText(name);
    m.Text2->setText(owner);
    m.Text3->setText(password);
}

// Counts the authoring windows that clicks open and closes each one the given
// way; it stops watching when it goes out of scope, opened or not.
class Opened : public QObject {
public:
    explicit Opened(bool saveProperties = true) {
        connect(&Forms::instance(), &Forms::modalWaitStarted, this,
                [this, saveProperties](Form* f) {
                    if (auto* p = qobject_cast<frmProperties*>(f)) {
                        ++properties;
                        QTimer::singleShot(0, p, [p, saveProperties] {
                            testing::click(saveProperties ? p->Command1 : p->Command2);
                        });
                    } else if (auto* e = qobject_cast<frmTestBuild*>(f)) {
                        ++editor;
                        QTimer::singleShot(0, e, [e] { testing::click(e->Command2); });
                    }
                });
    }
    int properties = 0;
    int editor = 0;
};

QStringList testFiles() {
    return QDir(QStringLiteral("tests")).entryList(QDir::Files, QDir::Name);
}

} // namespace

class TestAuthoringDoors : public QObject {
    Q_OBJECT
private slots:
    void createWritesTheHeaderThenOpensPropertiesAndTheEditor() {
        testing::Env env;
        frmMain& m = startOnTab(0);
        fillCreate(m, QStringLiteral("My Test  "), QStringLiteral(" Ann"), QStringLiteral("Pw"));
        QStringList seen;
        testing::whenModal<frmProperties>([&](frmProperties& p) {
            seen << QStringLiteral("properties");
            QCOMPARE(env.readFile(QStringLiteral("tests/My Test.tst")),
                     bytes::header(" Ann", "Pw"));
            QCOMPARE(m.File1->count(), 1); // the lists already show the new test
            QCOMPARE(p.txtOwner->text(), QStringLiteral(" Ann"));
            QCOMPARE(p.Label5->text(), QStringLiteral("   75%"));
            QVERIFY(p.optShuffle->isChecked());
            testing::click(p.Command1);
        });
        testing::whenModal<frmTestBuild>([&](frmTestBuild& e) {
            seen << QStringLiteral("editor");
            QCOMPARE(e.windowTitle(), QStringLiteral("Building ./tests/My Test.tst"));
            QCOMPARE(e.lblQuestionNumber->text(), QStringLiteral("1"));
            QTest::keyClicks(e.txtQuestion, QStringLiteral("First"));
            testing::click(e.Command1);
            QCOMPARE(e.lblQuestionNumber->text(), QStringLiteral(" 2"));
            QVERIFY(e.Option3->isChecked());
            testing::click(e.Command2);
        });
        testing::click(m.Command1);
        QCOMPARE(seen, QStringList({"properties", "editor"}));
        QVERIFY(env.boxes->shown.isEmpty());
        QCOMPARE(Module1::TestPath, QStringLiteral("./tests/My Test.tst"));

        QByteArray header = bytes::header(" Ann", "Pw");
        bytes::put(header, 1312, 200, " 75");
        const QByteArray file = env.readFile(QStringLiteral("tests/My Test.tst"));
        QCOMPARE(file.size(), 2 * 2514);
        QCOMPARE(bytes::record(file, 1), header);
        // question 1 carries along the header's unset fields and shuffle flag
        QCOMPARE(
            bytes::record(file, 2),
            bytes::question({1, "First", "TRUE/FALSE", {"TRUE", "FALSE"}, "TRUE", ""}, header));
        QCOMPARE(m.File2->count(), 1);
        QCOMPARE(Forms::active(), &m);
    }

    void aTestReadBeforeLeavesNothingInTheNewOne() {
        testing::Env env;
        QByteArray other = bytes::header("x", "y");
        bytes::put(other, 2212, 100, "old reserved");
        bytes::put(other, 1312, 200, " 90");
        env.writeFile(QStringLiteral("tests/Other.tst"), other);
        QVERIFY(Module1::readTestRecord(env.testsFile(QStringLiteral("Other.tst")), 1));
        frmMain& m = startOnTab(0);
        fillCreate(m, QStringLiteral("New"), QStringLiteral("o"), QStringLiteral("p"));
        Opened o(false);
        testing::click(m.Command1);
        QCOMPARE(o.properties, 1);
        QCOMPARE(o.editor, 1); // after "Cancel" and "&Done" at once: only the header, no score
        QCOMPARE(env.readFile(QStringLiteral("tests/New.tst")), bytes::header("o", "p"));
    }

    void createRefusesMissingFieldsAndBadNames() {
        testing::Env env;
        frmMain& m = startOnTab(0);
        Opened o;
        const QList<QStringList> empty = {{"   ", "o", "p"}, {"T", "  ", "p"}, {"T", "o", ""}};
        for (const QStringList& f : empty) {
            fillCreate(m, f[0], f[1], f[2]);
            testing::click(m.Command1);
        }
        QCOMPARE(env.boxes->shown.size(), 3);
        for (const QString& s : env.boxes->shown)
            QCOMPARE(s,
                     QStringLiteral(
                         "All fields need to be filled in\r\nbefore you can create a test file."));
        env.boxes->shown.clear();
        for (const QString& name :
             {QStringLiteral("a/b"), QStringLiteral("..\\up"), QString(300, QLatin1Char('x'))}) {
            fillCreate(m, name, QStringLiteral("o"), QStringLiteral("p"));
            testing::click(m.Command1);
        }
        QCOMPARE(env.boxes->shown, QStringList(3, kIllegal));
        QVERIFY(testFiles().isEmpty());
        QVERIFY(QDir(QStringLiteral("tests/a")).entryList(QDir::Files).isEmpty());
        QCOMPARE(o.properties + o.editor, 0);
        QCOMPARE(m.File1->count(), 0);
    }

    void anExistingTestIsNeverOverwritten() {
        testing::Env env;
        QByteArray original = bytes::header("Bob", "pw");
        original += bytes::question({1, "Q", "TYPED", {"a"}, "a", ""});
        env.writeFile(QStringLiteral("tests/Algebra.tst"), original);
        frmMain& m = startOnTab(0);
        Opened o;
        for (const char* name : {"Algebra", "algebra  ", "ALGEBRA"}) {
            fillCreate(m, QString::fromLatin1(name), QStringLiteral("me"), QStringLiteral("x"));
            testing::click(m.Command1);
        }
        QCOMPARE(env.boxes->shown, QStringList(3, kExists));
        QCOMPARE(env.readFile(QStringLiteral("tests/Algebra.tst")), original);
        QCOMPARE(testFiles(), QStringList({"Algebra.tst"}));
        QCOMPARE(o.properties + o.editor, 0);
    }

    void anEmptyFileOfThatNameBecomesTheTest() {
        testing::Env env;
        env.writeFile(QStringLiteral("tests/Empty.tst"), QByteArray());
        frmMain& m = startOnTab(0);
        fillCreate(m, QStringLiteral("empty"), QStringLiteral("o"), QStringLiteral("p"));
        Opened o(false);
        testing::click(m.Command1);
        QCOMPARE(o.properties, 1);
        QCOMPARE(testFiles(), QStringList({"Empty.tst"}));
        QCOMPARE(env.readFile(QStringLiteral("tests/Empty.tst")), bytes::header("o", "p"));
    }

    void editChecksOwnerAndPassword() {
        testing::Env env;
        QByteArray f = bytes::header(" Ann", "Secret");
        f += bytes::question({1, "First?", "TRUE/FALSE", {"TRUE", "FALSE"}, "TRUE", ""});
        env.writeFile(QStringLiteral("tests/Geo.tst"), f);
        frmMain& m = startOnTab(1);
        Opened o;

        testing::click(m.Command3);
        QCOMPARE(env.boxes->shown.last(), QStringLiteral("Select a Test to edit"));
        QVERIFY(Module1::TestPath.endsWith(Module1::pathSep()));

        QVERIFY(m.File1->selectFile(QStringLiteral("Geo.tst")));
        m.txtCreator->setText(QStringLiteral(" Ann"));
        testing::click(m.Command3);
        QCOMPARE(env.boxes->shown.last(), QStringLiteral("Both name AND password are required."));

        const QList<QPair<QString, QString>> refused = {
            {"Ann", "Secret"}, {" Ann ", "Secret"}, {" Ann", "Secret "}, {" Ann", "Secre"}};
        for (const auto& [owner, password] : refused) {
            m.txtCreator->setText(owner);
            m.txtPassword->setText(password);
            testing::click(m.Command3);
            QCOMPARE(env.boxes->shown.last(),
                     QStringLiteral("Incorrect Name and/or Password. Access Denied."));
        }
        QCOMPARE(Module1::TestPath, QStringLiteral("./tests/Geo.tst")); // kept after a refusal
        QCOMPARE(o.editor, 0);

        const int messages = env.boxes->shown.size();
        m.txtCreator->setText(QStringLiteral(" aNN"));
        m.txtPassword->setText(QStringLiteral("sECRET"));
        bool sawQuestion = false;
        testing::whenModal<frmTestBuild>([&](frmTestBuild& e) {
            sawQuestion = e.txtQuestion->text() == QStringLiteral("First?");
            testing::click(e.Command2);
        });
        testing::click(m.Command3);
        QVERIFY(sawQuestion);
        QCOMPARE(o.properties, 0); // the edit path opens no properties
        QCOMPARE(env.boxes->shown.size(), messages);
        QCOMPARE(env.readFile(QStringLiteral("tests/Geo.tst")), f);
    }

    void aVanishedTestIsReportedNotCreated() {
        testing::Env env;
        env.writeFile(QStringLiteral("tests/Gone.tst"), bytes::header("o", "p"));
        frmMain& m = startOnTab(1);
        QVERIFY(m.File1->selectFile(QStringLiteral("Gone.tst")));
        QVERIFY(QFile::remove(QStringLiteral("tests/Gone.tst")));
        m.txtCreator->setText(QStringLiteral("o"));
        m.txtPassword->setText(QStringLiteral("p"));
        testing::click(m.Command3);
        QCOMPARE(env.boxes->shown.size(), 1);
        QVERIFY(env.boxes->shown.first().contains(QStringLiteral("./tests/Gone.tst")));
        QVERIFY(testFiles().isEmpty());
    }

    void readMeShowsThePropertiesMessageAndLeavesNoWindow() {
        testing::Env env;
        frmMain& m = startOnTab(0);
        testing::click(m.Command8);
        QCOMPARE(env.boxes->shown.size(), 1);
        QVERIFY(env.boxes->shown.first().startsWith(
            QStringLiteral("When someone goes to take this test, they will first be\r\n")));
        QVERIFY(!Forms::isLoaded<frmProperties>());
        QCOMPARE(Forms::active(), &m);
        QVERIFY(testFiles().isEmpty());
    }
};

QTEST_MAIN(TestAuthoringDoors)
#include "tst_authoring_doors.moc"
