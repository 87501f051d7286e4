// The final score window as the candidate sees it at the end of a run.
#include "Controls.h"
#include "frmScore.h"
#include "Module1.h"
#include "ScoreLog.h"
#include "TestSupport.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

struct Chart {
    int requiredTwips = 0;
    QString requiredCaption;
    int myTwips = 0;
    QString myCaption;
    QColor myBack;
    QColor myFore;
    QRect myGeometry;
};

// Takes a run of `toTake` questions with `correct` right to its end and reads
// the chart off the score window before closing it.
Chart chartAfterRun(testing::Env& env, const QByteArray& passingField, int toTake, int correct) {
    TestRecord header;
    header.setRaw(TestRecord::PassingScore, passingField);
    env.writeFile("tests/MATH1.tst", header.bytes());
    Module1::TestsDir = Module1::defaultTestsDir();
    Module1::TestPath = Module1::joinPath(Module1::TestsDir, "MATH1.tst");
    Module1::CandidateName = "Ann";
    Chart c;
    testing::whenModal<frmScore>([&c](frmScore& w) {
        c = {w.barRequiredTwips(),    w.barRequired->text(),       w.barMyScoreTwips(),
             w.barMyScore->text(),    ui::backColor(w.barMyScore), ui::foreColor(w.barMyScore),
             w.barMyScore->geometry()};
        testing::click(w.Command1);
    });
    scoring::finishRun(toTake, correct);
    return c;
}

const QString kPassing75 = QStringLiteral("Passing Score =  75%   ");

} // namespace

class TestFinalScore : public QObject {
    Q_OBJECT
private slots:
    void barsAgainstAPassingScoreOf75_data() {
        QTest::addColumn<int>("score");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("back");
        QTest::addColumn<int>("fore");
        QTest::newRow("0") << 0 << 15 << "Your score =   (FAIL)    " << 4 << 15;
        QTest::newRow("74") << 74 << 15 + 74 * 48 << "Your Score =  74%     (FAIL)    " << 4 << 15;
        QTest::newRow("75") << 75 << 15 + 75 * 48 << "Your Score =  75%     (PASS)    " << 2 << 0;
        QTest::newRow("100") << 100 << 4815 << "Your Score =  100%     (PASS)    " << 2 << 0;
    }
    void barsAgainstAPassingScoreOf75() {
        QFETCH(int, score);
        testing::Env env;
        const Chart c = chartAfterRun(env, " 75", 100, score);
        QCOMPARE(c.requiredTwips, 15 + 75 * 48);
        QCOMPARE(c.requiredCaption, kPassing75);
        QTEST(c.myTwips, "width");
        QTEST(c.myCaption, "caption");
        QFETCH(int, back);
        QFETCH(int, fore);
        QCOMPARE(c.myBack, ui::qbColor(back));
        QCOMPARE(c.myFore, ui::qbColor(fore));
        QCOMPARE(c.myGeometry, QRect(16, 80, ui::px(c.myTwips), 33));
    }

    void passingScoreFromTheTestFile_data() {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("verdict");
        QTest::newRow("blank") << QByteArray() << 15 + 75 * 48 << kPassing75 << "  (FAIL)    ";
        QTest::newRow("NULs") << QByteArray(200, '\0') << 15 + 75 * 48 << kPassing75
                              << "  (FAIL)    ";
        QTest::newRow("40") << QByteArray("40") << 15 + 40 * 48 << "Passing Score =  40%   "
                            << "  (PASS)    ";
        QTest::newRow("60") << QByteArray(" 60") << 2895 << "Passing Score =  60%   "
                            << "  (PASS)    ";
        QTest::newRow("62.5") << QByteArray("62.5") << 15 + 62 * 48 << "Passing Score =  62.5%   "
                              << "  (FAIL)    ";
        QTest::newRow("huge") << QByteArray("99999999999") << 15 + 1000 * 48
                              << "Passing Score =  99999999999%   "
                              << "  (FAIL)    ";
    }
    void passingScoreFromTheTestFile() {
        QFETCH(QByteArray, field);
        testing::Env env;
        const Chart c = chartAfterRun(env, field, 10, 6); // 60 %
        QTEST(c.requiredTwips, "width");
        QTEST(c.requiredCaption, "caption");
        QFETCH(QString, verdict);
        QVERIFY(c.myCaption.endsWith(verdict));
    }

    void aTestFileGoneMeansTheUsualPassingScore() {
        testing::Env env;
        Module1::TestsDir = Module1::defaultTestsDir();
        Module1::TestPath = Module1::joinPath(Module1::TestsDir, "Gone.tst");
        Module1::CandidateName = "Ann";
        Module1::FinalScore = 80;
        frmScore& w = Forms::get<frmScore>();
        w.Show();
        QCOMPARE(w.barRequired->text(), kPassing75);
        QCOMPARE(w.barMyScore->text(), QStringLiteral("Your Score =  80%     (PASS)    "));
        QVERIFY(env.boxes->shown.isEmpty());
        QVERIFY(!QFile::exists("tests/Gone.tst"));
    }

    void headingShowsTestCandidateAndClock() {
        testing::Env env;
        chartAfterRun(env, " 75", 4, 3);
        Module1::TestPath = Module1::joinPath(Module1::TestsDir, "Geography of Europe.tst");
        Module1::CandidateName = " Ann Lee";
        frmScore& w = Forms::get<frmScore>();
        w.Show();
        QCOMPARE(w.windowTitle(), QStringLiteral("Test Score"));
        QCOMPARE(w.Label1->text(), QStringLiteral("Geography of Europe"));
        QCOMPARE(w.Label2->text(), QStringLiteral("Name:  Ann Lee"));
        QCOMPARE(w.Label3->text(), platform::dateText());
        QCOMPARE(w.Label4->text(), platform::timeText());
        QCOMPARE(testing::unnamedControls(&w), QStringList());

        // activating again redraws rather than stretching the bars further
        const int before = w.barMyScoreTwips();
        Forms::get<frmScore>().Hide();
        Form other;
        other.Show();
        w.Show();
        QCOMPARE(w.barMyScoreTwips(), before);
        QCOMPARE(w.barRequiredTwips(), 15 + 75 * 48);
    }

    void printingLeavesTheWindowAsItWas() {
        testing::Env env;
        TestRecord header;
        header.setRaw(TestRecord::PassingScore, " 75");
        env.writeFile("tests/MATH1.tst", header.bytes());
        Module1::TestPath = "./tests/MATH1.tst";
        Module1::FinalScore = 50;
        frmScore& w = Forms::get<frmScore>();
        w.Show();
        const QColor windowBack = ui::backColor(&w);
        const QColor frameBack = ui::backColor(w.Frame1);
        const QImage before = w.grab().toImage();

        testing::click(w.Command2);
        QCOMPARE(env.printer->printed.size(), 1);
        const QImage page = env.printer->printed.first();
        QCOMPARE(page.pixelColor(2, 2), QColor(Qt::white)); // window
        // inside the frame the style's own shading of the panel stays
        const QPoint inFrame = ui::twips(240, 840, 1, 1).topLeft() + QPoint(40, 20);
        QVERIFY(page.pixelColor(inFrame).lightness() >= 250);
        QVERIFY(page.pixelColor(inFrame) != before.pixelColor(inFrame));
        QCOMPARE(page.pixelColor(w.Command1->geometry().center()), QColor(Qt::white)); // no buttons
        QCOMPARE(page.pixelColor(w.Command2->geometry().center()), QColor(Qt::white));

        QVERIFY(w.Command1->isVisible());
        QVERIFY(w.Command2->isVisible());
        QCOMPARE(ui::backColor(&w), windowBack);
        QCOMPARE(ui::backColor(w.Frame1), frameBack);
        QCOMPARE(w.grab().toImage(), before);

        // without a printer the window is restored just the same
        env.printer->available = false;
        testing::click(w.Command2);
        QCOMPARE(env.boxes->shown, QStringList({"No printer is available."}));
        QVERIFY(w.Command1->isVisible() && w.Command2->isVisible());
        QCOMPARE(w.grab().toImage(), before);
    }
};

QTEST_MAIN(TestFinalScore)
#include "tst_frmScore.moc"
