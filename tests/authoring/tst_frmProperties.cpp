// The properties window: what it opens with, what "Save/Done" writes and what
// "Cancel" and "Read Me" leave alone.
#include "frmProperties.h"
#include "Module1.h"
#include "RecordBytes.h"
#include "TestSupport.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

namespace {

const QString kFile = QStringLiteral("tests/t.tst");

// Opens the window on the test file and runs `action` inside its modal wait.
void openAnd(const testing::Env& env, std::function<void(frmProperties&)> action) {
    Module1::TestPath = env.testsFile(QStringLiteral("t.tst"));
    bool ran = false;
    testing::whenModal<frmProperties>([&](frmProperties& w) {
        ran = true;
        action(w);
        if (Forms::isLoaded<frmProperties>() && !w.isUnloading())
            w.Unload(); // a failed check must not leave the wait hanging
    });
    QVERIFY(frmProperties::openFor(Module1::TestPath));
    QVERIFY(ran);
    QVERIFY(!Forms::isLoaded<frmProperties>());
}

QList<bool> boxes(const frmProperties& w) {
    QList<bool> out;
    for (const QCheckBox* c : {w.chkCorrect1, w.ChkCorrect2, w.chkCorrect3, w.chkCorrect4,
                               w.chkIncorrect1, w.chkIncorrect2, w.chkIncorrect3, w.chkIncorrect4})
        out << c->isChecked();
    return out;
}

} // namespace

class TestProperties : public QObject {
    Q_OBJECT
private slots:
    void aNewTestOpensWithItsDefaultsAndSavesThem() {
        testing::Env env;
        env.writeFile(kFile, bytes::header("Ann ", "pw"));
        openAnd(env, [](frmProperties& w) {
            QCOMPARE(w.windowTitle(), QStringLiteral("Properties"));
            QCOMPARE(w.txtOwner->text(), QStringLiteral("Ann"));
            QCOMPARE(w.txtPassword->text(), QStringLiteral("pw"));
            QCOMPARE(boxes(w), QList<bool>({true, false, false, false, true, true, true, false}));
            QVERIFY(w.optShuffle->isChecked());
            QCOMPARE(w.VScroll1->value(), 75);
            QCOMPARE(w.Label5->text(), QStringLiteral("   75%"));
            QCOMPARE(w.chkCorrect1->text(), QStringLiteral("Display \"Correct!\""));
            QCOMPARE(w.optNoShuffle->text(),
                     QStringLiteral("Display the asnwers in the same order I enter them"));
            QCOMPARE(testing::unnamedControls(&w), QStringList());
            testing::click(w.Command1);
        });
        QByteArray expected = bytes::header("Ann", "pw");
        bytes::put(expected, 1312, 200, " 75");
        QCOMPARE(env.readFile(kFile), expected);
    }

    void openingFollowsTheStoredHeader() {
        testing::Env env;
        QByteArray h = bytes::header("o", "p", "0101", "1x1", 0);
        bytes::put(h, 1312, 200, "50");
        env.writeFile(kFile, h);
        openAnd(env, [](frmProperties& w) {
            QCOMPARE(boxes(w), QList<bool>({false, true, false, true, true, false, true, false}));
            QVERIFY(w.optNoShuffle->isChecked());
            QCOMPARE(w.VScroll1->value(), 50);
            QCOMPARE(w.Label5->text(), QStringLiteral("   50%"));
            testing::click(w.Command2);
        });
        bytes::putInt16(h, 2512, 7); // neither 0 nor 1
        bytes::put(h, 1312, 200, "180");
        env.writeFile(kFile, h);
        openAnd(env, [](frmProperties& w) {
            QVERIFY(w.optShuffle->isChecked());
            QCOMPARE(w.Label5->text(), QStringLiteral("   100%"));
            testing::click(w.Command2);
        });
    }

    void saveWritesEverySettingAndKeepsTheRest() {
        testing::Env env;
        QByteArray h = bytes::header("Old owner", "oldpw");
        bytes::put(h, 2212, 100, "reserved");
        env.writeFile(kFile, h + QByteArray(2514, 'Q'));
        openAnd(env, [](frmProperties& w) {
            w.txtOwner->clear();
            QTest::keyClicks(w.txtOwner, QStringLiteral(" New owner "));
            w.txtPassword->clear(); // an empty password keeps the old one
            for (QCheckBox* c :
                 {w.chkCorrect1, w.ChkCorrect2, w.chkCorrect3, w.chkCorrect4, w.chkIncorrect1,
                  w.chkIncorrect2, w.chkIncorrect3, w.chkIncorrect4}) {
                if (!c->isChecked())
                    testing::click(c);
            }
            testing::click(w.optNoShuffle);
            w.VScroll1->setFocus();
            QTest::keyClick(w.VScroll1, Qt::Key_Down); // 50 at the top, 100 at the bottom
            QCOMPARE(w.Label5->text(), QStringLiteral("   76%"));
            QTest::mouseClick(w.VScroll1, Qt::LeftButton, {}, QPoint(w.VScroll1->width() / 2, 2));
            QCOMPARE(w.Label5->text(), QStringLiteral("   75%"));
            QTest::keyClick(w.VScroll1, Qt::Key_End);
            QCOMPARE(w.Label5->text(), QStringLiteral("   100%"));
            testing::click(w.Command1);
        });
        QByteArray expected = bytes::header(" New owner ", "oldpw", "1111", "1111", 0);
        bytes::put(expected, 2212, 100, "reserved");
        bytes::put(expected, 1312, 200, " 100");
        QCOMPARE(env.readFile(kFile), expected + QByteArray(2514, 'Q'));
        QCOMPARE(Module1::TestRec.bytes(), expected);
    }

    void cancelLeavesTheFileAsItWas() {
        testing::Env env;
        QByteArray h = bytes::header("o", "p");
        bytes::put(h, 1312, 200, " 60");
        env.writeFile(kFile, h);
        openAnd(env, [](frmProperties& w) {
            w.txtOwner->setText(QStringLiteral("x"));
            w.txtPassword->setText(QStringLiteral("y"));
            testing::click(w.chkCorrect1);
            testing::click(w.chkIncorrect4);
            testing::click(w.optNoShuffle);
            w.VScroll1->setValue(99);
            testing::click(w.Command2);
        });
        QCOMPARE(env.readFile(kFile), h);
        QCOMPARE(Module1::TestRec.bytes(), h); // still the header the opener read
        // the title bar's close button is "Cancel" too
        openAnd(env, [](frmProperties& w) {
            w.txtOwner->setText(QStringLiteral("x"));
            w.close();
        });
        QCOMPARE(env.readFile(kFile), h);
    }

    void readMeLeavesTheWindowOpen() {
        testing::Env env;
        env.writeFile(kFile, bytes::header("o", "p"));
        openAnd(env, [&](frmProperties& w) {
            testing::click(w.Command3);
            QVERIFY(w.isVisible());
            QVERIFY(!w.isUnloading());
            testing::click(w.Command2);
        });
        QCOMPARE(env.boxes->shown.size(), 1);
        const QStringList lines = env.boxes->shown.first().split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 10);
        QCOMPARE(lines[0],
                 QStringLiteral("When someone goes to take this test, they will first be"));
        QCOMPARE(lines[2], QStringLiteral("Name of the test, your name (as you entered in  "));
        QCOMPARE(lines[5], QString());
        QCOMPARE(lines[7],
                 QStringLiteral("by placing a .bmp file in the /tests directory that has "));
        QCOMPARE(lines[9],
                 QStringLiteral("your test is  MYTEST, your bitmap should be named MYTEST.BMP"));
    }

    void aFailedSaveSaysWhyAndKeepsTheWindow() {
        testing::Env env;
        Module1::TestPath = QStringLiteral("/dev/full"); // reads NULs, every write fails
        bool ran = false;
        testing::whenModal<frmProperties>([&](frmProperties& w) {
            ran = true;
            QCOMPARE(w.Label5->text(), QStringLiteral("   75%"));
            w.txtOwner->setText(QStringLiteral("Typed owner"));
            testing::click(w.Command1);
            QVERIFY(!w.isUnloading());
            QCOMPARE(w.txtOwner->text(), QStringLiteral("Typed owner"));
            w.Unload();
        });
        QVERIFY(frmProperties::openFor(Module1::TestPath));
        QVERIFY(ran);
        QCOMPARE(env.boxes->shown.size(), 1);
        QVERIFY(env.boxes->shown.first().startsWith(
            QStringLiteral("The test's settings could not be saved to \"/dev/full\":\r\n")));
    }

    void aMissingTestIsReportedAndNotCreated() {
        testing::Env env;
        QVERIFY(!frmProperties::openFor(env.testsFile(QStringLiteral("gone.tst"))));
        QVERIFY(!Forms::isLoaded<frmProperties>());
        QCOMPARE(env.boxes->shown.size(), 1);
        QVERIFY(env.boxes->shown.first().contains(QStringLiteral("gone.tst")));
        QVERIFY(env.readFile(QStringLiteral("tests/gone.tst")).isNull());
    }
};

QTEST_MAIN(TestProperties)
#include "tst_frmProperties.moc"
