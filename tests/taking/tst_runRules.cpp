// The parts of a test run that need no window: counts, the random draw, the
// answer check, the feedback choice, and the texts of counters, score and clock.
#include "Module1.h"
#include "RunRules.h"
#include "TestSupport.h"
#include "TextRules.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTest>

using namespace taking;

namespace {
void setSeconds(testing::Env& env, int seconds) {
    env.clock->current = QDateTime(QDate(1998, 12, 5), QTime(22, 35, seconds));
}
} // namespace

class TestRunRules : public QObject {
    Q_OBJECT
private slots:
    void questionCountsForAllHalfAndCustom() {
        QCOMPARE(questionsToTake(CountChoice::All, 12, 1), 12);
        QCOMPARE(questionsToTake(CountChoice::Half, 12, 1), 6);
        QCOMPARE(questionsToTake(CountChoice::Half, 7, 1), 3);
        QCOMPARE(questionsToTake(CountChoice::Custom, 12, 5), 5);
        // a one-question test taken by half still asks its question
        QCOMPARE(questionsToTake(CountChoice::Half, 1, 1), 1);
        QCOMPARE(questionsToTake(CountChoice::Custom, 12, 40), 12);
        QCOMPARE(questionsToTake(CountChoice::Custom, 12, 0), 1);
        QCOMPARE(questionsToTake(CountChoice::All, 32766, 1), 32766);
    }

    void stirringDiscardsTheClockSeconds() {
        testing::Env env;
        QCOMPARE(stirCount(QStringLiteral("22:35:12")), 12);
        QCOMPARE(stirCount(QStringLiteral("00:00:00")), 0);
        QCOMPARE(stirCount(QStringLiteral("23:59:59")), 59);
        QCOMPARE(stirCount(QStringLiteral("07:08:09")), 9);
        setSeconds(env, 41);
        StirRandom();
        QCOMPARE(env.random->draws, 41);
    }

    void drawFollowsTheFormulasWithASeededGenerator() {
        testing::Env env;
        setSeconds(env, 3);
        RecordDraw draw(10);
        QCOMPARE(draw.UsedRecords.size(), std::size_t(12));
        QCOMPARE(draw.UsedRecords[0], 1);
        QCOMPARE(draw.UsedRecords[1], 1);
        const auto stirThen = [&](double r) {
            for (int i = 0; i < 3; ++i)
                env.random->values.push_back(0.5); // discarded
            env.random->values.push_back(r);
        };
        // Int(r * 10 + 1) + 1
        stirThen(0.0);
        QCOMPARE(draw.next(), 2);
        stirThen(0.95);
        QCOMPARE(draw.next(), 11);
        // record 2 again is rejected and drawn anew
        stirThen(0.05);
        stirThen(0.55);
        QCOMPARE(draw.next(), 7);
        QCOMPARE(env.random->draws, 16);
        QVERIFY(env.random->values.empty());
        QCOMPARE(draw.CandidateRecord, 7);

        // the top of the generator's range still lands on the last record
        setSeconds(env, 0);
        RecordDraw big(32766);
        env.random->values.push_back(0.99999999999999989);
        QCOMPARE(big.next(), 32767);
    }

    void everyRecordIsDrawnExactlyOnce() {
        testing::Env env;
        for (int n : {1, 2, 3, 7, 100, 32766}) {
            RecordDraw draw(n);
            std::vector<int> seen(static_cast<std::size_t>(n) + 2, 0);
            for (int i = 0; i < n; ++i) {
                const int r = draw.next();
                QVERIFY2(r >= 2 && r <= n + 1, qPrintable(QString::number(r)));
                ++seen[static_cast<std::size_t>(r)];
            }
            QCOMPARE(std::count(seen.begin() + 2, seen.end(), 1), std::ptrdiff_t(n));
            QCOMPARE(draw.next(), 0); // nothing left: no endless loop
        }
    }

    void arrangementsMoveEveryChoiceToOneLabel() {
        QCOMPARE(arrangementFor(0.0), 1);
        QCOMPARE(arrangementFor(0.2499), 1);
        QCOMPARE(arrangementFor(0.25), 2);
        QCOMPARE(arrangementFor(0.5), 3);
        QCOMPARE(arrangementFor(0.75), 4);
        QCOMPARE(arrangementFor(0.9999999), 4);
        const QString letters = QStringLiteral("ABCDE");
        const QStringList expected = {QStringLiteral("ABCDE"), QStringLiteral("CABDE"),
                                      QStringLiteral("BDECA"), QStringLiteral("EDCBA")};
        for (int a = 1; a <= 4; ++a) {
            QString where;
            for (int c = 1; c <= 5; ++c)
                where += letters.at(labelForChoice(a, c));
            QCOMPARE(where, expected.at(a - 1));
        }
    }

    void answersCompareUpperCasedAndRightTrimmed() {
        const QString stored = QStringLiteral("Paris") + QString(195, QLatin1Char(' '));
        QVERIFY(isCorrectAnswer(stored, comparableAnswer(QStringLiteral("PARIS   "))));
        QVERIFY(isCorrectAnswer(stored, comparableAnswer(QStringLiteral("paris"))));
        QVERIFY(!isCorrectAnswer(stored, comparableAnswer(QStringLiteral("  paris"))));
        QVERIFY(!isCorrectAnswer(QStringLiteral("New York"),
                                 comparableAnswer(QStringLiteral("NewYork"))));
        QVERIFY(
            !isCorrectAnswer(QStringLiteral("Paris\t"), comparableAnswer(QStringLiteral("Paris"))));
        // a blank choice is a choice: blank against blank is right
        QVERIFY(isCorrectAnswer(QString(200, QLatin1Char(' ')), comparableAnswer(QString())));
    }

    void feedbackFollowsTheFlags() {
        QCOMPARE(feedbackKind(QStringLiteral("0000")), FeedbackKind::None);
        QCOMPARE(feedbackKind(QStringLiteral("1000")), FeedbackKind::Short);
        for (const char* other : {"1110", "0001", "0100", "", "1", "11111", "000", "00000"})
            QCOMPARE(feedbackKind(QLatin1String(other)), FeedbackKind::Detailed);
        QCOMPARE(feedbackKind(QString(4, QChar(0))), FeedbackKind::Detailed);

        const auto items = [](const QString& f) {
            const FeedbackItems i = feedbackItems(f);
            return QString::fromLatin1("%1%2%3%4")
                .arg(int(i.verdict))
                .arg(int(i.explanation))
                .arg(int(i.correctAnswer))
                .arg(int(i.correctSoFar));
        };
        QCOMPARE(items(QStringLiteral("1110")), QStringLiteral("1110"));
        QCOMPARE(items(QStringLiteral("0001")), QStringLiteral("0001"));
        QCOMPARE(items(QStringLiteral("0100")), QStringLiteral("0100"));
        QCOMPARE(items(QStringLiteral("0010")), QStringLiteral("0010"));
        // position 4 is the last character, however long the text
        QCOMPARE(items(QStringLiteral("1")), QStringLiteral("1001"));
        QCOMPARE(items(QStringLiteral("11110")), QStringLiteral("1110"));
        QCOMPARE(items(QStringLiteral("00001")), QStringLiteral("0001"));
        QCOMPARE(items(QString()), QStringLiteral("0000"));
        QCOMPARE(items(QString(4, QChar(0))), QStringLiteral("0000"));
        QCOMPARE(items(QStringLiteral("2222")), QStringLiteral("0000"));
    }

    void textsOfCounterScoreAndBar() {
        QCOMPARE(counterText(1, 10), QStringLiteral(" 1 of  10"));
        QCOMPARE(counterText(32766, 32766), QStringLiteral(" 32766 of  32766"));
        QCOMPARE(scoreText(30), QStringLiteral("Score:  30%"));
        QCOMPARE(scoreText(0), QStringLiteral("Score:  0%"));
        QCOMPARE(correctSoFarText(3), QStringLiteral("# Correct so far =  3"));
        QCOMPARE(rules::exactPercentage(1, 3), 33);
        QCOMPARE(rules::exactPercentage(2, 3), 66);
        QCOMPARE(rules::exactPercentage(29, 100), 29);
        QCOMPARE(rules::exactPercentage(57, 100), 57);
        QCOMPARE(scoreBarWidth(0), 0);
        QCOMPARE(scoreBarWidth(100), 393); // 5,895 twips, the inside of its border
        QCOMPARE(scoreBarWidth(33), 130);  // 1,945 twips
        QCOMPARE(scoreBarWidth(50), 197);
    }

    void clockRollsOverSecondsAndMinutes() {
        ElapsedClock clock;
        QCOMPARE(clock.text(), QStringLiteral("Elapsed Time: 0:00:00"));
        for (int i = 0; i < 309; ++i)
            clock.tick();
        QCOMPARE(clock.text(), QStringLiteral("Elapsed Time: 0:05:09"));
        for (int i = 309; i < 3599; ++i)
            clock.tick();
        QCOMPARE(clock.text(), QStringLiteral("Elapsed Time: 0:59:59"));
        clock.tick();
        QCOMPARE(clock.text(), QStringLiteral("Elapsed Time: 1:00:00"));
        for (int i = 3600; i < 3725; ++i)
            clock.tick();
        QCOMPARE(clock.text(), QStringLiteral("Elapsed Time: 1:02:05"));
        for (int i = 3725; i < 36000; ++i)
            clock.tick();
        QCOMPARE(clock.text(), QStringLiteral("Elapsed Time: 10:00:00"));
    }

    void unusableTestFilesAreNamedAndNeverCreated() {
        testing::Env env;
        QDir().mkpath(QStringLiteral("tests"));
        const QString missing = env.testsFile(QStringLiteral("Gone.tst"));
        QVERIFY(testFileProblem(missing).contains(QStringLiteral("cannot be found")));
        QVERIFY(testFileProblem(missing).contains(missing));
        QVERIFY(!QFileInfo::exists(missing));

        env.writeFile(QStringLiteral("tests/Empty.tst"), QByteArray());
        QVERIFY(testFileProblem(env.testsFile(QStringLiteral("Empty.tst")))
                    .contains(QStringLiteral("is empty")));
        env.writeFile(QStringLiteral("tests/Short.tst"),
                      QByteArray(1000, 'x')); // rounds to 0 records
        QVERIFY(testFileProblem(env.testsFile(QStringLiteral("Short.tst")))
                    .contains(QStringLiteral("is empty")));

        QDir().mkpath(QStringLiteral("tests/Folder.tst"));
        const QString folderProblem = testFileProblem(env.testsFile(QStringLiteral("Folder.tst")));
        QVERIFY(folderProblem.startsWith(QStringLiteral("Cannot read the test")));
        QVERIFY(folderProblem.contains(QStringLiteral("\r\n")));

        QFile huge(env.testsFile(QStringLiteral("Huge.tst")));
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.resize(qint64(2514) * 32768)); // one record past what a count can hold
        huge.close();
        QVERIFY(
            testFileProblem(huge.fileName()).contains(QStringLiteral("more than 32,767 records")));

        env.writeFile(QStringLiteral("tests/Fine.tst"), QByteArray(2514 * 2 + 700, ' '));
        QCOMPARE(testFileProblem(env.testsFile(QStringLiteral("Fine.tst"))), QString());
    }

    void namesThatCannotNameALogAreRefused() {
        testing::Env env;
        QVERIFY(candidateNameProblem(QStringLiteral("a/b")).contains(QStringLiteral("score log")));
        QVERIFY(!candidateNameProblem(QStringLiteral("..\\up")).isEmpty());
        QVERIFY(!candidateNameProblem(QString(300, QLatin1Char('x'))).isEmpty());
        QCOMPARE(candidateNameProblem(QStringLiteral("  Ann")), QString());
        QCOMPARE(candidateNameProblem(QString()), QString()); // a name of blanks only
    }
};

QTEST_MAIN(TestRunRules)
#include "tst_runRules.moc"
