// Byte layout of the record files and the rules every reader and writer keeps.
#include "AnswerFile.h"
#include "Cp1252.h"
#include "FileNames.h"
#include "Question.h"
#include "RecordFile.h"
#include "SharedState.h"
#include "TestRecord.h"
#include "TestSupport.h"
#include "TextRules.h"

#include <cerrno>
#include <cstring>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

using namespace Qt::StringLiterals;
using storage::AnswerRecord;
using storage::IoResult;
using storage::LogRecord;
using storage::RecordFile;
using storage::TestRecord;
using testing::writeBytes;

namespace {

// The log entry of a run at `time`, as a record and as the reader takes it.
testing::Entry logged(const QString& time, int questions, const QString& test = u"Geo"_s) {
    return {test, u"12/5/98"_s, time, u"80"_s, questions};
}
LogRecord entryOf(const testing::Entry& e) {
    return testing::recordOf<LogRecord>(testing::logEntry(e));
}

// The first `written` answers of a run of entry `entry`, each answer `tag`.
QList<AnswerRecord> runOf(int entry, const testing::Entry& e, const QString& tag,
                          int written = -1) {
    QList<AnswerRecord> out;
    for (int k = 1; k <= (written < 0 ? e.questions : written); ++k)
        out << testing::recordOf<AnswerRecord>(
            testing::answerRecord({e, entry, k, k + 1, u"00000000"_s, 1, true, tag}));
    return out;
}

} // namespace

class TestRecords : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void fieldsArePaddedCutLittleEndianAndLeaveNeighboursAlone() {
        TestRecord r;
        r.setText(TestRecord::QuestionType, u"TYPED"_s);
        QCOMPARE(r.raw(TestRecord::QuestionType), QByteArray("TYPED     "));
        r.setText(TestRecord::QuestionType, u"TRUE/FALSE-AND-MORE"_s);
        QCOMPARE(r.raw(TestRecord::QuestionType), QByteArray("TRUE/FALSE"));
        QCOMPARE(r.raw(TestRecord::QuestionText), QByteArray(500, '\0'));
        r.setText(TestRecord::PassingScore, u" 75"_s);
        r.setQuestionNumber(0x1234);
        r.setShuffleFlag(-2);
        const QByteArray b = r.bytes();
        QCOMPARE(b.mid(1312, 201), QByteArray(" 75") + QByteArray(197, ' ') + '\0');
        QCOMPARE(b.left(2) + b.right(2), QByteArray("\x34\x12\xFE\xFF", 4));
        QCOMPARE(r.shuffleFlag(), std::int16_t(-2));

        // readers trim trailing blanks only, and keep NULs
        r.setText(TestRecord::Owner, u"  Ann  "_s);
        QCOMPARE(r.text(TestRecord::Owner), u"  Ann"_s);
        QCOMPARE(r.text(TestRecord::Reserved1), QString(100, QChar(0)));
    }

    // The editor, the run and the tool all read a kind back through one mapping:
    // a name that the writer and a reader spelled differently would lose the kind.
    void eachKindReadsBackAsWrittenAndOnlyTheEditorIgnoresCase() {
        using storage::QuestionKind;
        QStringList stored;
        for (const QuestionKind kind :
             {QuestionKind::TrueFalse, QuestionKind::Typed, QuestionKind::Multiple}) {
            TestRecord r;
            storage::storeQuestion(r, 1, {kind, {}, {}, {}, 0});
            stored << QString::fromLatin1(r.raw(TestRecord::QuestionType));
            QCOMPARE(storage::kindNamed(r.text(TestRecord::QuestionType)), kind);
            r.setText(TestRecord::QuestionType, r.text(TestRecord::QuestionType).toLower());
            QCOMPARE(storage::storedKind(r), kind);
            QVERIFY(!storage::kindNamed(r.text(TestRecord::QuestionType)));
        }
        QCOMPARE(stored, QStringList({u"TRUE/FALSE"_s, u"TYPED     "_s, u"MULTIPLE  "_s}));
        QVERIFY(!storage::kindNamed(u"ESSAY"_s) && !storage::kindNamed(QString()));
    }

    void windows1252RoundTripsAndUnknownCharactersBecomeQuestionMarks() {
        const QString text = u"caf\u00e9 \u20ac5 \u2014 \u201cok\u201d"_s;
        QCOMPARE(storage::cp1252::encode(text), QByteArray("caf\xe9 \x80"
                                                           "5 \x97 \x93ok\x94"));
        // one '?' per character outside the code page, surrogate pairs included
        QCOMPARE(storage::cp1252::encode(u"a\u4e2db\U0001F600c"_s), QByteArray("a?b?c"));
        QByteArray all;
        for (int i = 0; i < 256; ++i)
            all.append(static_cast<char>(i));
        QCOMPARE(storage::cp1252::encode(storage::cp1252::decode(all)), all);
        // 0x80..0x9F as the code page publishes them (its five holes kept as
        // the C1 controls), each read and written back
        QCOMPARE(storage::cp1252::decode(all.mid(0x80, 32)), testing::kCp1252High);
        QCOMPARE(storage::cp1252::encode(testing::kCp1252High), all.mid(0x80, 32));
        QCOMPARE(storage::cp1252::decode(all.mid(0xA0)), QString::fromLatin1(all.mid(0xA0)));
        TestRecord r;
        r.setText(TestRecord::QuestionType, QString(12, QChar(0x4e2d)));
        QCOMPARE(r.raw(TestRecord::QuestionType), QByteArray(10, '?'));
    }

    void anAnswerKeepsItsRunAsTheLogEntryHasItAndAFullWidthTypedAnswer() {
        const QString typed = QString(199, u'x') + u"\u00e9"_s; // 200 characters, one byte each
        const storage::answers::Given given{5, storage::answers::checksum("123456789", 9), 0,
                                            typed + u"!"_s, false};
        const AnswerRecord r =
            storage::answers::makeRecord(entryOf(logged(u"10:35:12 PM"_s, 3)), 4, 2, given);
        QCOMPARE(r.bytes(), testing::answerRecord({logged(u"10:35:12 PM"_s, 3), 4, 2, 5,
                                                   u"CBF43926"_s, 0, false, typed}));
        QCOMPARE(r.text(AnswerRecord::Answer), typed); // cut to the field, nothing lost before
        QVERIFY(r.logEntry() == 4 && r.asked() == 2 && r.questionRecord() == 5 && !r.right());
        QCOMPARE(storage::answers::pathForLog(u"./tests/Sam.log"_s), u"./tests/Sam.answers"_s);
    }

    // How a reader pairs answers with log entries, whatever a kill left behind.
    void answersCountOnlyForTheEntryTheirWholeRunNames() {
        const testing::Entry e1 = logged(u"9:00:00"_s, 2), e2 = logged(u"9:10:00"_s, 3);
        const QList<AnswerRecord> junk(1); // NULs, as a gap before an append leaves
        struct Case {
            const char* what;
            QList<AnswerRecord> file;
            QStringList expected; // per entry: the tag of its answers, "-" for none
        };
        const Case cases[] = {
            {"an older log", {}, {"-", "-"}},
            {"both logged", runOf(1, e1, "a") + runOf(2, e2, "b"), {"a", "b"}},
            // killed before its entry, the same second: the run logged after it wins
            {"killed, then logged",
             runOf(1, e1, "a") + runOf(2, e2, "k") + runOf(2, e2, "b"),
             {"a", "b"}},
            {"killed after the last entry", runOf(1, e1, "a") + runOf(3, e2, "k"), {"a", "-"}},
            {"cut short, then whole", runOf(2, e2, "k", 2) + runOf(2, e2, "b"), {"-", "b"}},
            {"whole, then cut short", runOf(2, e2, "b") + runOf(2, e2, "k", 1), {"-", "b"}},
            {"another run's entry number", runOf(2, logged(u"8:00:00"_s, 3), "x"), {"-", "-"}},
            {"another test", runOf(1, logged(u"9:00:00"_s, 2, u"Art"_s), "x"), {"-", "-"}},
            {"stray bytes between",
             runOf(1, e1, "a") + junk + runOf(2, e2, "b").mid(1) + junk + runOf(2, e2, "b"),
             {"a", "b"}},
        };
        for (const Case& c : cases) {
            QStringList got;
            for (const QList<AnswerRecord>& run :
                 storage::answers::matchToEntries({entryOf(e1), entryOf(e2)}, c.file))
                got << (run.isEmpty() ? u"-"_s : run.front().text(AnswerRecord::Answer));
            QVERIFY2(got == c.expected, c.what);
        }
    }

    void countsRoundToNearestWithHalvesToEvenUpToThe16BitTop() {
        // {file length, record length, count}; -1: too many for the 16-bit counter
        const std::tuple<qint64, int, int> cases[] = {{0, 2514, 0},
                                                      {1257, 2514, 0},
                                                      {3 * 2514 + 1256, 2514, 3},
                                                      {3 * 2514 + 1257, 2514, 4},
                                                      {2 * 2514 + 1257, 2514, 2},
                                                      {qint64(32767) * 2514, 2514, 32767},
                                                      {qint64(32768) * 2514, 2514, -1},
                                                      {qint64(32767) * 113 + 57, 113, -1},
                                                      {qint64(32767) * 113 + 56, 113, 32767}};
        for (const auto& [length, recordLength, count] : cases)
            QCOMPARE(storage::rules::recordCountForLength(length, recordLength).value_or(-1),
                     count);
    }

    void readsAreByteExactAndCreateNothing() {
        const QString file = m_dir.filePath(u"rw.tst"_s);
        RecordFile f(file, 2514);
        QVERIFY(f.count() && *f.count() == 0);
        // a failed read says why and holds nothing
        const IoResult<TestRecord> missing = storage::shared::readTestRecord(file, 1);
        QCOMPARE(missing.status().message(u"Cannot read"_s),
                 u"Cannot read \"%1\":\r\n%2"_s.arg(file, testing::systemText(ENOENT)));
        QVERIFY(!f.read(1));
        QVERIFY(!QFile::exists(file));

        TestRecord r;
        r.setText(TestRecord::Owner, u"Owner"_s);
        QVERIFY(f.write(1, r.bytes()) && f.write(2, r.bytes()) && f.write(1, r.bytes()));
        QCOMPARE(f.read(2).value(), r.bytes());
        QCOMPARE(testing::fileBytes(file), r.bytes() + r.bytes());
        // a trailing partial record reads as its bytes followed by NULs
        writeBytes(file, r.bytes() + r.bytes() + "XYZ");
        QCOMPARE(f.read(3).value(), QByteArray("XYZ") + QByteArray(2511, '\0'));
        QCOMPARE(f.read(9).value(), QByteArray(2514, '\0'));
        // an append lands after the counted records and says where
        QCOMPARE(f.appendAtCount(r.bytes()).value(), 3);
        QCOMPARE(QFileInfo(file).size(), 3 * 2514);
    }

    void fileNamesKeepTheirBytesWhateverTheirEncoding() {
        // valid UTF-8 is plain text; any other byte is carried and shown as U+FFFD
        const std::pair<QByteArray, QString> names[] = {
            {"caf\xC3\xA9 \xF0\x9F\x98\x80.log", u"caf\u00E9 \U0001F600.log"_s},
            {"caf\xE9.tst", u"caf\uFFFD.tst"_s},
            {"\xC0\xAF", u"\uFFFD\uFFFD"_s},                 // an overlong '/'
            {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"_s},       // a surrogate
            {"a\xE2\x82", u"a\uFFFD\uFFFD"_s},               // cut short at the end
            {"\xF0\x90\xB2\x80\x80", u"\U00010C80\uFFFD"_s}, // a pair, then a stray byte
        };
        for (const auto& [bytes, shown] : names) {
            const QString name = storage::filename::fromNative(bytes);
            QCOMPARE(storage::filename::toNative(name), bytes);
            QCOMPARE(storage::filename::shown(name), shown);
        }
        // and a file so named is written and read through that text
        const QByteArray native = QFile::encodeName(m_dir.path()) + "/G\xE9o.tst";
        RecordFile f(storage::filename::fromNative(native), 2514);
        QVERIFY(f.write(1, QByteArray(2514, 'g')));
        QCOMPARE(f.read(1).value(), QByteArray(2514, 'g'));
        QCOMPARE(::unlink(native.constData()), 0);
    }

    void numbersAndNamesFromText() {
        const std::pair<QString, double> leading[] = {
            {u" 75   "_s, 75}, {QString(), 0}, {QString(5, QChar(0)), 0},
            {u"abc"_s, 0},     {u"60%"_s, 60}, {u"62.5"_s, 62.5},
            {u"-4"_s, -4},     {u"-"_s, 0},    {QString(400, QLatin1Char('9')), 0}};
        for (const auto& [text, value] : leading)
            QVERIFY2(storage::rules::leadingNumber(text) == value, qPrintable(text.left(10)));
        // 29, not the 28 that binary floating point gives
        QCOMPARE(storage::rules::exactPercentage(29, 100), 29);
        QCOMPARE(storage::rules::exactPercentage(2, 3), 66);
        QCOMPARE(storage::rules::exactPercentage(0, 0), 0);
        QCOMPARE(storage::rules::testNameFromPath(u"C:\\exams\\tests\\Algebra.tst"_s),
                 u"Algebra"_s);
        QCOMPARE(storage::rules::testNameFromPath(u"./tests/My Test.tst"_s), u"My Test"_s);
    }
};

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
