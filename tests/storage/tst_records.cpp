// Byte layout of the record files and the rules every reader and writer keeps.
#include "Cp1252.h"
#include "LogRecord.h"
#include "Module1.h"
#include "RecordFile.h"
#include "TestRecord.h"
#include "TextRules.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestRecords : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }
private slots:
    void textFieldsArePaddedCutAndLeaveNeighboursAlone() {
        TestRecord r;
        r.setText(TestRecord::QuestionType, QStringLiteral("TYPED"));
        QCOMPARE(r.raw(TestRecord::QuestionType), QByteArray("TYPED     "));
        r.setText(TestRecord::QuestionType, QStringLiteral("TRUE/FALSE-AND-MORE"));
        QCOMPARE(r.raw(TestRecord::QuestionType), QByteArray("TRUE/FALSE"));
        // untouched neighbours stay NUL
        QCOMPARE(r.raw(TestRecord::QuestionText), QByteArray(500, '\0'));
        QCOMPARE(r.raw(TestRecord::Choice1), QByteArray(200, '\0'));

        r.setText(TestRecord::PassingScore, QStringLiteral(" 75"));
        const QByteArray bytes = r.bytes();
        QCOMPARE(bytes.mid(1312, 3), QByteArray(" 75"));
        QCOMPARE(bytes.mid(1315, 197), QByteArray(197, ' '));
        QCOMPARE(bytes.at(1512), '\0');
    }

    void integersAreLittleEndianSigned() {
        TestRecord r;
        r.setQuestionNumber(0x1234);
        r.setShuffleFlag(-2);
        const QByteArray b = r.bytes();
        QCOMPARE(b.mid(0, 2), QByteArray("\x34\x12", 2));
        QCOMPARE(b.mid(2512, 2), QByteArray("\xFE\xFF", 2));
        QCOMPARE(r.shuffleFlag(), std::int16_t(-2));
        LogRecord l;
        l.setNumQuestions(32767);
        QCOMPARE(l.bytes().mid(111, 2), QByteArray("\xFF\x7F", 2));
    }

    void readersTrimTrailingBlanksOnlyAndKeepNuls() {
        TestRecord r;
        r.setText(TestRecord::Owner, QStringLiteral("  Ann  "));
        QCOMPARE(r.text(TestRecord::Owner), QStringLiteral("  Ann"));
        QCOMPARE(r.fullText(TestRecord::Owner).size(), 200);
        QCOMPARE(r.text(TestRecord::Reserved1), QString(100, QChar(0)));
    }

    void windows1252RoundTripsAndUnknownCharactersBecomeQuestionMarks() {
        const QString text = QStringLiteral("caf\u00e9 \u20ac5 \u2014 \u201cok\u201d");
        const QByteArray enc = cp1252::encode(text);
        QCOMPARE(enc, QByteArray("caf\xe9 \x80"
                                 "5 \x97 \x93ok\x94"));
        QCOMPARE(cp1252::decode(enc), text);
        // one '?' per character outside the code page, surrogate pairs included
        QCOMPARE(cp1252::encode(QStringLiteral("a\u4e2db\U0001F600c")), QByteArray("a?b?c"));
        // every byte survives decode then encode
        QByteArray all;
        for (int i = 0; i < 256; ++i)
            all.append(static_cast<char>(i));
        QCOMPARE(cp1252::encode(cp1252::decode(all)), all);

        TestRecord r;
        r.setText(TestRecord::QuestionType, QString(12, QChar(0x4e2d)));
        QCOMPARE(r.raw(TestRecord::QuestionType), QByteArray(10, '?'));
        QCOMPARE(r.raw(TestRecord::Choice1), QByteArray(200, '\0'));
    }

    void countsRoundToNearestWithHalvesToEven_data() {
        QTest::addColumn<qint64>("length");
        QTest::addColumn<int>("count");
        QTest::newRow("empty") << qint64(0) << 0;
        QTest::newRow("one") << qint64(2514) << 1;
        QTest::newRow("3 and a bit under half") << qint64(3 * 2514 + 1256) << 3;
        QTest::newRow("3 and a half goes to 4") << qint64(3 * 2514 + 1257) << 4;
        QTest::newRow("3 and more than half") << qint64(3 * 2514 + 1258) << 4;
        QTest::newRow("2 and a half stays 2") << qint64(2 * 2514 + 1257) << 2;
        QTest::newRow("half a record") << qint64(1257) << 0;
        QTest::newRow("16-bit top") << qint64(32767) * 2514 << 32767;
    }
    void countsRoundToNearestWithHalvesToEven() {
        QFETCH(qint64, length);
        QFETCH(int, count);
        const auto n = rules::recordCountForLength(length, 2514);
        QVERIFY(n.has_value());
        QCOMPARE(int(*n), count);
    }

    void countsBeyondSixteenBitsAreRefused() {
        QVERIFY(!rules::recordCountForLength(qint64(32768) * 2514, 2514));
        QVERIFY(!rules::recordCountForLength(qint64(32767) * 113 + 57, 113)); // rounds to 32768
        QVERIFY(rules::recordCountForLength(qint64(32767) * 113 + 56, 113));
    }

    void readingOrCountingCreatesNothing() {
        const QString missing = path(QStringLiteral("missing.tst"));
        RecordFile f(missing, 2514);
        IoStatus st;
        QCOMPARE(f.count(&st).value_or(-1), 0);
        QVERIFY(st.ok);
        QByteArray out;
        QVERIFY(!f.read(1, out));
        QVERIFY(!QFile::exists(missing));
        QVERIFY(!Module1::readTestRecord(missing, 1));
        QVERIFY(!QFile::exists(missing));
    }

    void writeThenReadIsByteExactAndPastTheEndReadsNul() {
        const QString file = path(QStringLiteral("rw.tst"));
        RecordFile f(file, 2514);
        TestRecord r;
        r.setText(TestRecord::Owner, QStringLiteral("Owner"));
        QVERIFY(f.write(1, r.bytes()));
        QVERIFY(f.write(2, r.bytes()));
        QVERIFY(f.write(1, r.bytes())); // in place
        QCOMPARE(QFileInfo(file).size(), 5028);
        QByteArray out;
        QVERIFY(f.read(2, out));
        QCOMPARE(out, r.bytes());

        // a trailing partial record reads as its bytes followed by NULs
        QFile raw(file);
        QVERIFY(raw.open(QIODevice::Append));
        raw.write("XYZ");
        raw.close();
        QVERIFY(f.read(3, out));
        QCOMPARE(out.left(3), QByteArray("XYZ"));
        QCOMPARE(out.mid(3), QByteArray(2511, '\0'));
        QVERIFY(f.read(9, out));
        QCOMPARE(out, QByteArray(2514, '\0'));
    }

    void leadingNumbers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("blank-led") << QStringLiteral(" 75   ") << 75.0;
        QTest::newRow("empty") << QString() << 0.0;
        QTest::newRow("nul") << QString(5, QChar(0)) << 0.0;
        QTest::newRow("word") << QStringLiteral("abc") << 0.0;
        QTest::newRow("trailing text") << QStringLiteral("60%") << 60.0;
        QTest::newRow("fraction") << QStringLiteral("62.5") << 62.5;
        QTest::newRow("negative") << QStringLiteral("-4") << -4.0;
        QTest::newRow("sign only") << QStringLiteral("-") << 0.0;
        QTest::newRow("huge") << QString(400, QLatin1Char('9')) << 0.0;
    }
    void leadingNumbers() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(rules::leadingNumber(text), value);
    }

    void percentagesAreExactAndNamesComeFromThePath() {
        QCOMPARE(rules::exactPercentage(29, 100), 29); // not 28, as binary floating point gives
        QCOMPARE(rules::exactPercentage(57, 100), 57);
        QCOMPARE(rules::exactPercentage(2, 3), 66);
        QCOMPARE(rules::exactPercentage(0, 0), 0);
        QCOMPARE(rules::testNameFromPath(QStringLiteral("C:\\exams\\tests\\Algebra.tst")),
                 QStringLiteral("Algebra"));
        QCOMPARE(rules::testNameFromPath(QStringLiteral("./tests/My Test.tst")),
                 QStringLiteral("My Test"));
    }
};

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
