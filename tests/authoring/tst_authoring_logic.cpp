// Creating a test file, the owner check, the header settings and the bytes of a
// question record, without any window.
#include "Module1.h"
#include "Question.h"
#include "RecordBytes.h"
#include "TestHeader.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace authoring;

class TestAuthoringLogic : public QObject {
    Q_OBJECT
private slots:
    void existingTestsAreNeverWritten() {
        testing::Env env;
        const QByteArray old = bytes::header("Bob", "pw") + QByteArray(100, 'q');
        env.writeFile(QStringLiteral("tests/Algebra.tst"), old);
        env.writeFile(QStringLiteral("tests/short.tst"), QByteArray(1000, 's')); // counts 0 records
        for (const char* name : {"Algebra", "algebra", "ALGEBRA  ", "Short"}) {
            const CreateResult r = createTest(QStringLiteral("./tests"), QString::fromLatin1(name),
                                              QStringLiteral("x"), QStringLiteral("y"));
            QCOMPARE(r.outcome, CreateOutcome::Exists);
        }
        QCOMPARE(env.readFile(QStringLiteral("tests/Algebra.tst")), old);
        QCOMPARE(env.readFile(QStringLiteral("tests/short.tst")), QByteArray(1000, 's'));
        QCOMPARE(QDir(QStringLiteral("tests")).entryList(QDir::Files).size(), 2);
    }

    void namesTheFileSystemCannotHoldWriteNothing() {
        testing::Env env;
        QDir().mkpath(QStringLiteral("tests"));
        const QStringList bad = {QStringLiteral("../escape"), QStringLiteral("a\\b"),
                                 QStringLiteral("nul") + QChar(0) + QStringLiteral("x"),
                                 QString(300, QLatin1Char('n')), QStringLiteral("   ")};
        for (const QString& name : bad) {
            const CreateResult r = createTest(QStringLiteral("./tests"), name, QStringLiteral("o"),
                                              QStringLiteral("p"));
            QCOMPARE(r.outcome, CreateOutcome::IllegalName);
        }
        QVERIFY(QDir(QStringLiteral("tests")).entryList(QDir::Files).isEmpty());
        QVERIFY(!QFile::exists(QStringLiteral("escape.tst")));
        // The file system here takes ':' and a 251-character name.
        QCOMPARE(createTest(QStringLiteral("./tests"), QStringLiteral("a:b"), QStringLiteral("o"),
                            QStringLiteral("p"))
                     .outcome,
                 CreateOutcome::Created);
        QCOMPARE(createTest(QStringLiteral("./tests"), QString(251, QLatin1Char('n')),
                            QStringLiteral("o"), QStringLiteral("p"))
                     .outcome,
                 CreateOutcome::Created);
    }

    void aFolderThatCannotTakeTheFileIsAFailureWithItsReason() {
        testing::Env env; // no tests folder at all
        const CreateResult r = createTest(QStringLiteral("./tests"), QStringLiteral("T"),
                                          QStringLiteral("o"), QStringLiteral("p"));
        QCOMPARE(r.outcome, CreateOutcome::Failed);
        QVERIFY(!r.status.ok);
        QVERIFY(r.status.message(QStringLiteral("x")).contains(QStringLiteral("./tests/T.tst")));
        QVERIFY(!r.status.reason.isEmpty());
    }

    void ownerCheckIgnoresCaseButNotBlanks() {
        TestRecord h;
        h.setBytes(bytes::header(" Ann Lee", "PassWord"));
        QVERIFY(ownerAndPasswordMatch(h, QStringLiteral(" ann LEE"), QStringLiteral("password")));
        QVERIFY(!ownerAndPasswordMatch(h, QStringLiteral("Ann Lee"), QStringLiteral("PassWord")));
        QVERIFY(!ownerAndPasswordMatch(h, QStringLiteral(" Ann Lee "), QStringLiteral("PassWord")));
        QVERIFY(!ownerAndPasswordMatch(h, QStringLiteral(" Ann Lee"), QStringLiteral("Pass")));
        // typed text compares as the header stores it: 8-bit, cut to 200
        h.setText(TestRecord::Owner, QStringLiteral("Zoë ☃") + QString(300, QLatin1Char('z')));
        QVERIFY(ownerAndPasswordMatch(h, QStringLiteral("ZOË ☃") + QString(300, QLatin1Char('Z')),
                                      QStringLiteral("password")));
        // a header never written by the program matches nothing typed
        TestRecord blank;
        QVERIFY(!ownerAndPasswordMatch(blank, QStringLiteral(" "), QStringLiteral(" ")));
    }

    void feedbackFlagsAndPassingScore() {
        TestRecord h;
        h.setBytes(bytes::header("o", "p",
                                 QByteArray("1 0\0"
                                            "1",
                                            5),
                                 "x111"));
        QVERIFY(flagOn(h, TestRecord::CorrectFeedback, 1));
        QVERIFY(!flagOn(h, TestRecord::CorrectFeedback, 2));
        QVERIFY(!flagOn(h, TestRecord::CorrectFeedback, 3));
        QVERIFY(!flagOn(h, TestRecord::IncorrectFeedback, 1));
        QVERIFY(flagOn(h, TestRecord::IncorrectFeedback, 4));
        QCOMPARE(flagText({true, false, true, true}), QStringLiteral("1011"));

        QCOMPARE(passingScoreToShow(h), 75); // NULs: never set
        const QList<QPair<QByteArray, int>> cases = {
            {" 75", 75},  {"50", 50},   {" 49", 75}, {"49.6", 50}, {"62.5", 62},
            {"100", 100}, {"250", 100}, {"abc", 75}, {"-80", 75},  {"  90 points", 90}};
        for (const auto& [stored, shown] : cases) {
            QByteArray r = bytes::empty();
            bytes::put(r, 1312, 200, stored);
            h.setBytes(r);
            QCOMPARE(passingScoreToShow(h), shown);
        }
        QCOMPARE(passingScoreText(75), QStringLiteral(" 75"));
    }

    void questionRecordBytes() {
        TestRecord rec;
        QByteArray reserved = bytes::empty();
        bytes::put(reserved, 2212, 100, "kept");
        bytes::putInt16(reserved, 2512, 1);
        rec.setBytes(reserved);

        Question tf;
        tf.kind = QuestionKind::TrueFalse;
        tf.text = QStringLiteral("Sky is green?");
        tf.choices = {QStringLiteral("TRUE"), QStringLiteral("FALSE")};
        tf.correct = 2;
        tf.explanation = QStringLiteral("line 1\r\nline 2");
        storeQuestion(rec, 3, tf);
        QCOMPARE(
            rec.bytes(),
            bytes::question(
                {3, "Sky is green?", "TRUE/FALSE", {"TRUE", "FALSE"}, "FALSE", "line 1\r\nline 2"},
                reserved));

        // with no choice marked, the correct answer stays as the record held it
        Question none;
        none.kind = QuestionKind::Multiple;
        none.choices = {QStringLiteral("x")};
        storeQuestion(rec, 1, none);
        QCOMPARE(bytes::field(rec.bytes(), 1512, 200), bytes::padded("FALSE", 200));
    }

    void storedKindAndTheLastMatchingChoice() {
        TestRecord rec;
        rec.setBytes(bytes::question({1, "q", "multiple", {"A", "B", "A ", "C", "A"}, "A", ""}));
        QCOMPARE(storedKind(rec), QuestionKind::Multiple);
        QCOMPARE(storedCorrectChoice(rec), 5); // "A " pads to the same 200 bytes as "A"
        rec.setBytes(bytes::question({1, "q", "ESSAY", {"A", "B"}, "Z", ""}));
        QVERIFY(!storedKind(rec));
        QCOMPARE(storedCorrectChoice(rec), 0);
        rec.clear(); // NULs everywhere: every choice equals the correct answer
        QCOMPARE(storedCorrectChoice(rec), 5);
    }
};

QTEST_MAIN(TestAuthoringLogic)
#include "tst_authoring_logic.moc"
