// Taking a test: the draw, then runs through the take door, by clicks.
#include "AnswerFile.h"
#include "Controls.h"
#include "DetailedFeedbackWindow.h"
#include "FileListBox.h"
#include "ImageBox.h"
#include "IntroductionWindow.h"
#include "MainWindow.h"
#include "Pictures.h"
#include "Question.h"
#include "QuestionCountWindow.h"
#include "ScoreLog.h"
#include "ScoreWindow.h"
#include "SharedState.h"
#include "ShortFeedbackWindow.h"
#include "TestRunWindow.h"
#include "TestSupport.h"
#include "Tool.h"
#include "UpDownBar.h"

#include <cstring>
#include <QtWidgets>
#include <set>

using namespace Qt::StringLiterals;
using namespace taking;
using storage::AnswerRecord;
using storage::kTypeMultiple;
using storage::kTypeTrueFalse;
using storage::kTypeTyped;
using storage::rightTrimmed;
using storage::TestRecord;
using testing::runEntry;

namespace {

using Q = testing::Fields;
Q tf(const QString& text, bool answer = true) {
    return {kTypeTrueFalse, text, {"TRUE", "FALSE"}, answer ? "TRUE" : "FALSE", "Because."};
}
Q mc(const QString& text, const QStringList& choices = {"c1", "c2", "c3", "c4", "c5"}) {
    return {kTypeMultiple, text, choices, "c4", {}};
}

// A test file with the feedback flags `right` and `wrong`: none by default.
QByteArray testFile(const QList<Q>& qs, const QString& right = "0000",
                    const QString& wrong = "0000", const QString& owner = "o") {
    return testing::testFile({.owner = owner, .right = right, .wrong = wrong}, qs);
}

// The answers the log at `log` pairs with its first entry, each as "question
// record, choice, answer, right", "=" when the checksum is that of the record in
// `test` now.
QStringList answersOf(const QString& log, const QString& test) {
    const QByteArray questions = testing::fileBytes(test);
    const auto runs = storage::answers::matchToEntries(
        scoring::readLog(log).value(),
        storage::answers::readFile(storage::answers::pathForLog(log)).value());
    QStringList out;
    for (const AnswerRecord& a : runs.at(0)) {
        const QByteArray asked =
            questions.mid((a.questionRecord() - 1) * TestRecord::kSize, TestRecord::kSize);
        out << u"%1 %2 %3 %4%5"_s.arg(a.questionRecord())
                   .arg(a.choice())
                   .arg(a.text(AnswerRecord::Answer))
                   .arg(a.right())
                   .arg(storage::answers::checksumText(storage::answers::checksum(
                            asked.constData(), asked.size())) == a.text(AnswerRecord::Checksum)
                            ? u"="_s
                            : u""_s);
    }
    return out;
}

// A control of `window` by its name.
template <class T = QWidget> T* ctl(QWidget& window, const QString& name) {
    return testing::control<T>(&window, name);
}
QString textOf(QWidget& window, const QString& label) {
    return ctl<QLabel>(window, label)->text();
}
void clickButton(QWidget& window, const QString& button) {
    testing::click(ctl<QAbstractButton>(window, button));
}

// Presses "&Ok" on the final score window once it is up; `bar` gets the text
// of the candidate's bar, the score the run handed to it.
void pressOkOnScore(QString& bar) {
    testing::closeWhenModal<ScoreWindow>(
        [&bar](ScoreWindow& w) { bar = rightTrimmed(textOf(w, "barMyScore")); });
}

// The answer rows as shown: "-" hidden, "o" a button without its label, else the label.
QString rows(TestRunWindow& t) {
    QStringList out;
    for (QChar c : u"ABCDE"_s) {
        const auto* b = t.findChild<QRadioButton*>(u"answer"_s + c);
        const auto* l = t.findChild<QLabel*>(u"label"_s + c);
        out << (!b->isVisible() ? u"-"_s : l->isVisible() ? rightTrimmed(l->text()) : u"o"_s);
    }
    return out.join('|');
}

// Types `text` and presses Enter, or picks it by clicking its label and clicks "&Next".
void answer(TestRunWindow& t, const QString& text) {
    if (auto* box = ctl<QLineEdit>(t, "txtANswer"); box->isVisible()) {
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return); // Enter in the box presses "&Next"
        return;
    }
    for (QChar c : u"ABCDE"_s)
        if (auto* l = t.findChild<QLabel*>(u"label"_s + c);
            l->isVisible() && rightTrimmed(l->text()) == text)
            QTest::mouseClick(l, Qt::LeftButton);
    clickButton(t, "Command1");
}

// Notes each feedback window the run opens and closes it with "&Ok": the short
// one by its verdict, the detailed one as "verdict|explanation|correct
// answer|count so far", "-" for a hidden frame. `beforeOk` acts in it first.
struct FeedbackNotes {
    QStringList seen;
    std::function<void(Window&)> beforeOk;
    QObject scope;

    FeedbackNotes() {
        QObject::connect(&WindowRegistry::instance(), &WindowRegistry::modalWaitStarted, &scope,
                         [this](Window* w) {
                             if (qobject_cast<ShortFeedbackWindow*>(w) ||
                                 qobject_cast<DetailedFeedbackWindow*>(w))
                                 QTimer::singleShot(0, w, [this, w] { noteAndClose(*w); });
                         });
    }
    void noteAndClose(Window& w) {
        seen << testing::unnamedControls(&w);
        const auto framed = [&w](const QString& frame, const QString& text) {
            return ctl(w, frame)->isVisible() ? textOf(w, text) : u"-"_s;
        };
        if (qobject_cast<ShortFeedbackWindow*>(&w))
            seen << textOf(w, "Label1");
        else
            seen << textOf(w, "Label1") + '|' + framed("Frame1", "Label2") + '|' +
                        framed("Frame2", "Label3") + '|' + textOf(w, "Label4");
        if (beforeOk)
            beforeOk(w);
        clickButton(w, "Command1");
    }
};

} // namespace

class TestTakeTest : public QObject {
    Q_OBJECT
private slots:
    void drawIsStirredByTheClockSecondsAndFollowsItsFormula() {
        testing::Env env;
        QCOMPARE(QList<int>({stirCount("22:35:12"), stirCount("07:08:09"), stirCount("10:00:7x"),
                             stirCount("10:00: 7"), stirCount("10:00:-3")}),
                 QList<int>({12, 9, 7, 7, 0})); // the seconds, read as a number when not two digits
        env.clock->current.setTime(QTime(22, 35, 3)); // three draws discarded before each
        RecordDraw draw(10);
        // Int(r * 10 + 1) + 1 after the discards; record 2 drawn again is drawn anew
        env.random->values = {.5, .5, .5, 0.0, .5, .5, .5, .95, .5, .5, .5, .05, .5, .5, .5, .55};
        QCOMPARE(QList<int>({draw.next(), draw.next(), draw.next()}), QList<int>({2, 11, 7}));
        env.clock->current.setTime(QTime(22, 35, 0));
        RecordDraw big(32766); // the top of the generator's range lands on the last record
        env.random->values.push_back(0.99999999999999989);
        QCOMPARE(big.next(), 32767);
        std::set<int> drawn = {32767}; // the largest test: every record drawn once, none twice
        for (int i = 1; i < 32766; ++i)
            drawn.insert(big.next());
        QVERIFY(drawn.size() == 32766 && *drawn.begin() == 2 && big.next() == 0);
    }

    void theClockCarriesSecondsIntoMinutesAndHours() {
        ElapsedClock clock;
        QStringList shown;
        for (int second = 1; second <= 3725; ++second) {
            clock.tick();
            if (second == 59 || second == 60 || second == 3599 || second == 3600 || second == 3725)
                shown << clock.text();
        }
        QCOMPARE(shown, QStringList({"Elapsed Time: 0:00:59", "Elapsed Time: 0:01:00",
                                     "Elapsed Time: 0:59:59", "Elapsed Time: 1:00:00",
                                     "Elapsed Time: 1:02:05"}));
        clock.reset();
        QCOMPARE(clock.text(), u"Elapsed Time: 0:00:00"_s);
    }

    void aWholeRunShowsEachKindOfQuestionAndLogsItsScore() {
        testing::Env env;
        env.clock->current.setTime(QTime(10, 0, 0)); // no stirring: the queue is the draw
        const QList<Q> mix = QList<Q>() << mc("A") << tf("TF", false)
                                        << Q{kTypeTyped, "Type", {"Rome"}, "Rome", {}} << mc("B")
                                        << mc("C") << mc("Blanks", {"c1", "c2", "c3", "", "c5"})
                                        << Q{"ESSAY", "Say something.", {}, "x", {}};
        env.writeFile("tests/Mix.tst", testFile(mix, "0000", "0000", "Mrs Smith"));
        QVERIFY(platform::pictures::aboutPicture().save("tests/Mix.bmp", "BMP"));
        MainWindow& m = testing::readyToTake("Mix.tst", "  Ann  ");
        // records 2 .. 8 in turn, each multiple-choice one followed by its arrangement
        const auto record = [](int k) { return (k - 1.5) / 7; };
        env.random->values = {record(2), 0.0, record(3), record(4), record(5), .25,
                              record(6), .5,  record(7), .75,       record(8)};
        QString scoreBar;
        QStringList seen;
        const auto intro = [&seen](IntroductionWindow& f) {
            const TestRunWindow* t =
                WindowRegistry::find<TestRunWindow>(); // hidden, yet still waiting
            QVERIFY(t && !t->isVisible() && t->isInModalWait());
            seen << testing::unnamedControls(&f) << textOf(f, "Label1") << textOf(f, "Label2")
                 << QString::number(
                        ctl<ImageBox>(f, "Image1")->picture().width()); // the test's own picture
        };
        const auto count = [&seen](QuestionCountWindow& n) {
            seen << testing::unnamedControls(&n);
        };
        const auto run = [&](TestRunWindow& t) {
            seen << testing::unnamedControls(&t)
                 << QString::number(QApplication::activeModalWidget() == &t) << t.windowTitle();
            // one kind after another: a typed question shows a selected button and the text box
            const QStringList steps = {"c1|c2|c3|c4|c5", "c4",      "TRUE|FALSE|-|-|-", "FALSE",
                                       "o|-|-|-|-",      "ROME   ", "c2|c3|c1|c4|c5",   "c4",
                                       "c5|c1|c4|c2|c3", "c4"}; // rows shown, answer given
            for (qsizetype i = 0; i < steps.size(); i += 2) {
                seen << textOf(t, "Label1") + ' ' + textOf(t, "lblScore") + ' ' +
                            QString::number(ctl(t, "scoreBar")->width());
                QCOMPARE(rows(t), steps[i]);
                const bool typed = steps[i].startsWith('o');
                QVERIFY(ctl<QLineEdit>(t, "txtANswer")->isVisible() == typed &&
                        ctl<QRadioButton>(t, "answerA")->isChecked() == typed);
                answer(t, steps[i + 1]);
            }
            QCOMPARE(rows(t), u"c5||c3|c2|c1"_s);
            clickButton(t, "Command1"); // no answer chosen: a message and nothing else
            QCOMPARE(env.boxes->shown, QStringList({"Please select an answer."}));
            QCOMPARE(textOf(t, "Label1"), u" 6 of  7"_s);        // still the sixth question
            QTest::mouseClick(ctl(t, "labelB"), Qt::LeftButton); // a blank choice can be chosen
            clickButton(t, "Command1");
            QCOMPARE(rows(t), u"||||"_s); // an unknown type: five empty answers
            pressOkOnScore(scoreBar);
            QTest::mouseClick(ctl(t, "labelC"), Qt::LeftButton);
            clickButton(t, "Command1");
        };
        testing::takeTest(m, run, count, intro);
        QCOMPARE(seen, QStringList({"Mix", "Mrs Smith", "250", "1",
                                    "[Quizdex] - TEST: ./tests/Mix.tst     NAME:   Ann",
                                    " 1 of  7 Score:  0% 0", " 2 of  7 Score:  14% 55",
                                    " 3 of  7 Score:  28% 110", " 4 of  7 Score:  42% 165",
                                    " 5 of  7 Score:  57% 224"}));
        QVERIFY2(scoreBar.startsWith(u"Your Score =  71%"_s), qPrintable(scoreBar)); // 5 of 7
        QVERIFY(!WindowRegistry::isLoaded<TestRunWindow>() && env.boxes->shown.size() == 1);
        QCOMPARE(env.readFile("tests/  Ann.log"), runEntry("Mix", "71", 7));
        // each answer as given: a choice by its place in the test, whatever row showed it
        QCOMPARE(answersOf("tests/  Ann.log", "tests/Mix.tst"),
                 QStringList({"2 4 c4 1=", "3 2 FALSE 1=", "4 0 ROME 1=", "5 4 c4 1=", "6 4 c4 1=",
                              "7 4  0=", "8 0  0="}));
    }

    // Three pupils take a test through the windows; quizdex-tool names the
    // question most of them got wrong with the wrong answer most gave, and
    // lists each pupil's answers. The logs are as they always were.
    void threePupilsRunsAsTheToolReportsThem() {
        testing::Env env;
        env.clock->current.setTime(QTime(10, 0, 0)); // no stirring: the queue is the draw
        env.writeFile("tests/Geo.tst",
                      testFile({{kTypeTrueFalse, "Round?", {"TRUE", "FALSE"}, "TRUE"},
                                {kTypeTyped, "Capital of France?", {"Paris"}, "Paris"},
                                {kTypeMultiple,
                                 "Largest ocean?",
                                 {"Atlantic", "Pacific", "Indian", "Arctic", "Ice"},
                                 "Pacific"}}));
        const std::pair<QString, QStringList> pupils[] = {{"Ann", {"TRUE", "Paris", "Pacific"}},
                                                          {"Ben", {"TRUE", "Lyon", "Pacific"}},
                                                          {"Cal", {"FALSE", "lyon", "Indian"}}};
        for (const auto& [name, given] : pupils) {
            if (WindowRegistry::isLoaded<MainWindow>())
                ctl<QLineEdit>(WindowRegistry::get<MainWindow>(), "txtName")->clear();
            MainWindow& m = testing::readyToTake("Geo.tst", name);
            env.random->values = {0.1, 0.5, 0.9, 0.0}; // records 2, 3, 4; choices in order
            QString bar;
            testing::takeTest(m, [&](TestRunWindow& t) {
                for (qsizetype i = 0; i < given.size(); ++i) {
                    if (i + 1 == given.size())
                        pressOkOnScore(bar);
                    answer(t, given[i]);
                }
            });
        }
        QCOMPARE(env.readFile("tests/Ann.log") + env.readFile("tests/Ben.log") +
                     env.readFile("tests/Cal.log"),
                 runEntry("Geo", "100", 3) + runEntry("Geo", "66", 3) + runEntry("Geo", "0", 3));
        const auto report = [](const QString& kind) {
            QString out, err;
            QTextStream o(&out), e(&err);
            tool::run({"results", "tests", kind, "--csv", "-o", kind + ".csv"}, o, e);
            return QString::fromUtf8(testing::fileBytes(kind + ".csv")).split("\r\n");
        };
        const QStringList items = report("--items");
        QVERIFY2(items.value(2).startsWith("Geo,2,Capital of France?,") &&
                     items.value(2).endsWith(",,3,1,33.3,Lyon,2,1.00,"),
                 qPrintable(items.join('\n')));
        const QString cal = "Cal,Geo," + platform::dateText() + ',' + platform::timeText() + ",0,";
        QCOMPARE(report("--answers").filter(cal),
                 QStringList({cal + "1,1,Round?,FALSE,TRUE,wrong,",
                              cal + "2,2,Capital of France?,lyon,Paris,wrong,",
                              cal + "3,3,Largest ocean?,Indian,Pacific,wrong,"}));
    }

    void aScreenReaderReadsEachQuestionAsShownAndTheKeyboardAloneTakesTheTest() {
        testing::Env env;
        env.clock->current.setTime(QTime(10, 0, 0)); // no stirring: the queue is the draw
        Q ocean = mc("Which ocean is the largest?",
                     {"Atlantic", "Pacific", "Indian", "Arctic", "Southern"});
        Q planet = mc("Which is a planet?", {"Moon", "Sun", "Mars", "Vega", "Io"});
        ocean.right = "Pacific";
        planet.right = "Mars";
        const QList<Q> geo = {ocean,
                              tf("The Nile flows north."),
                              {kTypeTyped, "Capital of France?", {}, "Paris", {}},
                              planet,
                              tf("Never asked.")};
        env.writeFile("tests/Geo.tst", testFile(geo, "1000", "1111"));
        const auto record = [](int k) { return (k - 1.5) / 5; };
        env.random->values = {record(2), .5, record(3), record(4), record(5), .75};
        using testing::focused;
        using testing::press;

        MainWindow& m = WindowRegistry::get<MainWindow>();
        m.present();
        QVERIFY(QTest::qWaitForWindowActive(&m));
        // from the About tab to the take tab; tabbing into the list chooses its one file
        for (Qt::Key key : {Qt::Key_Left, Qt::Key_Left, Qt::Key_Tab, Qt::Key_Down})
            press(key);
        const auto* testsToTake = testing::control<FileListBox>(&m, "File2");
        QVERIFY(focused() == testsToTake && testsToTake->fileName() == "Geo.tst");
        press(Qt::Key_Tab);
        testing::type("Ann");
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        QCOMPARE(focused(), testing::control<QWidget>(&m, "Command4"));
        press(Qt::Key_Tab, Qt::ShiftModifier);
        press(Qt::Key_Tab, Qt::ShiftModifier); // back in the name box, where Enter begins

        QStringList opened; // what a screen reader reads with each window's title
        testing::whenModal<IntroductionWindow>([&](IntroductionWindow& f) {
            opened << f.accessibleDescription();
            press(Qt::Key_Return);
        });
        testing::whenModal<QuestionCountWindow>([&](QuestionCountWindow& n) {
            opened << n.accessibleDescription();
            QCOMPARE(focused(), ctl<QRadioButton>(n, "optAll"));
            // The options in reading order, round and round, each chosen as it
            // is reached, though "Custom" lies to the right of the other two.
            QStringList walk;
            for (Qt::Key key : {Qt::Key_Down, Qt::Key_Right, Qt::Key_Down, Qt::Key_Up, Qt::Key_Left,
                                Qt::Key_Up, Qt::Key_Right}) {
                press(key);
                auto* option = qobject_cast<QRadioButton*>(focused());
                walk << (option && option->isChecked() ? option->objectName() : u"?"_s);
            }
            QCOMPARE(walk, QStringList({"optHalf", "optCustom", "optAll", "optCustom", "optHalf",
                                        "optAll", "optHalf"}));
            press(Qt::Key_Right); // custom, which lets the counter take the focus
            for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up})
                press(key);
            auto* counter = QAccessible::queryAccessibleInterface(ctl<UpDownBar>(n, "scrQtoTake"));
            QVERIFY(focused() == ctl<UpDownBar>(n, "scrQtoTake") &&
                    textOf(n, "lblQtoTake") == "4" &&
                    counter->valueInterface()->currentValue().toInt() == 4);
            press(Qt::Key_Return);
        });
        QStringList seen;
        // What a screen reader gets when a question is shown: the question (which
        // has the focus), the counter, the score, the window's title, and each
        // option as the answer beside it.
        const auto read = [&seen](TestRunWindow& t) {
            QVERIFY(focused() == ctl(t, "lblQuestion") &&
                    testing::spokenName(&t) == t.windowTitle());
            QStringList options;
            for (QChar c : u"ABCDE"_s) {
                auto* b = ctl<QRadioButton>(t, u"answer"_s + c);
                auto* l = ctl<QLabel>(t, u"label"_s + c);
                if (!b->isVisible())
                    continue;
                options << testing::spokenName(b);
                QVERIFY(!l->isVisible() || options.last() == rightTrimmed(l->text()));
            }
            const auto* bar = QAccessible::queryAccessibleInterface(ctl(t, "scoreBar"));
            QVERIFY(textOf(t, "lblScore").endsWith(bar->text(QAccessible::Description)));
            seen << testing::spokenName(ctl(t, "Label1")) + '|' +
                        testing::spokenName(ctl(t, "lblQuestion")) + '|' + options.join(',');
        };
        testing::whenModal<TestRunWindow>([&](TestRunWindow& t) {
            read(t);
            press(Qt::Key_Tab);
            QVERIFY(testing::pressUntil(
                Qt::Key_Down, [&] { return testing::spokenName(focused()) == "Pacific"; }));
            press(Qt::Key_Space);
            // The exit question, in the real box: it opens on No, so Enter keeps the run.
            auto fakeBoxes = platform::setMessageBoxBackend(nullptr);
            QString asked;
            QTimer::singleShot(0, [&asked] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QTRY_VERIFY(box && box->isActiveWindow());
                asked = box->text() + '|' + testing::spokenName(focused());
                press(Qt::Key_Return);
            });
            press(Qt::Key_Escape);
            platform::setMessageBoxBackend(std::move(fakeBoxes));
            QCOMPARE(asked, u"Are you sure you want to end the test?|No"_s);
            QVERIFY(t.isVisible() && t.isInModalWait());
            testing::whenModal<ShortFeedbackWindow>([&](ShortFeedbackWindow& ci) {
                opened << ci.accessibleDescription();
                QCOMPARE(focused(), ctl(ci, "Command1"));
                press(Qt::Key_Return);
            });
            press(Qt::Key_Return);

            read(t); // true/false after multiple choice: both options are reached
            for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Down, Qt::Key_Space})
                press(key);
            QVERIFY(ctl<QRadioButton>(t, "answerB")->isChecked() &&
                    focused() == ctl<QRadioButton>(t, "answerB"));
            testing::whenModal<DetailedFeedbackWindow>([&](DetailedFeedbackWindow& b) {
                seen << testing::spokenName(ctl(b, "Label1"));
                opened << b.accessibleDescription();
                press(Qt::Key_Escape);
            });
            press(Qt::Key_Return);

            read(t);
            press(Qt::Key_Tab);
            QVERIFY(focused() == ctl<QLineEdit>(t, "txtANswer") &&
                    testing::spokenName(ctl<QLineEdit>(t, "txtANswer")) == "Answer");
            press(Qt::Key_Tab, Qt::ShiftModifier);
            testing::type("Paris"); // typed on the question, it lands in the answer box
            QCOMPARE(ctl<QLineEdit>(t, "txtANswer")->text(), u"Paris"_s);
            testing::whenModal<ShortFeedbackWindow>(
                [](ShortFeedbackWindow&) { press(Qt::Key_Escape); });
            press(Qt::Key_Return);

            read(t);
            for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Down, Qt::Key_Down, Qt::Key_Space})
                press(key);
            testing::whenModal<ShortFeedbackWindow>(
                [](ShortFeedbackWindow&) { press(Qt::Key_Return); });
            testing::whenModal<ScoreWindow>([&](ScoreWindow& w) {
                opened << w.accessibleDescription();
                QCOMPARE(focused(), ctl(w, "Command1"));
                press(Qt::Key_Tab);
                QCOMPARE(focused(), ctl(w, "Command2"));
                press(Qt::Key_Tab, Qt::ShiftModifier);
                press(Qt::Key_Return);
            });
            press(Qt::Key_Return);
        });
        press(Qt::Key_Return);
        QCOMPARE(seen, QStringList({" 1 of  4|Which ocean is the largest?|"
                                    "Southern,Atlantic,Arctic,Pacific,Indian",
                                    " 2 of  4|The Nile flows north.|TRUE,FALSE",
                                    "InCorrect Answer!", " 3 of  4|Capital of France?|Typed answer",
                                    " 4 of  4|Which is a planet?|Io,Vega,Mars,Sun,Moon"}));
        QCOMPARE(opened,
                 QStringList({"Geo. Created by: o",
                              "This test has the following number of questions available. 5",
                              "Correct Answer!",
                              "InCorrect Answer! Explanation of Answer. Because. Correct "
                              "Answer is. TRUE. # Correct so far = 1",
                              "Geo. Name: Ann. " + platform::dateText() + ". " +
                                  platform::timeText() +
                                  ". Passing Score = 75% Your Score = 75% (PASS)"}));
        QVERIFY(!WindowRegistry::isLoaded<TestRunWindow>() &&
                !WindowRegistry::isLoaded<ScoreWindow>());
        QCOMPARE(env.readFile("tests/Ann.log"), runEntry("Geo", "75", 4));
    }

    void eachAnswerGetsTheFeedbackOfItsOwnSettingsAndTheScoreIsCut() {
        testing::Env env;
        env.clock->current.setTime(QTime(10, 0, 0));
        for (const char* f : {"Correct.wav", "wrong.wav", "NewQuestion.wav"})
            env.writeFile(u"tests/"_s + f, "x");
        const QString right = "Correct.wav", wrong = "wrong.wav", next = "NewQuestion.wav";
        struct Case {
            QByteArray right, wrong;
            QStringList seen, sounds;
        };
        // two right answers, then a wrong one; only "0000" gives nothing at all, and
        // the count so far is the last character, not the fourth
        const Case cases[] = {
            {"0000", "1000", {"InCorrect Answer!"}, {next, next, wrong, next}},
            {"0100", "0000", {"|Because.|-|", "|Because.|-|"}, {right, next, right, next, next}},
            {"1000",
             "11101",
             {"Correct Answer!", "Correct Answer!",
              "InCorrect Answer!|It is.|Paris|# Correct so far =  2"},
             {right, next, right, next, wrong, next}},
        };
        const Q typed = {kTypeTyped, "Three", {"Paris"}, "Paris", "It is."};
        for (std::size_t i = 0; i < std::size(cases); ++i)
            env.writeFile(u"tests/F%1.tst"_s.arg(i),
                          testFile({tf("One"), tf("Two"), typed}, cases[i].right, cases[i].wrong));
        MainWindow& m = testing::readyToTake({}, "Ann");
        for (std::size_t i = 0; i < std::size(cases); ++i) {
            ctl<FileListBox>(m, u"File2"_s)->selectFile(u"F%1.tst"_s.arg(i));
            env.sound->started.clear();
            env.random->values = {0.0, 0.5, 0.9};
            QString scoreBar;
            FeedbackNotes notes;
            notes.beforeOk = [](Window& w) {
                QCOMPARE(w.windowTitle(), u"Your Answer"_s);
                TestRunWindow* run = WindowRegistry::find<TestRunWindow>();
                QVERIFY(run);
                const QImage before = run->grab().toImage();
                clickButton(w, "Command2");              // prints the run window, not itself
                QCOMPARE(run->grab().toImage(), before); // and gives its colours back
            };
            testing::takeTest(m, [&](TestRunWindow& t) {
                answer(t, u"TRUE"_s);
                answer(t, u"TRUE"_s);
                QCOMPARE(textOf(t, "lblScore"), u"Score:  66%"_s); // 2 of 3 to take: 66.7, cut
                pressOkOnScore(scoreBar);
                answer(t, u"  paris"_s); // leading blanks count
            });
            QCOMPARE(notes.seen, cases[i].seen);
            QCOMPARE(env.sound->started, cases[i].sounds);
            QVERIFY2(scoreBar.startsWith(u"Your Score =  66%"_s), qPrintable(scoreBar));
        }
        QCOMPARE(env.printer->printed.size(), 6);
        const QImage printed = env.printer->printed.value(0); // the run window, white
        QVERIFY(printed.size() == QSize(759, 441) &&
                printed.pixelColor(2, 2) == platform::ui::standardColor(15));
    }

    void eachRunAsksTheChosenNumberOfQuestionsEachOnce() {
        testing::Env env;
        for (int n : {12, 7, 1})
            env.writeFile(u"tests/T%1.tst"_s.arg(n), testFile(testing::numberedQuestions(n)));
        env.writeFile("tests/NewQuestion.wav", "x");
        MainWindow& m = testing::readyToTake({}, "Ann");
        // the sound switch off: silence
        QTest::mouseClick(testing::control<QCheckBox>(&m, "Check1"), Qt::LeftButton);
        // custom (top arrow up, bottom arrow down), all, half; half of one still asks it
        QString scoreBar;
        const int runs[][3] = {{12, 'c', 4}, {12, 'a', 12}, {7, 'h', 3}, {1, 'h', 1}};
        for (const auto& [available, how, want] : runs) {
            QStringList asked;
            const auto takeAll = [&asked](TestRunWindow& t) {
                for (int i = 0; i < t.questionsToTake(); ++i) {
                    QVERIFY(!asked.contains(textOf(t, "lblQuestion"))); // each record once
                    asked << textOf(t, "lblQuestion");
                    answer(t, u"TRUE"_s);
                }
            };
            const auto count = [&](QuestionCountWindow& n) {
                pressOkOnScore(scoreBar); // closed as soon as it opens, even at once
                auto* counter = ctl<UpDownBar>(n, "scrQtoTake");
                // every run opens with All and a custom count of 1, whatever came before
                QVERIFY(ctl<QRadioButton>(n, "optAll")->isChecked() && !counter->isEnabled() &&
                        textOf(n, "lblQtoTake") == "1" &&
                        textOf(n, "lblAvailQ").toInt() == available);
                if (how != 'a')
                    QTest::mouseClick(ctl(n, how == 'c' ? "optCustom" : "optHalf"), Qt::LeftButton);
                for (int y : {2, 2, 2, 2, counter->height() - 3})
                    if (how == 'c')
                        QTest::mouseClick(counter, Qt::LeftButton, {}, QPoint(9, y));
            };
            testing::control<FileListBox>(&m, "File2")->selectFile(u"T%1.tst"_s.arg(available));
            testing::takeTest(m, takeAll, count, [](IntroductionWindow& f) { // no picture: built-in
                QCOMPARE(ctl<ImageBox>(f, "Image1")->picture().size(),
                         platform::pictures::penOnPage().size());
            });
            QCOMPARE(asked.size(), want);
        }
        QVERIFY(scoreBar.startsWith(u"Your Score =  100%"_s) && env.sound->started.isEmpty());
    }

    void theTakeDoorRefusesWhatCannotRunAndARunEndsOnlyWhenItShould() {
        testing::Env env;
        env.writeFile("tests/Ok.tst", testFile(testing::numberedQuestions(4)));
        env.writeFile("tests/Empty.tst", QByteArray());
        env.writeFile("tests/Header.tst", testFile({}));
        MainWindow& m = testing::readyToTake({}, {});
        auto* testsToTake = testing::control<FileListBox>(&m, "File2");
        auto* nameBox = testing::control<QLineEdit>(&m, "txtName");
        const auto press = [&](const char* test, const QString& name) {
            if (*test)
                testsToTake->selectFile(test);
            nameBox->setText(name);
            testing::click(testing::control<QPushButton>(&m, "Command4"));
            return env.boxes->shown.value(env.boxes->shown.size() - 1);
        };
        QCOMPARE(press("", "Ann"), u"Please select a Test to take."_s);
        QCOMPARE(press("Ok.tst", ""), u"Your name is required to take a test."_s);
        QVERIFY(press("Ok.tst", "a/b").startsWith(u"Your name cannot be used"_s));
        QVERIFY(press("Empty.tst", "Ann").contains(u"is empty"_s));
        QCOMPARE(env.readFile("tests/Empty.tst"), QByteArray());
        QDir().mkpath(u"tests/Folder.tst"_s);
        QCOMPARE(readTestToTake(u"tests/Folder.tst"_s).status().reason,
                 testing::systemText(EISDIR));
        // no questions: the introduction, then the message, and back on the main window
        testing::closeWhenModal<IntroductionWindow>();
        QCOMPARE(press("Header.tst", "Ann"), u"This test has 0 questions!"_s);
        QVERIFY(env.boxes->shown.size() == 5 && WindowRegistry::active() == &m);

        // a name of blanks only runs with an empty name; exit asks, and No changes nothing
        nameBox->setText("   ");
        testsToTake->selectFile("Ok.tst");
        env.boxes->shown.clear();
        env.printer->available = false;
        const QString sure = u"Are you sure you want to end the test?"_s;
        testing::takeTest(m, [&](TestRunWindow& t) {
            auto* timer = testing::control<QTimer>(&t, "Timer1");
            QVERIFY(timer->isActive() && timer->interval() == 1000);
            QMetaObject::invokeMethod(timer, "timeout"); // a tick shows the time since the start
            QVERIFY(QRegularExpression(u"^Elapsed Time: 0:00:0[1-9]$"_s)
                        .match(textOf(t, "lblElapsedTime"))
                        .hasMatch());
            answer(t, "TRUE"); // answered, yet the run never ends: nothing of it is kept
            const QString before = textOf(t, "Label1") + textOf(t, "lblQuestion");
            clickButton(t, "Command2");
            t.close();                  // the title bar's close button asks the same
            clickButton(t, "Command3"); // printing puts the window's colours back
            QCOMPARE(env.boxes->shown, QStringList({sure, sure, "No printer is available."}));
            QCOMPARE(textOf(t, "Label1") + textOf(t, "lblQuestion"), before);
            QVERIFY(t.isVisible() && t.isInModalWait());
            QCOMPARE(platform::ui::backColor(ctl(t, "labelA")), platform::ui::backColor(&t));
            QVERIFY(platform::ui::backColor(&t) != platform::ui::standardColor(15));
            env.boxes->answers.push_back(platform::Answer::Yes);
            t.close();
        });
        QVERIFY(storage::shared::candidateName.isEmpty() &&
                testing::namesIn("tests", {"*.log", "*.answers"}).isEmpty());

        // the program ends while the count is being chosen: no question is drawn
        env.random->values = {0.5};
        testing::closeWhenModal<IntroductionWindow>();
        testing::whenModal<QuestionCountWindow>(
            [](QuestionCountWindow&) { WindowRegistry::endProgram(); });
        QSignalSpy modalWaits(&WindowRegistry::instance(), &WindowRegistry::modalWaitStarted);
        testing::click(testing::control<QPushButton>(&m, "Command4"));
        QVERIFY(env.exitRequests == 1 && !WindowRegistry::isLoaded<TestRunWindow>());
        QCOMPARE(modalWaits.size(), 2); // the introduction and the count; no more
        QVERIFY(env.random->values.size() == 1u && testing::namesIn("tests", {"*.log"}).isEmpty());
    }
};

QTEST_MAIN(TestTakeTest)
#include "tst_taking.moc"
