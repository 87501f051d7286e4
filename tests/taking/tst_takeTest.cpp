// Taking a test as a candidate does: the take door, the introduction, the
// question count, the run with its feedback windows, the clock, print and exit.
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
#include "TakeTestFiles.h"
#include "TestSupport.h"
#include "UpDownBar.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTabWidget>
#include <QTest>

using takefiles::Question;

namespace {

frmMain& startMain(const QString& test = {}, const QString& candidate = QStringLiteral("Ann")) {
    frmMain& m = Forms::get<frmMain>();
    m.Show();
    m.SSTab1->setCurrentIndex(2);
    if (!test.isEmpty())
        m.File2->selectFile(test);
    QTest::keyClicks(m.txtName, candidate);
    return m;
}

// What the candidate does in the question-count window before "&Ok".
using CountChoice = std::function<void(frmNumOfQ&)>;

// Presses "&Begin" and walks through the introduction and the count window;
// `run` then acts inside the run window's modal wait.
void begin(frmMain& m, const std::function<void(frmTakeTest&)>& run,
           const CountChoice& count = {}) {
    testing::whenModal<Form2>([](Form2& intro) { testing::click(intro.Command1); });
    testing::whenModal<frmNumOfQ>([count](frmNumOfQ& n) {
        if (count)
            count(n);
        testing::click(n.Command1);
    });
    bool ran = false;
    testing::whenModal<frmTakeTest>([&ran, run](frmTakeTest& t) {
        ran = true;
        QPointer<frmTakeTest> guard(&t);
        run(t);
        // A failed check leaves the run where it stopped: end it so the test ends.
        if (QTest::currentTestFailed() && guard && Forms::isLoaded<frmTakeTest>())
            guard->Unload();
    });
    testing::click(m.Command4);
    QVERIFY(ran);
}

QLabel* labelShowing(frmTakeTest& t, const QString& text) {
    for (QLabel* l : {t.labelA, t.labelB, t.labelC, t.labelD, t.labelE}) {
        if (l->isVisible() && rightTrimmed(l->text()) == text)
            return l;
    }
    return nullptr;
}

// Picks (by clicking its text) or types `text`, then presses "&Next".
void answer(frmTakeTest& t, const QString& text) {
    if (t.txtANswer->isVisible()) {
        t.txtANswer->clear();
        QTest::keyClicks(t.txtANswer, text);
    } else {
        QLabel* label = labelShowing(t, text);
        QVERIFY2(label, qPrintable(text));
        QTest::mouseClick(label, Qt::LeftButton);
    }
    testing::click(t.Command1);
}

void closeScoreWhenShown() {
    testing::whenModal<frmScore>([](frmScore& s) { testing::click(s.Command1); });
}

void clickArrow(UpDownBar* bar, QStyle::SubControl arrow) {
    QStyleOptionSlider opt;
    opt.initFrom(bar);
    opt.orientation = bar->orientation();
    opt.minimum = bar->minimum();
    opt.maximum = bar->maximum();
    opt.sliderPosition = bar->value();
    opt.sliderValue = bar->value();
    opt.singleStep = bar->singleStep();
    opt.pageStep = bar->pageStep();
    opt.subControls = QStyle::SC_All;
    const QRect r = bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, arrow, bar);
    QTest::mouseClick(bar, Qt::LeftButton, {}, r.center());
}

QList<Question> geography() {
    return {
        {kTypeMultiple,
         QStringLiteral("Capital of France?"),
         {QStringLiteral("Paris"), QStringLiteral("Rome"), QStringLiteral("Oslo"), QString(),
          QString()},
         QStringLiteral("Paris"),
         QStringLiteral("The Seine runs through it.")},
        takefiles::trueFalse(QStringLiteral("The Nile is in Africa."), true),
        {kTypeTyped,
         QStringLiteral("Capital of Italy?"),
         {QStringLiteral("Rome")},
         QStringLiteral("Rome"),
         QStringLiteral("Seven hills.")},
    };
}

QString correctFor(const QString& questionText) {
    for (const Question& q : geography())
        if (q.text == questionText)
            return q.correct;
    return QStringLiteral("TRUE");
}

} // namespace

class TestTakeTest : public QObject {
    Q_OBJECT
private slots:
    void wholeRunAsksEachQuestionOnceAndHandsOverTheScore() {
        testing::Env env;
        env.writeFile(
            QStringLiteral("tests/Geo.tst"),
            takefiles::testFile(takefiles::header(QStringLiteral("Mrs Smith")), geography()));
        env.writeFile(QStringLiteral("tests/NewQuestion.wav"), "x");
        QDir().mkpath(QStringLiteral("tests"));
        QVERIFY(pictures::aboutPicture().save(QStringLiteral("tests/Geo.bmp"), "BMP"));
        QVERIFY(pictures::questionDisc().save(QStringLiteral("tests/default.bmp"), "BMP"));
        frmMain& m = startMain(QStringLiteral("Geo.tst"), QStringLiteral("  Ann  "));

        bool introChecked = false;
        bool runHiddenButModal = false;
        QStringList intro;
        testing::whenModal<Form2>([&](Form2& f) {
            const frmTakeTest* t = Forms::find<frmTakeTest>();
            runHiddenButModal = t && !t->isVisible() && t->isInModalWait();
            intro << f.Label1->text() << f.Label2->text();
            introChecked = f.Image1->picture().size() == QSize(250, 188) &&
                           (f.windowFlags() & Qt::FramelessWindowHint) &&
                           f.size() == QSize(481, 313);
            testing::click(f.Command1);
        });
        bool countChecked = false;
        testing::whenModal<frmNumOfQ>([&](frmNumOfQ& n) {
            QCOMPARE(n.lblAvailQ->text(), QStringLiteral("3"));
            QCOMPARE(n.lblQtoTake->text(), QStringLiteral("1"));
            QVERIFY(n.optAll->isChecked());
            QVERIFY(!n.scrQtoTake->isEnabled() && !n.lblQtoTake->isEnabled());
            QCOMPARE(n.scrQtoTake->lowest(), 1);
            QCOMPARE(n.scrQtoTake->highest(), 3);
            countChecked = true;
            testing::click(n.Command1);
        });
        QStringList asked, counters, scores;
        QList<int> bars;
        bool ran = false;
        testing::whenModal<frmTakeTest>([&](frmTakeTest& t) {
            ran = true;
            QCOMPARE(QApplication::activeModalWidget(), &t);
            QCOMPARE(t.windowTitle(),
                     QStringLiteral("[Quizdex] - TEST: ./tests/Geo.tst     NAME:   Ann"));
            QCOMPARE(t.lblScore->text(), QStringLiteral("Score:  0%"));
            for (int i = 0; i < 3; ++i) {
                asked << t.lblQuestion->text();
                counters << t.Label1->text();
                if (i == 2)
                    closeScoreWhenShown();
                answer(t, correctFor(asked.last()));
                if (i < 2) {
                    scores << t.lblScore->text();
                    bars << t.scoreBar->width();
                }
            }
        });
        testing::click(m.Command4);
        QVERIFY(introChecked && countChecked && ran);
        QVERIFY(runHiddenButModal); // the introduction's moment does not end the run's wait
        QCOMPARE(intro, QStringList({"Geo", "Mrs Smith"}));

        QCOMPARE(Module1::CandidateName, QStringLiteral("  Ann"));
        QCOMPARE(counters, QStringList({" 1 of  3", " 2 of  3", " 3 of  3"}));
        QStringList sorted = asked;
        sorted.sort();
        QCOMPARE(sorted, QStringList({"Capital of France?", "Capital of Italy?",
                                      "The Nile is in Africa."}));
        QCOMPARE(scores, QStringList({"Score:  33%", "Score:  66%"}));
        QCOMPARE(bars, QList<int>({130, 259}));
        QCOMPARE(Module1::FinalScore, 100);
        // flags "0000": no verdict sounds, only the new-question sound after each answer
        QCOMPARE(env.sound->started,
                 QStringList({"NewQuestion.wav", "NewQuestion.wav", "NewQuestion.wav"}));
        QVERIFY(!Forms::isLoaded<frmTakeTest>());
        QCOMPARE(Forms::active(), &m);
        QVERIFY(env.boxes->shown.isEmpty());
    }

    void answersAreShownInTheirLayouts() {
        testing::Env env;
        env.clock->current.setTime(QTime(10, 0, 0)); // no stirring: the queue is the draw
        Question odd{
            QStringLiteral("ESSAY"), QStringLiteral("Say something."), {}, QStringLiteral("x"), {}};
        const QList<Question> qs = {{kTypeMultiple,
                                     QStringLiteral("Pick"),
                                     {QStringLiteral("c1"), QStringLiteral("c2"),
                                      QStringLiteral("c3"), QString(), QString()},
                                     QStringLiteral("c1"),
                                     {}},
                                    takefiles::trueFalse(QStringLiteral("TF"), false),
                                    {kTypeTyped,
                                     QStringLiteral("Type"),
                                     {QStringLiteral("Rome")},
                                     QStringLiteral("Rome"),
                                     {}},
                                    odd};
        env.writeFile(QStringLiteral("tests/L.tst"),
                      takefiles::testFile(takefiles::header(QStringLiteral("o")), qs));
        frmMain& m = startMain(QStringLiteral("L.tst"));
        // records 2, 3, 4, 5 in turn; arrangement 3 for the multiple-choice one
        env.random->values = {0.0, 0.5, 0.25, 0.5, 0.75};
        begin(m, [&](frmTakeTest& t) {
            QCOMPARE(t.lblQuestion->text(), QStringLiteral("Pick"));
            QCOMPARE(t.AnswerArrangement, 3);
            QCOMPARE(rightTrimmed(t.labelA->text()), QString());
            QCOMPARE(rightTrimmed(t.labelB->text()), QStringLiteral("c1"));
            QCOMPARE(rightTrimmed(t.labelC->text()), QString());
            QCOMPARE(rightTrimmed(t.labelD->text()), QStringLiteral("c2"));
            QCOMPARE(rightTrimmed(t.labelE->text()), QStringLiteral("c3"));
            QCOMPARE(t.labelB->text().size(), 200); // the full stored text
            for (QRadioButton* b : {t.answerA, t.answerB, t.answerC, t.answerD, t.answerE})
                QVERIFY(b->isVisible() && !b->isChecked());
            QVERIFY(!t.txtANswer->isVisible());
            // no answer chosen: a message and nothing else
            testing::click(t.Command1);
            QCOMPARE(env.boxes->shown, QStringList({"Please select an answer."}));
            QCOMPARE(t.QuestionsAsked, 1);
            // a blank choice can be chosen (and is wrong here)
            QTest::mouseClick(t.labelA, Qt::LeftButton);
            QVERIFY(t.answerA->isChecked());
            testing::click(t.Command1);
            QCOMPARE(t.CorrectCount, 0);

            QCOMPARE(t.lblQuestion->text(), QStringLiteral("TF"));
            QCOMPARE(t.labelA->text(), QStringLiteral("TRUE"));
            QCOMPARE(t.labelB->text(), QStringLiteral("FALSE"));
            QVERIFY(!t.labelC->isVisible() && !t.answerC->isVisible() && !t.answerE->isVisible());
            answer(t, QStringLiteral("FALSE"));
            QCOMPARE(t.CorrectCount, 1);

            QCOMPARE(t.lblQuestion->text(), QStringLiteral("Type"));
            QVERIFY(t.txtANswer->isVisible() && t.txtANswer->text().isEmpty());
            QVERIFY(t.answerA->isVisible() && t.answerA->isChecked());
            QVERIFY(!t.labelA->isVisible() && !t.answerB->isVisible());
            answer(t, QStringLiteral("ROME   "));
            QCOMPARE(t.CorrectCount, 2);

            // an unknown type shows its text over five empty answers
            QCOMPARE(t.lblQuestion->text(), QStringLiteral("Say something."));
            for (QLabel* l : {t.labelA, t.labelB, t.labelC, t.labelD, t.labelE})
                QVERIFY(l->isVisible() && l->text().isEmpty());
            QVERIFY(!t.txtANswer->isVisible());
            closeScoreWhenShown();
            QTest::mouseClick(t.labelC, Qt::LeftButton);
            testing::click(t.Command1);
        });
        QCOMPARE(Module1::FinalScore, 50);
    }

    void everyArrangementIsJudgedByText() {
        testing::Env env;
        env.clock->current.setTime(QTime(10, 0, 0));
        const Question q{kTypeMultiple,
                         QStringLiteral("Pick"),
                         {QStringLiteral("c1"), QStringLiteral("c2"), QStringLiteral("c3"),
                          QStringLiteral("c4"), QStringLiteral("c5")},
                         QStringLiteral("c4"),
                         {}};
        env.writeFile(QStringLiteral("tests/M.tst"),
                      takefiles::testFile(takefiles::header(QStringLiteral("o")), {q}));
        frmMain& m = startMain(QStringLiteral("M.tst"));
        const QStringList expected = {"c1 c2 c3 c4 c5", "c2 c3 c1 c4 c5", "c5 c1 c4 c2 c3",
                                      "c5 c4 c3 c2 c1"};
        for (int a = 0; a < 4; ++a) {
            env.random->values = {0.0, 0.25 * a};
            begin(m, [&](frmTakeTest& t) {
                QStringList shown;
                for (QLabel* l : {t.labelA, t.labelB, t.labelC, t.labelD, t.labelE})
                    shown << rightTrimmed(l->text());
                QCOMPARE(shown.join(QLatin1Char(' ')), expected.at(a));
                closeScoreWhenShown();
                answer(t, QStringLiteral("c4"));
            });
            QCOMPARE(Module1::FinalScore, 100);
        }
    }

    void feedbackWindowsAndSoundsFollowTheFlags() {
        testing::Env env;
        env.clock->current.setTime(QTime(10, 0, 0));
        for (const char* f : {"Correct.wav", "wrong.wav", "NewQuestion.wav"})
            env.writeFile(QStringLiteral("tests/%1").arg(QLatin1String(f)), "x");
        const QList<Question> two = {takefiles::trueFalse(QStringLiteral("One"), true),
                                     {kTypeTyped,
                                      QStringLiteral("Two"),
                                      {QStringLiteral("Paris")},
                                      QStringLiteral("Paris"),
                                      QStringLiteral("It is.")}};
        env.writeFile(
            QStringLiteral("tests/F.tst"),
            takefiles::testFile(takefiles::header(QStringLiteral("o"), "1000", "1110"), two));
        env.writeFile(
            QStringLiteral("tests/G.tst"),
            takefiles::testFile(takefiles::header(QStringLiteral("o"), "0001", std::nullopt), two));
        frmMain& m = startMain(QStringLiteral("F.tst"));

        env.random->values = {0.0, 0.5};
        QString shortVerdict;
        QStringList big;
        begin(m, [&](frmTakeTest& t) {
            testing::whenModal<frmCI>([&](frmCI& ci) {
                shortVerdict = ci.Label1->text();
                QCOMPARE(ci.windowTitle(), QStringLiteral("Your Answer"));
                testing::click(ci.Command1);
            });
            answer(t, QStringLiteral("TRUE"));
            QVERIFY(!Forms::isLoaded<frmCI>());
            testing::whenModal<frmBig>([&](frmBig& b) {
                big << b.Label1->text() << QString::number(b.Frame1->isVisible())
                    << b.Label2->text() << QString::number(b.Frame2->isVisible())
                    << b.Label3->text() << b.Label4->text();
                testing::click(b.Command1);
            });
            closeScoreWhenShown();
            answer(t, QStringLiteral("  paris")); // leading blanks count
        });
        QCOMPARE(shortVerdict, QStringLiteral("Correct Answer!"));
        QCOMPARE(big, QStringList({"InCorrect Answer!", "1", "It is.", "1", "Paris", ""}));
        QCOMPARE(env.sound->started,
                 QStringList({"Correct.wav", "NewQuestion.wav", "wrong.wav", "NewQuestion.wav"}));
        QCOMPARE(Module1::FinalScore, 50);

        // "0001" after a right answer; unset (NUL) flags after a wrong one
        env.sound->started.clear();
        env.sound->holds = true; // the verdict sound is still playing: the next one is dropped
        m.File2->selectFile(QStringLiteral("G.tst"));
        env.random->values = {0.0, 0.5};
        QStringList seen;
        begin(m, [&](frmTakeTest& t) {
            testing::whenModal<frmBig>([&](frmBig& b) {
                seen << b.Label1->text() << QString::number(b.Frame1->isVisible())
                     << QString::number(b.Frame2->isVisible()) << b.Label4->text();
                testing::click(b.Command1);
            });
            answer(t, QStringLiteral("TRUE"));
            env.sound->finish();
            testing::whenModal<frmBig>([&](frmBig& b) {
                seen << b.Label1->text() << QString::number(b.Frame1->isVisible())
                     << QString::number(b.Frame2->isVisible()) << b.Label4->text();
                testing::click(b.Command1);
            });
            closeScoreWhenShown();
            answer(t, QStringLiteral("Rome"));
        });
        QCOMPARE(seen, QStringList({"", "0", "0", "# Correct so far =  1", "", "0", "0", ""}));
        QCOMPARE(env.sound->started, QStringList({"Correct.wav", "wrong.wav"}));

        // the sound switch off: silence
        env.sound->started.clear();
        env.sound->holds = false;
        m.Check1->setChecked(false);
        m.File2->selectFile(QStringLiteral("F.tst"));
        env.random->values = {0.0};
        begin(m, [&](frmTakeTest& t) {
            testing::whenModal<frmCI>([](frmCI& ci) { testing::click(ci.Command1); });
            answer(t, QStringLiteral("TRUE"));
            env.boxes->answers.push_back(platform::Answer::Yes);
            testing::click(t.Command2);
        });
        QCOMPARE(env.sound->started, QStringList());
    }

    void clockTicksUnderFeedbackAndPrintingTurnsBackgroundsWhite() {
        testing::Env env;
        env.writeFile(
            QStringLiteral("tests/P.tst"),
            takefiles::testFile(takefiles::header(QStringLiteral("o"), "1000", "1000"),
                                {takefiles::trueFalse(QStringLiteral("Sky is blue"), true)}));
        frmMain& m = startMain(QStringLiteral("P.tst"));
        int secondsUnderFeedback = 0;
        QString clockUnderFeedback;
        QImage printed;
        QPoint inLabel;
        begin(m, [&](frmTakeTest& t) {
            QCOMPARE(t.Clock.ElapsedSeconds, 0);
            QVERIFY(ui::backColor(&t) != ui::qbColor(15));
            inLabel = t.labelC->geometry().center();
            testing::whenModal<frmCI>([&](frmCI& ci) {
                QTest::qWait(1150); // the run's clock goes on under its feedback window
                secondsUnderFeedback = t.Clock.ElapsedSeconds;
                clockUnderFeedback = t.lblElapsedTime->text();
                testing::click(ci.Command2); // prints the run window, not itself
                if (!env.printer->printed.isEmpty())
                    printed = env.printer->printed.first();
                testing::click(ci.Command1);
            });
            closeScoreWhenShown();
            answer(t, QStringLiteral("FALSE"));
        });
        QVERIFY(secondsUnderFeedback >= 1);
        QCOMPARE(clockUnderFeedback,
                 QStringLiteral("Elapsed Time: 0:00:0%1").arg(secondsUnderFeedback));
        QCOMPARE(env.printer->printed.size(), 1);
        QCOMPARE(printed.size(), QSize(759, 441));
        QCOMPARE(printed.pixelColor(2, 2), ui::qbColor(15));
        QCOMPARE(printed.pixelColor(inLabel), ui::qbColor(15));
        QVERIFY(!Forms::isLoaded<frmTakeTest>());

        // printing from the run window itself puts its colours back
        env.printer->available = false;
        begin(m, [&](frmTakeTest& t) {
            const QColor normal = ui::backColor(&t);
            testing::click(t.Command3);
            QCOMPARE(env.boxes->shown.last(), QStringLiteral("No printer is available."));
            QCOMPARE(ui::backColor(&t), normal);
            QCOMPARE(ui::backColor(t.labelA), normal);
            QCOMPARE(ui::backColor(t.answerB), normal);
            QCOMPARE(ui::backColor(t.lblQuestion), ui::qbColor(15));
            QVERIFY(t.Frame1->isVisible());
            env.boxes->answers.push_back(platform::Answer::Yes);
            testing::click(t.Command2);
        });
    }

    void exitAsksAndNoLeavesTheRunAsItWas() {
        testing::Env env;
        env.writeFile(QStringLiteral("tests/E.tst"),
                      takefiles::numberedTest(4, takefiles::header(QStringLiteral("o"))));
        frmMain& m = startMain(QStringLiteral("E.tst"));
        begin(m, [&](frmTakeTest& t) {
            answer(t, QStringLiteral("TRUE"));
            t.Timer1_Timer();
            const QStringList before = {t.lblQuestion->text(), t.Label1->text(), t.lblScore->text(),
                                        t.lblElapsedTime->text()};
            testing::click(t.Command2);
            QCOMPARE(env.boxes->shown.last(),
                     QStringLiteral("Are you sure you want to end the test?"));
            QCOMPARE(QStringList({t.lblQuestion->text(), t.Label1->text(), t.lblScore->text(),
                                  t.lblElapsedTime->text()}),
                     before);
            QCOMPARE(t.RunStarted, 1);
            QVERIFY(t.isVisible() && t.isInModalWait());
            // the title bar's close button asks the same question
            t.close();
            QCOMPARE(env.boxes->shown.size(), 2);
            QCOMPARE(env.boxes->shown.last(),
                     QStringLiteral("Are you sure you want to end the test?"));
            QVERIFY(t.isVisible());
            env.boxes->answers.push_back(platform::Answer::Yes);
            t.close();
        });
        QVERIFY(!Forms::isLoaded<frmTakeTest>());
        QVERIFY(!Forms::isLoaded<frmScore>());
        QCOMPARE(QDir(QStringLiteral("tests")).entryList({QStringLiteral("*.log")}), QStringList());
        QCOMPARE(Forms::active(), &m);
    }

    void questionCountsAndASecondRunStartClean() {
        testing::Env env;
        env.writeFile(QStringLiteral("tests/T12.tst"),
                      takefiles::numberedTest(12, takefiles::header(QStringLiteral("o"))));
        env.writeFile(QStringLiteral("tests/T7.tst"),
                      takefiles::numberedTest(7, takefiles::header(QStringLiteral("o"))));
        env.writeFile(QStringLiteral("tests/T1.tst"),
                      takefiles::numberedTest(1, takefiles::header(QStringLiteral("o"))));
        frmMain& m = startMain(QStringLiteral("T12.tst"));
        const auto takeAll = [&](QStringList* asked) {
            return [asked](frmTakeTest& t) {
                for (int i = 0; i < t.QuestionsToTake; ++i) {
                    asked->append(t.lblQuestion->text());
                    if (i == t.QuestionsToTake - 1)
                        closeScoreWhenShown();
                    answer(t, QStringLiteral("TRUE"));
                }
            };
        };
        const auto distinct = [](const QStringList& l) {
            return QSet<QString>(l.begin(), l.end()).size();
        };

        // custom: up four times from 1, one down, one up again
        QStringList asked;
        begin(m, takeAll(&asked), [](frmNumOfQ& n) {
            QTest::mouseClick(n.optCustom, Qt::LeftButton);
            QVERIFY(n.scrQtoTake->isEnabled() && n.lblQtoTake->isEnabled());
            for (int i = 0; i < 4; ++i)
                clickArrow(n.scrQtoTake, QStyle::SC_ScrollBarSubLine);
            QCOMPARE(n.lblQtoTake->text(), QStringLiteral("5"));
            clickArrow(n.scrQtoTake, QStyle::SC_ScrollBarAddLine);
            QCOMPARE(n.lblQtoTake->text(), QStringLiteral("4"));
            clickArrow(n.scrQtoTake, QStyle::SC_ScrollBarSubLine);
            QCOMPARE(n.lblQtoTake->text(), QStringLiteral("5"));
        });
        QCOMPARE(asked.size(), 5);
        QCOMPARE(distinct(asked), 5);

        // the second run opens with All, a custom count of 1 and a fresh clock;
        // a count raised and then left for All asks all
        asked.clear();
        begin(
            m,
            [&](frmTakeTest& t) {
                QCOMPARE(t.lblElapsedTime->text(), QStringLiteral("Elapsed Time: "));
                QCOMPARE(t.Clock.ElapsedSeconds + t.Clock.ElapsedMinutes, 0);
                QCOMPARE(t.CorrectCount, 0);
                takeAll (&asked)(t);
            },
            [](frmNumOfQ& n) {
                QVERIFY(n.optAll->isChecked());
                QCOMPARE(n.lblQtoTake->text(), QStringLiteral("1"));
                QCOMPARE(n.scrQtoTake->count(), 1);
                QVERIFY(!n.scrQtoTake->isEnabled());
                QTest::mouseClick(n.optCustom, Qt::LeftButton);
                for (int i = 0; i < 4; ++i)
                    clickArrow(n.scrQtoTake, QStyle::SC_ScrollBarSubLine);
                QTest::mouseClick(n.optAll, Qt::LeftButton);
                QCOMPARE(n.lblQtoTake->text(), QStringLiteral("5"));
                QVERIFY(!n.lblQtoTake->isEnabled());
            });
        QCOMPARE(asked.size(), 12);
        QCOMPARE(distinct(asked), 12);

        // half of 7 is 3
        m.File2->selectFile(QStringLiteral("T7.tst"));
        asked.clear();
        begin(m, takeAll(&asked),
              [](frmNumOfQ& n) { QTest::mouseClick(n.optHalf, Qt::LeftButton); });
        QCOMPARE(asked.size(), 3);
        QCOMPARE(distinct(asked), 3);

        // half of one question still asks it
        m.File2->selectFile(QStringLiteral("T1.tst"));
        asked.clear();
        begin(m, takeAll(&asked), [](frmNumOfQ& n) {
            QCOMPARE(n.scrQtoTake->lowest(), 1);
            QCOMPARE(n.scrQtoTake->highest(), 1);
            QTest::mouseClick(n.optHalf, Qt::LeftButton);
        });
        QCOMPARE(asked, QStringList({"Q1"}));
        QCOMPARE(Module1::FinalScore, 100);
    }

    void theTakeDoorRefusesWhatCannotRun() {
        testing::Env env;
        env.writeFile(QStringLiteral("tests/Ok.tst"),
                      takefiles::numberedTest(2, takefiles::header(QStringLiteral("o"))));
        env.writeFile(QStringLiteral("tests/Gone.tst"),
                      takefiles::numberedTest(2, takefiles::header(QStringLiteral("o"))));
        env.writeFile(QStringLiteral("tests/Empty.tst"), QByteArray());
        env.writeFile(QStringLiteral("tests/Header.tst"), takefiles::header(QStringLiteral("o")));
        frmMain& m = startMain({}, QString());

        testing::click(m.Command4);
        QCOMPARE(env.boxes->shown.last(), QStringLiteral("Please select a Test to take."));
        m.File2->selectFile(QStringLiteral("Ok.tst"));
        testing::click(m.Command4);
        QCOMPARE(env.boxes->shown.last(), QStringLiteral("Your name is required to take a test."));

        QTest::keyClicks(m.txtName, QStringLiteral("a/b"));
        testing::click(m.Command4);
        QVERIFY(env.boxes->shown.last().startsWith(QStringLiteral("Your name cannot be used")));
        QVERIFY(!Forms::isLoaded<frmTakeTest>());

        m.txtName->setText(QStringLiteral("Ann"));
        m.File2->selectFile(QStringLiteral("Gone.tst"));
        QVERIFY(QFile::remove(QStringLiteral("tests/Gone.tst")));
        testing::click(m.Command4);
        QVERIFY(env.boxes->shown.last().contains(QStringLiteral("cannot be found")));
        QVERIFY(!QFile::exists(QStringLiteral("tests/Gone.tst")));
        QVERIFY(!Forms::isLoaded<frmTakeTest>());

        m.File2->selectFile(QStringLiteral("Empty.tst"));
        testing::click(m.Command4);
        QVERIFY(env.boxes->shown.last().contains(QStringLiteral("is empty")));
        QCOMPARE(env.readFile(QStringLiteral("tests/Empty.tst")), QByteArray());

        // no questions: the introduction, then the message, and back on the main window
        m.File2->selectFile(QStringLiteral("Header.tst"));
        testing::whenModal<Form2>([](Form2& intro) { testing::click(intro.Command1); });
        testing::click(m.Command4);
        QCOMPARE(env.boxes->shown.last(), QStringLiteral("This test has 0 questions!"));
        QVERIFY(!Forms::isLoaded<frmTakeTest>());
        QCOMPARE(Forms::active(), &m);
        QCOMPARE(env.boxes->shown.size(), 6);

        // a name of blanks only starts a run with an empty name
        m.txtName->setText(QStringLiteral("   "));
        m.File2->selectFile(QStringLiteral("Ok.tst"));
        begin(m, [&](frmTakeTest& t) {
            QVERIFY(t.windowTitle().endsWith(QStringLiteral("NAME: ")));
            env.boxes->answers.push_back(platform::Answer::Yes);
            testing::click(t.Command2);
        });
        QCOMPARE(Module1::CandidateName, QString());
    }

    void aTestOfTheLargestSizeIsTakenWhole() {
        testing::Env env;
        env.writeFile(QStringLiteral("tests/Big.tst"),
                      takefiles::numberedTest(32766, takefiles::header(QStringLiteral("o"))));
        frmMain& m = startMain(QStringLiteral("Big.tst"));
        m.Check1->setChecked(false);
        std::vector<int> seen(32767, 0);
        QString last;
        begin(m, [&](frmTakeTest& t) {
            QCOMPARE(t.QuestionsToTake, 32766);
            for (int i = 0; i < 32766; ++i) {
                const int k = t.lblQuestion->text().mid(1).toInt();
                if (k >= 1 && k <= 32766)
                    ++seen[static_cast<std::size_t>(k)];
                last = t.Label1->text();
                if (i == 32765)
                    closeScoreWhenShown();
                t.answerA->setChecked(true); // TRUE
                t.Command1_Click();
            }
        });
        QCOMPARE(std::count(seen.begin() + 1, seen.end(), 1), std::ptrdiff_t(32766));
        QCOMPARE(last, QStringLiteral(" 32766 of  32766"));
        QCOMPARE(Module1::FinalScore, 100);
    }

    void everyControlIsNamed() {
        testing::Env env;
        QCOMPARE(testing::unnamedControls(&Forms::get<frmTakeTest>()), QStringList());
        QCOMPARE(testing::unnamedControls(&Forms::get<Form2>()), QStringList());
        QCOMPARE(testing::unnamedControls(&Forms::get<frmNumOfQ>()), QStringList());
        QCOMPARE(testing::unnamedControls(&Forms::get<frmCI>()), QStringList());
        QCOMPARE(testing::unnamedControls(&Forms::get<frmBig>()), QStringList());
        frmTakeTest& t = Forms::get<frmTakeTest>();
        QCOMPARE(t.size(), QSize(759, 441));
        QCOMPARE(t.windowTitle(), QStringLiteral("Taking Test >> "));
        QCOMPARE(t.Command1->geometry(), QRect(672, 32, 81, 345));
        QCOMPARE(t.Timer1->interval(), 1000);
        frmNumOfQ& n = Forms::get<frmNumOfQ>();
        QCOMPARE(n.windowTitle(), QStringLiteral("Select number or questions"));
        QCOMPARE(n.size(), QSize(362, 158));
        QCOMPARE(n.scrQtoTake->accessibleName(), QStringLiteral("Custom count up or down"));
    }
};

QTEST_MAIN(TestTakeTest)
#include "tst_takeTest.moc"
