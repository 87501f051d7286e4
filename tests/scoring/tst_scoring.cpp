// Score logs: what a finished run appends, how logs read back, and the score chart.
#include "Controls.h"
#include "FileListBox.h"
#include "MainWindow.h"
#include "ScoreLog.h"
#include "ScoreLogWindow.h"
#include "ScoreWindow.h"
#include "SharedState.h"
#include "TestSupport.h"

#include <QtWidgets>

namespace {

QString entryText(const QByteArray& bytes) {
    return scoring::entryText(testing::recordOf<storage::LogRecord>(bytes));
}

// Points the run at tests/<test>, whose header holds `passing` (no file when null).
void useTest(testing::Env& env, const QByteArray& passing, const QString& test = "MATH1.tst") {
    if (!passing.isNull())
        env.writeFile("tests/" + test, testing::headerRecord({.passing = passing}));
    storage::shared::testsDir = storage::shared::defaultTestsDir();
    storage::shared::testPath = storage::shared::joinPath(storage::shared::testsDir, test);
}

// Ends a run (passing score 75) and returns the candidate's bar: its caption and width.
std::pair<QString, int> finishRun(testing::Env& env, const QString& candidate, int toTake,
                                  int correct, const QString& test = "MATH1.tst") {
    useTest(env, " 75", test);
    storage::shared::candidateName = candidate;
    std::pair<QString, int> bar;
    testing::closeWhenModal<ScoreWindow>([&bar](ScoreWindow& w) {
        bar = {testing::control<QLabel>(&w, "barMyScore")->text(), w.scoreBarTwips()};
    });
    scoring::finishRun(toTake, correct);
    return bar;
}

// What is wrong with a bar's caption as drawn: cut off at an edge of its
// control, or, on the bar or beside it, drawn in a colour that reads at less
// than 4.5:1 against what lies behind it there.
QStringList captionProblems(QLabel* bar, int barPixels) {
    const QImage image = bar->parentWidget()->grab(bar->geometry()).toImage();
    const int split = std::min<int>(barPixels * image.devicePixelRatio(), image.width());
    // what lies behind the caption on each side of the bar's end: its most common colour
    QColor behind[2];
    for (int part : {0, 1}) {
        QHash<QRgb, int> count;
        for (int y = 0; y < image.height(); ++y)
            for (int x = part ? split : 0; x < (part ? image.width() : split); ++x)
                ++count[image.pixel(x, y)];
        for (auto it = count.begin(); it != count.end(); ++it)
            if (it.value() > count.value(behind[part].rgb()))
                behind[part] = QColor(it.key());
    }
    // the chart's grid lines run behind the bars
    QList<int> grid;
    for (QWidget* line : bar->parentWidget()->findChildren<QWidget*>(QRegularExpression("^Line")))
        for (int x = 0; x < image.devicePixelRatio(); ++x)
            grid << (line->x() - bar->x()) * image.devicePixelRatio() + x;
    QRect ink;
    double worst[] = {21, 21};
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int part = x < split ? 0 : 1;
            if (grid.contains(x))
                continue;
            const QColor c = image.pixelColor(x, y);
            if (c.rgb() == behind[part].rgb())
                continue;
            ink |= QRect(x, y, 1, 1);
            // the text's colour: the pixel farthest from the background (edges are blends)
            const double contrast = platform::ui::contrastRatio(c, behind[part]);
            worst[part] = worst[part] == 21 ? contrast : std::max(worst[part], contrast);
        }
    QStringList out;
    const int width = QFontMetrics(bar->font()).boundingRect(bar->text().trimmed()).width();
    if (ink.left() <= 0 || ink.right() >= image.width() - 1 ||
        ink.width() < (width - 2) * image.devicePixelRatio())
        out << QStringLiteral("cut off: ink %1 to %2 of %3")
                   .arg(ink.left())
                   .arg(ink.right())
                   .arg(image.width());
    for (int part : {0, 1})
        if (worst[part] < 4.5)
            out << QStringLiteral("part %1 reads at %2:1").arg(part).arg(worst[part]);
    return out;
}

void userSwitchesTo(QWidget* w) {
    QEvent e(QEvent::WindowActivate);
    QApplication::sendEvent(w, &e);
}

ScoreWindow& showScore(testing::Env& env, const QByteArray& passing, int score) {
    useTest(env, passing);
    ScoreWindow& w = WindowRegistry::get<ScoreWindow>();
    w.setResult(
        scoring::runResult(storage::shared::testPath, storage::shared::candidateName, score));
    w.present();
    return w;
}

// Clicks a log in the log tab's list, the main window being the active one.
void clickLog(MainWindow& m, const QString& name) {
    userSwitchesTo(&m);
    auto* logs = testing::control<FileListBox>(&m, "File3");
    const QListWidgetItem* item = logs->findItems(name, Qt::MatchExactly).value(0);
    QTest::mouseClick(logs->viewport(), Qt::LeftButton, {}, logs->visualItemRect(item).center());
}

} // namespace

class TestScoring : public QObject {
    Q_OBJECT
private slots:
    void entryTextAndReading() {
        testing::Env env;
        QCOMPARE(entryText(testing::logEntry()),
                 QStringLiteral("TEST TAKEN  -> MATH1\r\nTIME TAKEN  -> 10:35:12 PM\r\n"
                                "DATE TAKEN  -> 12/5/98\r\n# QUESTIONS -> 10\r\n"
                                "TEST SCORE  -> 80%\r\n\r\n"));
        const QByteArray cut = testing::runEntry("ALGEBRA", "50", 4).left(57);
        env.writeFile("tests/x.log",
                      testing::runEntry("MATH1", "100", 10) + cut); // 170 bytes: 2 entries
        QCOMPARE(scoring::logText(scoring::readLog("tests/x.log").value()),
                 entryText(testing::runEntry("MATH1", "100", 10)) + entryText(cut));
        QVERIFY(scoring::readLog("tests/no.log").value().isEmpty() &&
                !QFile::exists("tests/no.log"));
    }

    void finishedRunsAppendUnderTheNameAsTypedAndShowInTheLogTab() {
        testing::Env env;
        env.writeFile("tests/Big.log", testing::runEntry("BIG", "7", 1).repeated(32768));
        MainWindow& m = WindowRegistry::get<MainWindow>();
        m.present();
        QCOMPARE(finishRun(env, "Ann", 100, 29).first, "Your Score =  29%     (FAIL)    ");
        QCOMPARE(testing::control<FileListBox>(&m, "File3")->item(0)->text(), "Ann.log"); // at once
        const QByteArray longName = "A test whose name runs on well past fifty characters";
        finishRun(env, "Ann", 8, 8, QString::fromLatin1(longName + ".tst"));
        finishRun(env, "Ann", 0, 0); // a run that asked nothing still counts
        QCOMPARE(env.readFile("tests/Ann.log"), testing::runEntry("MATH1", "29", 100) +
                                                    testing::runEntry(longName.left(50), "100", 8) +
                                                    testing::runEntry("MATH1", "0", 0));
        // 2 right of 3 is 66.67%: cut, never rounded, on screen and in the log
        QCOMPARE(finishRun(env, "Dee", 3, 2),
                 std::make_pair(QString("Your Score =  66%     (FAIL)    "), 15 + 48 * 66));
        QCOMPARE(env.readFile("tests/Dee.log"), testing::runEntry("MATH1", "66", 3));
        finishRun(env, "  Ann", 10, 5); // leading blanks: another log
        QCOMPARE(env.readFile("tests/  Ann.log"), testing::runEntry("MATH1", "50", 10));

        finishRun(env, "../Ann", 10, 5); // would leave the tests folder: nothing written
        QVERIFY(env.boxes->shown.value(0).contains("\"./tests/../Ann.log\"") &&
                !QFile::exists("Ann.log"));
        env.boxes->shown.clear();

        testing::control<QTabWidget>(&m, "SSTab1")->setCurrentIndex(3);
        auto* fullViewButton = testing::control<QPushButton>(&m, "Command5");
        const auto* preview = testing::control<QPlainTextEdit>(&m, "Text4");
        testing::click(fullViewButton); // nothing selected: an empty view, an empty caption
        ScoreLogWindow& f = WindowRegistry::get<ScoreLogWindow>();
        auto* fullView = testing::control<QPlainTextEdit>(&f, "Text1");
        QVERIFY(f.isVisible() && !f.isModal() &&
                (f.windowTitle() + fullView->toPlainText()).isEmpty());
        QCOMPARE(testing::unnamedControls(&f), QStringList());
        clickLog(m, "Ann.log"); // the main window stays usable; the full view reloads
        QCOMPARE(preview->toPlainText(),
                 scoring::logText(scoring::readLog("tests/Ann.log").value()).replace("\r\n", "\n"));
        userSwitchesTo(&f);
        QVERIFY(f.windowTitle() == "Ann.log" && fullView->toPlainText() == preview->toPlainText());
        clickLog(m, "  Ann.log");
        testing::click(fullViewButton); // brings it forward, rebuilt; replaced, not extended
        QVERIFY(f.windowTitle() == "  Ann.log" &&
                fullView->toPlainText() == preview->toPlainText());
        QTest::keyClick(fullView, Qt::Key_Escape); // as its close button: it goes
        QVERIFY(!WindowRegistry::isLoaded<ScoreLogWindow>() && env.boxes->shown.isEmpty());

        // stray bytes follow the rounding rule; Spare is NULs after reading another log
        env.writeFile("tests/Cy.log", QByteArray(113, 'C'));
        QVERIFY(scoring::readLog("tests/Cy.log").ok());
        const QByteArray old = testing::runEntry("OLD", "10", 5);
        env.writeFile("tests/Ann.log", old + QByteArray(37, 'S')); // 150 bytes: entry at 113
        finishRun(env, "Ann", 4, 3);
        QCOMPARE(env.readFile("tests/Ann.log"), old + testing::runEntry("MATH1", "75", 4));
        env.writeFile("tests/Ann.log", old + QByteArray(57, 'S')); // 170 bytes: entry at 226
        finishRun(env, "Ann", 4, 3);
        QCOMPARE(env.readFile("tests/Ann.log"), old + QByteArray(57, 'S') + QByteArray(56, '\0') +
                                                    testing::runEntry("MATH1", "75", 4));

        // past the 16-bit record counter: the message, and the entries counted stay
        clickLog(m, "Big.log");
        QCOMPARE(env.boxes->shown,
                 QStringList({"Error loading Log file. Your Log file(s) are either\r\n"
                              "corrupted, or you are trying to read log files \r\n"
                              "created before v1.4."}));
        QCOMPARE(preview->blockCount(), 32767 * 6 + 1);
    }

    void chart_data() {
        QTest::addColumn<QByteArray>("passing"); // no test file when null
        QTest::addColumn<int>("score");
        QTest::addColumn<bool>("passed");
        for (const int score : {0, 10, 40, 50, 74, 75, 100})
            QTest::addRow("%d", score) << QByteArray(" 75") << score << (score >= 75);
        QTest::newRow("P blank") << QByteArray("") << 60 << false;
        QTest::newRow("P 40") << QByteArray("40") << 60 << true;
        QTest::newRow("P huge") << QByteArray("99999999999") << 60 << false;
        QTest::newRow("test file gone") << QByteArray() << 80 << true;
    }
    void chart() {
        QFETCH(QByteArray, passing);
        QFETCH(int, score);
        QFETCH(bool, passed);
        testing::Env env;
        ScoreWindow& w = showScore(env, passing, score);
        Window other; // activating again redraws rather than stretching the bars further
        other.present();
        userSwitchesTo(&w);
        const QString p = passing.trimmed().isEmpty() ? "75" : passing.trimmed();
        auto* passingBar = testing::control<QLabel>(&w, "barRequired");
        auto* scoreBar = testing::control<QLabel>(&w, "barMyScore");
        QCOMPARE(passingBar->text(), "Passing Score =  " + p + "%   ");
        QCOMPARE(QList<int>({w.passingBarTwips(), w.scoreBarTwips()}),
                 QList<int>({15 + 48 * int(std::min(p.toDouble(), 1000.0)), 15 + 48 * score}));
        QCOMPARE(scoreBar->text(),
                 (score ? QStringLiteral("Your Score =  %1%   ").arg(score) : "Your score = ") +
                     (passed ? "  (PASS)    " : "  (FAIL)    "));
        QCOMPARE(platform::ui::backColor(scoreBar), platform::ui::standardColor(passed ? 2 : 4));
        // each caption whole, on its bar or beside it, and readable where it is drawn
        const QStringList problems =
            captionProblems(passingBar, platform::ui::px(w.passingBarTwips())) +
            captionProblems(scoreBar, platform::ui::px(w.scoreBarTwips()));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join("; ")));
        const auto described = [](QWidget* bar) {
            return QAccessible::queryAccessibleInterface(bar)->text(QAccessible::Description);
        };
        QCOMPARE(described(passingBar) + '|' + described(scoreBar),
                 QStringLiteral("Passing score %1%|Your score %2%, %3")
                     .arg(p)
                     .arg(score)
                     .arg(passed ? "pass" : "fail"));
    }

    void scoreWindowHeadingAndPrint() {
        testing::Env env;
        storage::shared::candidateName = " Ann Lee";
        ScoreWindow& w = showScore(env, " 75", 50);
        QStringList shown = testing::unnamedControls(&w);
        for (const char* label : {"Label1", "Label2", "Label3"})
            shown << testing::control<QLabel>(&w, label)->text();
        QCOMPARE(shown, QStringList({"MATH1", "Name:  Ann Lee", platform::dateText()}));

        const QImage before = w.grab().toImage();
        auto* printButton = testing::control<QPushButton>(&w, "Command2");
        testing::click(printButton);
        const QImage page = env.printer->printed.value(0);
        const QPoint inFrame = platform::ui::twips(240, 840, 1, 1).topLeft() + QPoint(40, 20);
        const QColor frame = page.pixelColor(inFrame); // whitened, its shading kept
        QVERIFY(frame.lightness() >= 250 && frame != before.pixelColor(inFrame));
        QVERIFY(page.pixelColor(2, 2) == Qt::white && w.grab().toImage() == before &&
                page.pixelColor(printButton->geometry().center()) == Qt::white); // no buttons
        env.printer->available = false;
        testing::click(printButton);
        QCOMPARE(env.boxes->shown, QStringList({"No printer is available."}));
        QTest::keyClick(printButton, Qt::Key_Escape); // as its close button: it goes
        QVERIFY(!WindowRegistry::isLoaded<ScoreWindow>());
    }
};

QTEST_MAIN(TestScoring)
#include "tst_scoring.moc"
