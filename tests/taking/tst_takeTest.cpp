// Taking a test: the rules that need no window, then the take door, the
// introduction, the question count and the run with its feedback, clock, print and exit.
#include "Controls.h"
#include "FileListBox.h"
#include "Form2.h"
#include "frmBig.h"
#include "frmCI.h"
#include "frmMain.h"
#include "frmNumOfQ.h"
#include "frmScore.h"
#include "frmTakeTest.h"
#include "ImageBox.h"
#include "Module1.h"
#include "Pictures.h"
#include "TestSupport.h"
#include "UpDownBar.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace taking;

namespace {

struct Q {
    QString type, text;
    QStringList choices;
    QString correct, explanation;
};
Q tf(const QString& text, bool answer = true) {
    return {kTypeTrueFalse, text, {"TRUE", "FALSE"}, answer ? "TRUE" : "FALSE", "Because."};
}
Q mc(const QString& text, const QStringList& choices = {"c1", "c2", "c3", "c4", "c5"}) {
    return {kTypeMultiple, text, choices, "c4", {}};
}
QList<Q> numbered(int n) { // "Q1" .. "Qn", each answered TRUE
    QList<Q> qs;
    for (int k = 1; k <= n; ++k)
        qs << tf(u"Q%1"_s.arg(k));
    return qs;
}

// A test file as the authoring windows write it.
QByteArray testFile(const QList<Q>& qs, const QByteArray& right = "0000",
                    const QByteArray& wrong = "0000", const QString& owner = "o") {
    TestRecord head;
    head.setText(TestRecord::Owner, owner);
    head.setRaw(TestRecord::CorrectFeedback, right);
    head.setRaw(TestRecord::IncorrectFeedback, wrong);
    QByteArray out = head.bytes();
    for (int k = 0; k < qs.size(); ++k) {
        TestRecord r;
        r.setText(TestRecord::QuestionText, qs[k].text);
        r.setText(TestRecord::QuestionType, qs[k].type);
        for (int i = 1; i <= 5; ++i)
            r.setText(TestRecord::choice(i), qs[k].choices.value(i - 1));
        r.setText(TestRecord::CorrectAnswer, qs[k].correct);
        r.setText(TestRecord::Explanation, qs[k].explanation);
        out += r.bytes();
    }
    return out;
}

frmMain& startMain(const QString& test, const QString& candidate = "Ann") {
    frmMain& m = Forms::get<frmMain>();
    m.Show();
    m.SSTab1->setCurrentIndex(2);
    m.File2->selectFile(test);
    QTest::keyClicks(m.txtName, candidate);
    return m;
}

// Presses the Ok button (Command1) of the modal window W once it is up, after `before`.
template <class W> void pressOk(const std::function<void(W&)>& before = {}) {
    testing::whenModal<W>([before](W& w) {
        if (before)
            before(w);
        testing::click(w.Command1);
    });
}

// Presses "&Begin", through the introduction and count window; `run` acts in the run.
void begin(frmMain& m, const std::function<void(frmTakeTest&)>& run,
           const std::function<void(frmNumOfQ&)>& count = {},
           const std::function<void(Form2&)>& intro = {}) {
    pressOk<Form2>(intro);
    pressOk<frmNumOfQ>(count);
    testing::whenModal<frmTakeTest>([run](frmTakeTest& t) {
        QPointer<frmTakeTest> guard(&t);
        run(t);
        // A failed check leaves the run where it stopped: end it so the test ends.
        if (QTest::currentTestFailed() && guard && Forms::isLoaded<frmTakeTest>())
            guard->Unload();
    });
    testing::click(m.Command4);
}

std::array<QLabel*, 5> labels(frmTakeTest& t) {
    return {t.labelA, t.labelB, t.labelC, t.labelD, t.labelE};
}

// The answer rows as shown: "-" hidden, "o" a button without its label, else the label.
QString rows(frmTakeTest& t) {
    const std::array<QRadioButton*, 5> b = {t.answerA, t.answerB, t.answerC, t.answerD, t.answerE};
    QStringList out;
    for (std::size_t i = 0; i < 5; ++i)
        out << (!b[i]->isVisible()          ? u"-"_s
                : labels(t)[i]->isVisible() ? rightTrimmed(labels(t)[i]->text())
                                            : u"o"_s);
    return out.join('|');
}

// Picks (by clicking its text) or types `text`, then presses "&Next".
void answer(frmTakeTest& t, const QString& text) {
    if (t.txtANswer->isVisible()) {
        t.txtANswer->clear();
        QTest::keyClicks(t.txtANswer, text);
    } else {
        for (QLabel* l : labels(t))
            if (l->isVisible() && rightTrimmed(l->text()) == text)
                QTest::mouseClick(l, Qt::LeftButton);
    }
    testing::click(t.Command1);
}

// Notes what the detailed feedback window shows ("-" for a hidden frame) and closes it.
void noteBig(QStringList* seen) {
    testing::whenModal<frmBig>([seen](frmBig& b) {
        *seen << testing::unnamedControls(&b)
              << b.Label1->text() + '|' + (b.Frame1->isVisible() ? b.Label2->text() : "-") + '|' +
                     (b.Frame2->isVisible() ? b.Label3->text() : "-") + '|' + b.Label4->text();
        testing::click(b.Command1);
    });
}

} // namespace

class TestTakeTest : public QObject {
    Q_OBJECT
private slots:
    void drawFollowsTheFormulasWithASeededGenerator() {
        testing::Env env;
        env.clock->current.setTime(QTime(22, 35, 3)); // three draws discarded before each
        RecordDraw draw(10);
        // per draw three discards, then Int(r * 10 + 1) + 1; record 2 again is drawn anew
        env.random->values = {.5, .5, .5, 0.0, .5, .5, .5, .95, .5, .5, .5, .05, .5, .5, .5, .55};
        QCOMPARE(draw.next(), 2);
        QCOMPARE(draw.next(), 11);
        QCOMPARE(draw.next(), 7);
        QCOMPARE(env.random->draws, 16);
        env.clock->current.setTime(QTime(22, 35, 0));
        RecordDraw big(32766); // the top of the generator's range lands on the last record
        env.random->values.push_back(0.99999999999999989);
        QCOMPARE(big.next(), 32767);
    }

    void wholeRunAsksEachQuestionOnceAndHandsOverTheScore() {
        testing::Env env;
        const QList<Q> geo = {{kTypeMultiple, "Capital of France?", {"Paris", "Rome"}, "Paris", {}},
                              tf("The Nile is in Africa."),
                              {kTypeTyped, "Capital of Italy?", {"Rome"}, "Rome", {}}};
        env.writeFile("tests/Geo.tst", testFile(geo, "0000", "0000", "Mrs Smith"));
        QVERIFY(pictures::aboutPicture().save("tests/Geo.bmp", "BMP"));
        frmMain& m = startMain("Geo.tst", "  Ann  ");
        QStringList seen, asked;
        const auto intro = [&seen](Form2& f) {
            const frmTakeTest* t = Forms::find<frmTakeTest>(); // hidden, yet still waiting
            seen << testing::unnamedControls(&f) << f.Label1->text() << f.Label2->text()
                 << QString::number(t && !t->isVisible() && t->isInModalWait())
                 << QString::number(f.Image1->picture().size() == QSize(250, 188));
        };
        const auto count = [&seen](frmNumOfQ& n) { seen << testing::unnamedControls(&n); };
        const auto run = [&](frmTakeTest& t) {
            seen << testing::unnamedControls(&t)
                 << QString::number(QApplication::activeModalWidget() == &t) << t.windowTitle()
                 << t.lblScore->text();
            for (int i = 0; i < 3; ++i) {
                asked << t.lblQuestion->text();
                seen << t.Label1->text();
                if (i == 2)
                    pressOk<frmScore>();
                answer(t, std::find_if(geo.begin(), geo.end(), [&](const Q& q) {
                              return q.text == asked.last();
                          })->correct);
                if (i < 2)
                    seen << t.lblScore->text() << QString::number(t.scoreBar->width());
            }
        };
        begin(m, run, count, intro);
        QCOMPARE(seen, QStringList({"Geo", "Mrs Smith", "1", "1", "1",
                                    "[Quizdex] - TEST: ./tests/Geo.tst     NAME:   Ann",
                                    "Score:  0%", " 1 of  3", "Score:  33%", "130", " 2 of  3",
                                    "Score:  66%", "259", " 3 of  3"}));
        QCOMPARE(Module1::FinalScore, 100);
        QVERIFY(!Forms::isLoaded<frmTakeTest>() && env.boxes->shown.isEmpty());
    }

    void answersAreShownInTheirLayoutsAndArrangements() {
        testing::Env env;
        env.clock->current.setTime(QTime(10, 0, 0)); // no stirring: the queue is the draw
        env.writeFile("tests/L.tst",
                      testFile(QList<Q>() << mc("A") << mc("B") << mc("C") << mc("D")
                                          << mc("Blanks", {"c1", "c2", "c3"}) << tf("TF", false)
                                          << Q{kTypeTyped, "Type", {"Rome"}, "Rome", {}}
                                          << Q{"ESSAY", "Say something.", {}, "x", {}}));
        frmMain& m = startMain("L.tst");
        // records 2 .. 9 in turn, each multiple-choice one followed by its arrangement
        env.random->values = {1 / 16., 0.0,     3 / 16., .25,      5 / 16.,  .5,      7 / 16.,
                              .75,     9 / 16., .5,      11 / 16., 13 / 16., 15 / 16.};
        begin(m, [&](frmTakeTest& t) {
            for (const char* arranged :
                 {"c1|c2|c3|c4|c5", "c2|c3|c1|c4|c5", "c5|c1|c4|c2|c3", "c5|c4|c3|c2|c1"}) {
                QCOMPARE(rows(t), QString::fromLatin1(arranged));
                answer(t, u"c4"_s);
            }
            QCOMPARE(rows(t), u"|c1||c2|c3"_s);
            testing::click(t.Command1); // no answer chosen: a message and nothing else
            QCOMPARE(env.boxes->shown, QStringList({"Please select an answer."}));
            QCOMPARE(t.QuestionsAsked, 5);
            QTest::mouseClick(t.labelA, Qt::LeftButton); // a blank choice can be chosen
            testing::click(t.Command1);
            QCOMPARE(t.CorrectCount, 4);
            QCOMPARE(rows(t), u"TRUE|FALSE|-|-|-"_s);
            answer(t, u"FALSE"_s);
            QCOMPARE(rows(t), u"o|-|-|-|-"_s);
            QVERIFY(t.txtANswer->isVisible() && t.answerA->isChecked());
            answer(t, u"ROME   "_s);
            QCOMPARE(t.CorrectCount, 6);
            QCOMPARE(t.lblQuestion->text(), u"Say something."_s);
            QCOMPARE(rows(t), u"||||"_s); // an unknown type: five empty answers
            pressOk<frmScore>();
            QTest::mouseClick(t.labelC, Qt::LeftButton);
            testing::click(t.Command1);
        });
        QCOMPARE(Module1::FinalScore, 75);
    }

    void feedbackWindowsAndSoundsFollowTheFlags() {
        testing::Env env;
        env.clock->current.setTime(QTime(10, 0, 0));
        for (const char* f : {"Correct.wav", "wrong.wav", "NewQuestion.wav"})
            env.writeFile(u"tests/"_s + f, "x");
        const QList<Q> two = {tf("One"), {kTypeTyped, "Two", {"Paris"}, "Paris", "It is."}};
        // "11110": the count so far is the last character, not the fourth
        env.writeFile("tests/F.tst", testFile(two, "1000", "11110"));
        env.writeFile("tests/G.tst", testFile(two, "0001", QByteArray(200, 0)));
        frmMain& m = startMain("F.tst");
        QStringList seen;
        env.random->values = {0.0, 0.5};
        QPoint inLabel;
        begin(m, [&](frmTakeTest& t) {
            inLabel = t.labelC->mapTo(&t, t.labelC->rect().center());
            testing::whenModal<frmCI>([&](frmCI& ci) {
                QTest::qWait(1150); // the run's clock goes on under its feedback window
                const int s = t.Clock.ElapsedSeconds;
                seen << testing::unnamedControls(&ci) << ci.windowTitle() << ci.Label1->text()
                     << QString::number(s >= 1 && t.lblElapsedTime->text().endsWith(
                                                      u"Time: 0:00:0%1"_s.arg(s)));
                testing::click(ci.Command2); // prints the run window, not itself
                testing::click(ci.Command1);
            });
            answer(t, u"TRUE"_s);
            noteBig(&seen);
            pressOk<frmScore>();
            answer(t, u"  paris"_s); // leading blanks count
        });
        QCOMPARE(seen, QStringList({"Your Answer", "Correct Answer!", "1",
                                    "InCorrect Answer!|It is.|Paris|"}));
        QCOMPARE(env.sound->started,
                 QStringList({"Correct.wav", "NewQuestion.wav", "wrong.wav", "NewQuestion.wav"}));
        QCOMPARE(Module1::FinalScore, 50);
        QCOMPARE(env.printer->printed.size(), 1); // white where the window is coloured
        const QImage printed = env.printer->printed.first();
        QCOMPARE(printed.size(), QSize(759, 441));
        QCOMPARE(printed.pixelColor(2, 2), ui::qbColor(15));
        QCOMPARE(printed.pixelColor(inLabel), ui::qbColor(15));

        // "0001" after a right answer, unset (NUL) flags after a wrong one; a sound
        // still playing drops the next one
        env.sound->started.clear();
        env.sound->holds = true;
        m.File2->selectFile("G.tst");
        env.random->values = {0.0, 0.5};
        seen.clear();
        begin(m, [&](frmTakeTest& t) {
            noteBig(&seen);
            answer(t, u"TRUE"_s);
            env.sound->finish();
            noteBig(&seen);
            pressOk<frmScore>();
            answer(t, u"Rome"_s);
        });
        QCOMPARE(seen, QStringList({"|-|-|# Correct so far =  1", "|-|-|"}));
        QCOMPARE(env.sound->started, QStringList({"Correct.wav", "wrong.wav"}));
    }

    void questionCountsAndASecondRunStartClean() {
        testing::Env env;
        for (int n : {12, 7, 1})
            env.writeFile(u"tests/T%1.tst"_s.arg(n), testFile(numbered(n)));
        frmMain& m = startMain("T12.tst");
        QStringList asked;
        // the score window is closed as soon as it opens, even at once
        const auto takeAll = [&asked](frmTakeTest& t) {
            asked.clear();
            t.Timer1_Timer(); // a second on the clock
            for (int i = 0; i < t.QuestionsToTake; ++i) {
                QVERIFY(!asked.contains(t.lblQuestion->text())); // each record once
                asked << t.lblQuestion->text();
                answer(t, u"TRUE"_s);
            }
        };

        begin(m, takeAll, [](frmNumOfQ& n) { // custom: the top arrow raises, the bottom lowers
            pressOk<frmScore>();
            QTest::mouseClick(n.optCustom, Qt::LeftButton);
            for (int y : {2, 2, 2, 2, n.scrQtoTake->height() - 3})
                QTest::mouseClick(n.scrQtoTake, Qt::LeftButton, {}, QPoint(9, y));
            QCOMPARE(n.lblQtoTake->text(), u"4"_s);
        });
        QCOMPARE(asked.size(), 4);

        // the second run opens with All, a custom count of 1 and a fresh clock
        begin(m, takeAll, [](frmNumOfQ& n) {
            pressOk<frmScore>();
            QCOMPARE(Forms::find<frmTakeTest>()->Clock.text(), u"Elapsed Time: 0:00:00"_s);
            QVERIFY(n.optAll->isChecked() && !n.scrQtoTake->isEnabled());
            QCOMPARE(n.scrQtoTake->count(), 1);
            QCOMPARE(n.lblQtoTake->text() + n.lblAvailQ->text(), u"112"_s); // 1 of 12
        });
        QCOMPARE(asked.size(), 12);

        const auto half = [](frmNumOfQ& n) {
            pressOk<frmScore>();
            QTest::mouseClick(n.optHalf, Qt::LeftButton);
        };
        m.File2->selectFile("T7.tst");
        begin(m, takeAll, half);
        QCOMPARE(asked.size(), 3);
        m.File2->selectFile("T1.tst"); // half of one question still asks it
        begin(m, takeAll, half);
        QCOMPARE(asked, QStringList({"Q1"}));
        QCOMPARE(Module1::FinalScore, 100);
    }

    void theTakeDoorRefusesWhatCannotRunAndExitAsks() {
        testing::Env env;
        for (const char* name : {"tests/Ok.tst", "tests/Gone.tst"})
            env.writeFile(name, testFile(numbered(4)));
        env.writeFile("tests/Empty.tst", QByteArray());
        env.writeFile("tests/Header.tst", testFile({}));
        frmMain& m = startMain({}, {});
        const auto press = [&](const char* test, const QString& name) {
            if (*test)
                m.File2->selectFile(test);
            m.txtName->setText(name);
            testing::click(m.Command4);
            return env.boxes->shown.value(env.boxes->shown.size() - 1);
        };
        QCOMPARE(press("", "Ann"), u"Please select a Test to take."_s);
        QCOMPARE(press("Ok.tst", ""), u"Your name is required to take a test."_s);
        QVERIFY(press("Ok.tst", "a/b").startsWith(u"Your name cannot be used"_s));
        m.File2->selectFile("Gone.tst");
        QVERIFY(QFile::remove("tests/Gone.tst"));
        QVERIFY(press("", "Ann").contains(u"cannot be found"_s));
        QVERIFY(!QFile::exists("tests/Gone.tst"));
        QVERIFY(press("Empty.tst", "Ann").contains(u"is empty"_s));
        QCOMPARE(env.readFile("tests/Empty.tst"), QByteArray());
        QDir().mkpath(u"tests/Folder.tst"_s);
        QVERIFY(testFileProblem(u"tests/Folder.tst"_s).startsWith(u"Cannot read the test"_s));
        QFile huge(u"tests/Huge.tst"_s);
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(qint64(2514) * 32768));
        huge.close();
        QVERIFY(testFileProblem(huge.fileName()).contains(u"more than 32,767 records"_s));
        QVERIFY(!candidateNameProblem(u"..\\up"_s).isEmpty());
        QVERIFY(!candidateNameProblem(QString(300, 'x')).isEmpty());
        // no questions: the introduction, then the message, and back on the main window
        pressOk<Form2>();
        QCOMPARE(press("Header.tst", "Ann"), u"This test has 0 questions!"_s);
        QCOMPARE(env.boxes->shown.size(), 6);
        QCOMPARE(Forms::active(), &m);

        // a name of blanks only runs with an empty name; exit asks, and No changes nothing
        m.txtName->setText("   ");
        m.File2->selectFile("Ok.tst");
        env.boxes->shown.clear();
        env.printer->available = false;
        const QString sure = u"Are you sure you want to end the test?"_s;
        begin(m, [&](frmTakeTest& t) {
            t.Timer1->stop(); // only the ticks below count
            t.Clock.reset();
            for (int i = 0; i < 3599; ++i)
                t.Timer1_Timer();
            QCOMPARE(t.lblElapsedTime->text(), u"Elapsed Time: 0:59:59"_s);
            t.Timer1_Timer();
            QCOMPARE(t.lblElapsedTime->text(), u"Elapsed Time: 1:00:00"_s);
            const auto state = [&t] {
                return QStringList({t.windowTitle(), t.lblQuestion->text(), t.Label1->text(),
                                    t.lblScore->text(), t.lblElapsedTime->text()});
            };
            const QStringList before = state();
            testing::click(t.Command2);
            t.close();                  // the title bar's close button asks the same
            testing::click(t.Command3); // printing puts the window's colours back
            QCOMPARE(env.boxes->shown, QStringList({sure, sure, "No printer is available."}));
            QCOMPARE(state(), before);
            QVERIFY(t.RunStarted == 1 && t.isVisible() && t.isInModalWait());
            QCOMPARE(ui::backColor(t.labelA), ui::backColor(&t));
            QVERIFY(ui::backColor(&t) != ui::qbColor(15));
            env.boxes->answers.push_back(platform::Answer::Yes);
            t.close();
        });
        QCOMPARE(Module1::CandidateName, QString());
        QVERIFY(!Forms::isLoaded<frmTakeTest>() && !Forms::isLoaded<frmScore>());
        QCOMPARE(QDir("tests").entryList({"*.log"}), QStringList());
    }

    void aTestOfTheLargestSizeIsTakenWhole() {
        testing::Env env;
        env.writeFile("tests/Big.tst", testFile(numbered(32766)));
        env.writeFile("tests/NewQuestion.wav", "x");
        frmMain& m = startMain("Big.tst");
        m.Check1->setChecked(false); // the sound switch off: silence
        QSet<QString> seen;
        begin(m, [&](frmTakeTest& t) {
            for (int i = 0; i < t.QuestionsToTake; ++i) {
                seen.insert(t.lblQuestion->text());
                if (i == 32765)
                    pressOk<frmScore>();
                t.answerA->setChecked(true); // TRUE
                t.Command1_Click();
            }
        });
        QCOMPARE(seen.size(), 32766); // every question, none twice
        QCOMPARE(Module1::FinalScore, 100);
        QCOMPARE(env.sound->started, QStringList());
    }
};

QTEST_MAIN(TestTakeTest)
#include "tst_takeTest.moc"
