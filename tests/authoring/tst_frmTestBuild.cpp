// The question editor driven as an author does: typing, the kind and correct
// buttons, the moves, and the bytes each move leaves in the test file.
#include "Controls.h"
#include "frmProperties.h"
#include "frmTestBuild.h"
#include "Module1.h"
#include "RecordBytes.h"
#include "TestSupport.h"
#include "TextBox.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

const QString kFile = QStringLiteral("tests/t.tst");
const QColor kGreen(200, 255, 200);
const QColor kWhite(255, 255, 255);

QByteArray threeQuestions() {
    QByteArray f = bytes::header("o", "p");
    bytes::put(f, 1312, 200, " 75");
    f += bytes::question({1, "One?", "TRUE/FALSE", {"TRUE", "FALSE"}, "FALSE", "Because."});
    f += bytes::question({2, "Two?", "TYPED", {"answer"}, "answer", ""});
    QByteArray q3 = bytes::question({3, "Three?", "MULTIPLE", {"a", "b", "c", "", ""}, "b", "x"});
    bytes::put(q3, 2212, 100, "reserved 3");
    return f + q3;
}

frmTestBuild& openEditor(const testing::Env& env, const QByteArray& file) {
    env.writeFile(kFile, file);
    Module1::TestPath = env.testsFile(QStringLiteral("t.tst"));
    frmTestBuild& e = Forms::get<frmTestBuild>();
    e.Show();
    return e;
}

QList<QColor> choiceColours(const frmTestBuild& e) {
    QList<QColor> out;
    for (const QWidget* b : {e.txtChoice1, e.txtChoice2, e.txtChoice3, e.txtChoice4, e.txtChoice5})
        out << ui::backColor(b);
    return out;
}

QList<bool> shownChoices(const frmTestBuild& e) {
    QList<bool> out;
    for (const QWidget* b : {e.txtChoice1, e.txtChoice2, e.txtChoice3, e.txtChoice4, e.txtChoice5})
        out << !b->isHidden();
    return out;
}

QList<QColor> greenAt(int i) {
    QList<QColor> out(5, kWhite);
    out[i - 1] = kGreen;
    return out;
}

} // namespace

class TestQuestionEditor : public QObject {
    Q_OBJECT
private slots:
    void neverWrittenFieldsShowAsEmptyBoxes() {
        testing::Env env;
        // a question record of NUL bytes only, as a sparse or foreign file holds
        frmTestBuild& e = openEditor(env, bytes::header("o", "p") + QByteArray(2514, '\0'));
        QCOMPARE(e.txtQuestion->text(), QString());
        QCOMPARE(e.txtExplain->text(), QString());
        QCOMPARE(e.txtChoice1->text(), QString());
        QTest::keyClicks(e.txtQuestion, QStringLiteral("Typed at once"));
        QCOMPARE(e.txtQuestion->text(), QStringLiteral("Typed at once"));
    }

    void aNewTestStartsWithAnEmptyTrueFalseQuestion() {
        testing::Env env;
        frmTestBuild& e = openEditor(env, bytes::header("o", "p"));
        QCOMPARE(e.windowTitle(), QStringLiteral("Building ./tests/t.tst"));
        QCOMPARE(e.lblQuestionNumber->text(), QStringLiteral("1"));
        QVERIFY(e.Option1->isChecked());
        QCOMPARE(e.txtChoice1->text(), QStringLiteral("TRUE"));
        QCOMPARE(e.txtChoice2->text(), QStringLiteral("FALSE"));
        QVERIFY(e.txtChoice1->isLocked() && e.txtChoice2->isLocked());
        QCOMPARE(shownChoices(e), QList<bool>({true, true, false, false, false}));
        QVERIFY(e.Option4->isChecked());
        QCOMPARE(choiceColours(e), greenAt(1));
        QVERIFY(e.txtQuestion->text().isEmpty() && e.txtExplain->text().isEmpty());
        QCOMPARE(e.Command7->toolTip(), QStringLiteral("Go to first question"));
        QCOMPARE(e.Command8->toolTip(), QStringLiteral("go to last question"));
        QVERIFY(!e.Option4->icon().isNull());
        QCOMPARE(testing::unnamedControls(&e), QStringList());
        QCOMPARE(env.readFile(kFile).size(), 2514);

        // Locked means locked: typing into "TRUE" changes nothing.
        QTest::keyClicks(e.txtChoice1, QStringLiteral("xyz"));
        QCOMPARE(e.txtChoice1->text(), QStringLiteral("TRUE"));
    }

    void savingATrueFalseQuestionWithFalseCorrect() {
        testing::Env env;
        frmTestBuild& e = openEditor(env, bytes::header("o", "p"));
        QTest::keyClicks(e.txtQuestion, QStringLiteral("Is it?"));
        QTest::keyClick(e.txtQuestion, Qt::Key_Return);
        QTest::keyClicks(e.txtQuestion, QStringLiteral("Sure?"));
        QTest::keyClicks(e.txtExplain, QStringLiteral("No."));
        testing::click(e.Option5);
        QCOMPARE(choiceColours(e), greenAt(2));
        testing::click(e.Command4);
        testing::click(e.Command4); // a second save writes in place
        const QByteArray file = env.readFile(kFile);
        QCOMPARE(file.size(), 5028);
        QCOMPARE(bytes::record(file, 2),
                 bytes::question(
                     {1, "Is it?\r\nSure?", "TRUE/FALSE", {"TRUE", "FALSE"}, "FALSE", "No."}));
        QCOMPARE(bytes::field(file, 2514 + 1512, 200), bytes::padded("FALSE", 200));
        QCOMPARE(e.lblQuestionNumber->text(), QStringLiteral("1"));
        QVERIFY(env.boxes->shown.isEmpty());
    }

    void nextPastTheLastQuestionStartsAnEmptyOneThatBackAppends() {
        testing::Env env;
        const QByteArray original = threeQuestions();
        frmTestBuild& e = openEditor(env, original);
        QCOMPARE(e.txtQuestion->text(), QStringLiteral("One?"));
        QVERIFY(e.Option5->isChecked());
        testing::click(e.Command8); // >>
        QCOMPARE(e.lblQuestionNumber->text(), QStringLiteral("3"));
        QCOMPARE(e.txtQuestion->text(), QStringLiteral("Three?"));
        QVERIFY(e.Option3->isChecked());
        QVERIFY(e.Option5->isChecked());
        QCOMPARE(choiceColours(e), greenAt(2));

        testing::click(e.Command1); // Next >
        QCOMPARE(e.lblQuestionNumber->text(), QStringLiteral(" 4"));
        QVERIFY(e.Option3->isChecked());
        QCOMPARE(shownChoices(e), QList<bool>({true, true, true, true, true}));
        for (const MultiLineTextBox* b : {e.txtQuestion, e.txtChoice1, e.txtChoice5, e.txtExplain})
            QVERIFY(b->text().isEmpty());
        QCOMPARE(env.readFile(kFile), original); // saving question 3 as it was changes no byte

        testing::click(e.Command3); // < Back
        const QByteArray file = env.readFile(kFile);
        QCOMPARE(file.size(), 5 * 2514);
        QCOMPARE(file.left(4 * 2514), original);
        // reserved fields come along from the record read last (question 3)
        QCOMPARE(bytes::record(file, 5),
                 bytes::question({4, "", "MULTIPLE", {}, "", ""}, bytes::record(original, 4)));
        QCOMPARE(e.lblQuestionNumber->text(), QStringLiteral("3"));
        QCOMPARE(e.txtQuestion->text(), QStringLiteral("Three?"));
    }

    void backAndFirstOnQuestionOneDoNothing() {
        testing::Env env;
        const QByteArray original = threeQuestions();
        frmTestBuild& e = openEditor(env, original);
        QTest::keyClick(e.txtQuestion, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(e.txtQuestion, QStringLiteral(" edited"));
        testing::click(e.Command3);
        testing::click(e.Command7);
        QCOMPARE(env.readFile(kFile), original);
        QCOMPARE(e.txtQuestion->text(), QStringLiteral("One? edited"));
        QCOMPARE(e.lblQuestionNumber->text(), QStringLiteral("1"));
    }

    void movingAroundSavesTheScreenEachTime() {
        testing::Env env;
        frmTestBuild& e = openEditor(env, threeQuestions());
        testing::click(e.Command1);
        QCOMPARE(e.lblQuestionNumber->text(), QStringLiteral("2")); // as the load writes it
        QVERIFY(e.Option2->isChecked());
        QCOMPARE(shownChoices(e), QList<bool>({true, false, false, false, false}));
        QCOMPARE(e.txtChoice1->text(), QStringLiteral("answer"));
        QTest::keyClick(e.txtChoice1, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(e.txtChoice1, QStringLiteral("s"));
        testing::click(e.Command1);
        testing::click(e.Command7); // << saves question 3 and shows question 1
        QCOMPARE(e.txtQuestion->text(), QStringLiteral("One?"));
        const QByteArray file = env.readFile(kFile);
        QCOMPARE(file.size(), 4 * 2514);
        QCOMPARE(bytes::field(bytes::record(file, 3), 512, 200), bytes::padded("answers", 200));
        QCOMPARE(bytes::field(bytes::record(file, 3), 1512, 200), bytes::padded("answers", 200));
        testing::click(e.Command8);
        testing::click(e.Command8); // >> on the last question stays there
        QCOMPARE(e.lblQuestionNumber->text(), QStringLiteral("3"));
        QCOMPARE(env.readFile(kFile).size(), 4 * 2514);
    }

    void changingTheKindEmptiesTheChoicesOnlyWhenItChanges() {
        testing::Env env;
        frmTestBuild& e = openEditor(env, threeQuestions());
        testing::click(e.Command8);
        testing::click(e.Option3); // already multiple choice: nothing is lost
        QCOMPARE(e.txtChoice3->text(), QStringLiteral("c"));
        testing::click(e.Option2);
        QVERIFY(e.Option2->isChecked());
        QCOMPARE(shownChoices(e), QList<bool>({true, false, false, false, false}));
        QVERIFY(e.txtChoice1->text().isEmpty() && !e.txtChoice1->isLocked());
        QVERIFY(e.Option4->isChecked());
        QCOMPARE(choiceColours(e), greenAt(1));
        QTest::keyClicks(e.txtChoice1, QStringLiteral("Paris"));
        testing::click(e.Command4);
        const QByteArray rec = bytes::record(env.readFile(kFile), 4);
        QCOMPARE(bytes::field(rec, 502, 10), QByteArray("TYPED     "));
        QCOMPARE(bytes::field(rec, 512, 1000), bytes::padded("Paris", 1000));
        QCOMPARE(bytes::field(rec, 1512, 200), bytes::padded("Paris", 200));

        testing::click(e.Option1); // back to true/false
        QCOMPARE(e.txtChoice1->text(), QStringLiteral("TRUE"));
        QCOMPARE(shownChoices(e), QList<bool>({true, true, false, false, false}));
    }

    void equalChoicesMarkTheLaterOne() {
        testing::Env env;
        QByteArray f = bytes::header("o", "p");
        f += bytes::question({1, "Q", "multiple", {"same", "other", "same", "", ""}, "same", ""});
        frmTestBuild& e = openEditor(env, f);
        QVERIFY(e.Option3->isChecked());
        QVERIFY(e.Option6->isChecked());
        QCOMPARE(choiceColours(e), greenAt(3));
    }

    void textIsHeldToTheFieldsAndTheEightBitSet() {
        testing::Env env;
        frmTestBuild& e = openEditor(env, bytes::header("o", "p"));
        QTest::keyClicks(e.txtQuestion, QString(510, QLatin1Char('q')));
        QCOMPARE(e.txtQuestion->text().size(), 500);
        testing::click(e.Option3);
        e.txtChoice2->setText(QStringLiteral("Ω") + QString(250, QLatin1Char('c')));
        testing::click(e.Option5);
        e.txtExplain->setText(QStringLiteral("€ and ☃"));
        testing::click(e.Command4);
        const QByteArray rec = bytes::record(env.readFile(kFile), 2);
        QCOMPARE(bytes::field(rec, 2, 500), QByteArray(500, 'q'));
        QCOMPARE(bytes::field(rec, 712, 200), QByteArray("?") + QByteArray(199, 'c'));
        QCOMPARE(bytes::field(rec, 1512, 200), QByteArray("?") + QByteArray(199, 'c'));
        QCOMPARE(bytes::field(rec, 1712, 500), bytes::padded("\x80 and ?", 500));
    }

    void editPropertiesSavesTheScreenAndComesBackAtQuestionOne() {
        testing::Env env;
        frmTestBuild& e = openEditor(env, threeQuestions());
        testing::click(e.Command1);
        QTest::keyClick(e.txtQuestion, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(e.txtQuestion, QStringLiteral(" typed"));
        bool shown = false;
        testing::whenModal<frmProperties>([&](frmProperties& p) {
            shown = true;
            QCOMPARE(p.txtOwner->text(), QStringLiteral("o"));
            QCOMPARE(p.Label5->text(), QStringLiteral("   75%"));
            testing::click(p.Command2);
        });
        testing::click(e.Command5);
        QVERIFY(shown);
        QCOMPARE(e.lblQuestionNumber->text(), QStringLiteral("1"));
        QCOMPARE(e.txtQuestion->text(), QStringLiteral("One?"));
        QCOMPARE(Forms::active(), &e);
        const QByteArray q2 = bytes::record(env.readFile(kFile), 3);
        QCOMPARE(bytes::field(q2, 2, 500), bytes::padded("Two? typed", 500));
    }

    void doneHidesAndTheNextShowingStartsAgain() {
        testing::Env env;
        frmTestBuild& e = openEditor(env, threeQuestions());
        testing::click(e.Command1);
        testing::click(e.Command2);
        QVERIFY(!e.isVisible());
        QVERIFY(Forms::isLoaded<frmTestBuild>());
        QCOMPARE(e.lblQuestionNumber->text(), QStringLiteral("2"));
        const QByteArray before = env.readFile(kFile);

        // another test in the same run
        env.writeFile(QStringLiteral("tests/new.tst"), bytes::header("o", "p"));
        Module1::TestPath = env.testsFile(QStringLiteral("new.tst"));
        e.Show();
        QCOMPARE(e.windowTitle(), QStringLiteral("Building ./tests/new.tst"));
        QCOMPARE(e.lblQuestionNumber->text(), QStringLiteral("1"));
        QVERIFY(e.Option1->isChecked());
        QVERIFY(e.txtQuestion->text().isEmpty());
        QCOMPARE(env.readFile(kFile), before);
        e.close(); // the title bar's close button is "&Done"
        QVERIFY(Forms::isLoaded<frmTestBuild>());
        QCOMPARE(env.readFile(QStringLiteral("tests/new.tst")).size(), 2514);
    }

    void aStoredNumberThatDisagreesWithItsPlaceIsNotFollowed() {
        testing::Env env;
        QByteArray f = threeQuestions();
        bytes::putInt16(f, 2 * 2514, 9); // question 2 claims to be number 9
        frmTestBuild& e = openEditor(env, f);
        testing::click(e.Command1);
        QCOMPARE(e.lblQuestionNumber->text(), QStringLiteral("2"));
        testing::click(e.Command4);
        const QByteArray file = env.readFile(kFile);
        QCOMPARE(file.size(), 4 * 2514);
        QCOMPARE(bytes::record(file, 3).left(2), QByteArray("\x02\x00", 2));
    }

    void noQuestionIsWrittenPastTheLastRecordATestCanHave() {
        testing::Env env;
        env.writeFile(kFile, bytes::header("o", "p"));
        const qint64 full = qint64(32767) * 2514;
        {
            QFile f(kFile);
            QVERIFY(f.resize(full)); // sparse: questions of NULs
        }
        Module1::TestPath = env.testsFile(QStringLiteral("t.tst"));
        frmTestBuild& e = Forms::get<frmTestBuild>();
        e.Show();
        testing::click(e.Command8);
        QCOMPARE(e.lblQuestionNumber->text(), QStringLiteral("32766"));
        QTest::keyClick(e.txtQuestion, Qt::Key_A, Qt::ControlModifier); // over the NULs
        QTest::keyClicks(e.txtQuestion, QStringLiteral("last"));
        testing::click(e.Command1);
        QCOMPARE(e.lblQuestionNumber->text(), QStringLiteral("32766"));
        QCOMPARE(e.txtQuestion->text(), QStringLiteral("last"));
        QCOMPARE(QFile(kFile).size(), full);
        QCOMPARE(env.boxes->shown, QStringList({"A test can hold at most 32,766 questions."}));
        QFile f(kFile);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.seek(full - 2514));
        QCOMPARE(f.read(2514).mid(2, 4), QByteArray("last"));
    }

    void aFailedWriteSaysWhyAndKeepsTheScreen() {
        testing::Env env;
        Module1::TestPath = QStringLiteral("/dev/full"); // every write fails: disk full
        frmTestBuild& e = Forms::get<frmTestBuild>();
        e.Show();
        QTest::keyClicks(e.txtQuestion, QStringLiteral("keep me"));
        testing::click(e.Command1);
        QCOMPARE(e.lblQuestionNumber->text(), QStringLiteral("1"));
        QCOMPARE(e.txtQuestion->text(), QStringLiteral("keep me"));
        QCOMPARE(env.boxes->shown.size(), 1);
        QVERIFY(env.boxes->shown.first().startsWith(
            QStringLiteral("The question could not be saved to \"/dev/full\":\r\n")));
        QVERIFY(env.boxes->shown.first().size() >
                QStringLiteral("The question could not be saved to \"/dev/full\":\r\n").size());
        testing::click(e.Command5); // the properties do not open over an unsaved question
        QCOMPARE(env.boxes->shown.size(), 2);
        QVERIFY(!Forms::isLoaded<frmProperties>());
        QCOMPARE(e.txtQuestion->text(), QStringLiteral("keep me"));
    }
};

QTEST_MAIN(TestQuestionEditor)
#include "tst_frmTestBuild.moc"
