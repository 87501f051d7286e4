// The answers a class gave, through quizdex-tool: the item analysis of a class
// of eight worked out by hand, each pupil's answers, and the answer file as
// check, repair and show know it.
#include "AnswerFile.h"
#include "ToolRun.h"

#include <functional>
#include <QDir>
#include <QRegularExpression>

using namespace Qt::StringLiterals;
using storage::LogRecord;
using storage::QuestionKind;
using storage::TestRecord;
using namespace toolrun;

namespace {

const std::vector<storage::Question> kGeo = {
    question(QuestionKind::TrueFalse, u"The Earth is round."_s, {u"TRUE"_s, u"FALSE"_s}, 1),
    question(QuestionKind::Typed, u"Capital of France?"_s, {u"Paris"_s}, 1),
    question(QuestionKind::Multiple, u"Largest ocean?"_s,
             {u"Atlantic"_s, u"Pacific"_s, u"Indian"_s, u"Arctic"_s, u"Southern"_s}, 2),
    question(QuestionKind::TrueFalse, u"Water boils at 100 \u00b0C at sea level."_s,
             {u"TRUE"_s, u"FALSE"_s}, 1),
    question(QuestionKind::Multiple, u"Which is a planet?"_s,
             {u"Moon"_s, u"Sun"_s, u"Mars"_s, u"Vega"_s, u"Io"_s}, 3),
    question(QuestionKind::Typed, u"Longest river?"_s, {u"Nile"_s}, 1)};

// The class of eight: each pupil's answers to questions 1 to 6 and the score
// logged (right of 6, cut to a whole percent). Hal was asked them in reverse.
//
//          Q1 Q2 Q3 Q4 Q5 Q6  right  score
//   Ann     1  1  1  1  1  0    5     83   top
//   Ben     1  1  0  1  1  1    5     83   top
//   Cal     1  0  0  1  1  1    4     66
//   Dee     1  0  0  1  1  1    4     66
//   Eve     1  0  1  1  1  0    4     66
//   Fay     1  0  0  1  0  1    3     50
//   Gus     1  0  1  0  0  0    2     33   bottom
//   Hal     1  0  1  0  0  0    2     33   bottom
//
// 27 % of 8 runs is 2.16: two runs in each group, no tie at either edge.
//   facility           top share  bottom share  discrimination
//   Q1 8/8 = 100 %     2/2        2/2            0.00   over 90 %, under 0.2
//   Q2 2/8 =  25 %     2/2        0/2            1.00   under 30 %
//   Q3 4/8 =  50 %     1/2        2/2           -0.50   under 0.2
//   Q4 6/8 =  75 %     2/2        0/2            1.00
//   Q5 5/8 = 62.5 %    2/2        0/2            1.00
//   Q6 4/8 =  50 %     1/2        0/2            0.50
// Wrong answers given most: Q2 Lyon in any case (Cal, Dee, Fay, Gus: 4),
// Q3 Atlantic (3), Q4 FALSE (2), Q5 Moon (2), Q6 Amazon (2).
struct Pupil {
    QString name;
    QStringList given;
    int score;
};
const Pupil kClass[] = {
    {u"Ann"_s, {u"TRUE"_s, u"Paris"_s, u"Pacific"_s, u"TRUE"_s, u"Mars"_s, u"Amazon"_s}, 83},
    {u"Ben"_s, {u"TRUE"_s, u"paris"_s, u"Atlantic"_s, u"TRUE"_s, u"Mars"_s, u"Nile"_s}, 83},
    {u"Cal"_s, {u"TRUE"_s, u"Lyon"_s, u"Indian"_s, u"TRUE"_s, u"Mars"_s, u"Nile"_s}, 66},
    {u"Dee"_s, {u"TRUE"_s, u"LYON"_s, u"Atlantic"_s, u"TRUE"_s, u"Mars"_s, u"Nile"_s}, 66},
    {u"Eve"_s, {u"TRUE"_s, u"Nice"_s, u"Pacific"_s, u"TRUE"_s, u"Mars"_s, u"Amazon"_s}, 66},
    {u"Fay"_s, {u"TRUE"_s, u"lyon"_s, u"Atlantic"_s, u"TRUE"_s, u"Moon"_s, u"Nile"_s}, 50},
    {u"Gus"_s, {u"TRUE"_s, u"Lyon"_s, u"Pacific"_s, u"FALSE"_s, u"Sun"_s, u"Danube"_s}, 33},
    {u"Hal"_s, {u"TRUE"_s, u"Marseille"_s, u"Pacific"_s, u"FALSE"_s, u"Moon"_s, QString()}, 33}};

// The rows of a CSV with its version column (a checksum) left out.
QStringList rowsOf(const QByteArray& csv) {
    QStringList rows = QString::fromUtf8(csv).split(u"\r\n"_s, Qt::SkipEmptyParts);
    for (QString& row : rows) {
        QStringList cells = row.split(u',');
        cells.removeAt(3);
        row = cells.join(u',');
    }
    return rows;
}

// A run of `pupil` logged in `dir` with its answers, as a finished run
// writes them; `q` gives the record asked k-th.
void logRun(
    const QString& dir, const QByteArray& test, const QString& pupil, int score,
    const QString& testName, const QStringList& given, int minute,
    const std::function<int(int)>& q = [](int k) { return k + 2; }) {
    std::vector<storage::answers::Given> answers;
    for (int k = 0; k < given.size(); ++k) {
        TestRecord rec;
        rec.setBytes(record(test, q(k)));
        const QString& answer = given[q(k) - 2];
        answers.push_back(
            {q(k), storage::answers::checksum(rec), 0, answer,
             answer.compare(rec.text(TestRecord::CorrectAnswer), Qt::CaseInsensitive) == 0});
    }
    const auto entry = testing::recordOf<LogRecord>(
        logEntry({testName, u"3/9/2026"_s, u"9:%1:00 AM"_s.arg(minute, 2, 10, QLatin1Char('0')),
                  QString::number(score), std::int16_t(given.size())}));
    QVERIFY(storage::answers::appendRun(dir + u'/' + pupil + u".log"_s, entry, answers).entry);
}

// Geo.tst in `dir` and the class's logs: each pupil's run with its answers,
// after an older run of Ann's that kept none.
void writeClass(const QString& dir) {
    QVERIFY(QDir().mkpath(dir));
    const QByteArray test = testFile({}, kGeo);
    writeBytes(dir + u"/Geo.tst"_s, test);
    writeBytes(dir + u"/Ann.log"_s,
               logEntry({u"Geo"_s, u"3/2/2026"_s, u"9:00:00 AM"_s, u"100"_s, 6}));
    for (int p = 0; p < 8; ++p) {
        const Pupil& pupil = kClass[p];
        const bool reversed = pupil.name == u"Hal"_s;
        logRun(dir, test, pupil.name, pupil.score, u"Geo"_s, pupil.given, p,
               [reversed](int k) { return reversed ? 7 - k : k + 2; });
    }
}

// The PDF's text as a reader reads it: lines not blank, blanks squeezed.
QStringList pdfLines(const QString& pdf, int page) {
    return readLines(pdfText(pdf, page)).split(u'\n');
}

} // namespace

class TestAnswerReports : public QObject, private Folder {
    Q_OBJECT
    QString m_class;

private slots:
    void initTestCase() {
        m_class = path(u"class"_s);
        writeClass(m_class);
    }

    void itemAnalysisOfAClassOfEightAsWorkedOutByHand() {
        Run r = runTool(
            {u"results"_s, m_class, u"--items"_s, u"--csv"_s, u"-o"_s, path(u"items.csv"_s)});
        QCOMPARE(r.out, path(u"items.csv"_s) + u": 9 runs, 48 answers\n"_s);
        const QStringList hand = {
            u"test,question,text,edited since,asked,right,facility %,most given wrong answer,"
            "times,discrimination,flags"_s,
            u"Geo,1,The Earth is round.,,8,8,100,,,0.00,"
            "facility over 90%; discrimination under 0.2"_s,
            u"Geo,2,Capital of France?,,8,2,25,Lyon,4,1.00,facility under 30%"_s,
            u"Geo,3,Largest ocean?,,8,4,50,Atlantic,3,-0.50,discrimination under 0.2"_s,
            u"Geo,4,Water boils at 100 \u00b0C at sea level.,,8,6,75,FALSE,2,1.00,"_s,
            u"Geo,5,Which is a planet?,,8,5,62.5,Moon,2,1.00,"_s,
            u"Geo,6,Longest river?,,8,4,50,Amazon,2,0.50,"_s};
        QCOMPARE(rowsOf(fileBytes(path(u"items.csv"_s))), hand);

        // the PDF: worst first, the run without answers said to be left out
        r = runTool(
            {u"results"_s, m_class, u"--items"_s, u"--pdf"_s, u"-o"_s, path(u"items.pdf"_s)});
        QCOMPARE(r.status, 0);
        const QString page = readLines(pdfText(path(u"items.pdf"_s), 1));
        QStringList order;
        for (auto m = QRegularExpression(u"^Q(\\d) "_s, QRegularExpression::MultilineOption)
                          .globalMatch(page);
             m.hasNext();)
            order << m.next().captured(1);
        QCOMPARE(order, QStringList({u"2"_s, u"3"_s, u"6"_s, u"5"_s, u"4"_s, u"1"_s}));
        QVERIFY2(page.contains(u"1 run logged without answers"_s) &&
                     page.contains(u"most given wrong answer \"Lyon\" (4); discrimination 1.00; "
                                   "facility under 30%"_s),
                 qPrintable(page));

        // question 5 edited since: its answers counted apart, and the new text has none yet
        QByteArray test = fileBytes(m_class + u"/Geo.tst"_s);
        testing::putText(test, 5 * 2514 + 2, 500, u"Which of these is a planet?"_s);
        writeBytes(m_class + u"/Geo.tst"_s, test);
        runTool({u"results"_s, m_class, u"--items"_s, u"--csv"_s, u"-o"_s, path(u"edited.csv"_s)});
        QStringList edited = hand;
        edited.replace(5, u"Geo,5,Which of these is a planet?,,0,0,,,,,"_s);
        edited.insert(6, u"Geo,5,Which of these is a planet?,yes,8,5,62.5,Moon,2,1.00,"_s);
        QCOMPARE(rowsOf(fileBytes(path(u"edited.csv"_s))), edited);
        writeBytes(m_class + u"/Geo.tst"_s, testFile({}, kGeo));
    }

    void eachPupilsAnswersBesideTheRightOnes() {
        Run r = runTool(
            {u"results"_s, m_class, u"--answers"_s, u"--csv"_s, u"-o"_s, path(u"answers.csv"_s)});
        QCOMPARE(r.status, 0);
        const QStringList rows = rowsOf(fileBytes(path(u"answers.csv"_s)));
        QCOMPARE(rows.size(), 1 + 1 + 8 * 6);
        QCOMPARE(rows.mid(1, 3),
                 QStringList({u"Ann,Geo,3/2/2026,100,,,,,,,no answers kept for this run"_s,
                              u"Ann,Geo,3/9/2026,83,1,1,The Earth is round.,TRUE,TRUE,right,"_s,
                              u"Ann,Geo,3/9/2026,83,2,2,Capital of France?,Paris,Paris,right,"_s}));
        QCOMPARE(rows.mid(44, 2),
                 QStringList({u"Hal,Geo,3/9/2026,33,1,6,Longest river?,(blank),Nile,wrong,"_s,
                              u"Hal,Geo,3/9/2026,33,2,5,Which is a planet?,Moon,Mars,wrong,"_s}));

        r = runTool({u"results"_s, m_class + u"/Hal.answers"_s, u"--answers"_s, u"--pdf"_s, u"-o"_s,
                     path(u"hal.pdf"_s)});
        QCOMPARE(r.out, path(u"hal.pdf"_s) + u": 1 run, 6 answers\n"_s);
        QCOMPARE(readLines(pdfText(path(u"hal.pdf"_s), 1)).split(u'\n').mid(0, 5),
                 QStringList({u"Answers: Hal"_s, u"Geo, 3/9/2026 9:07:00 AM, score 33%"_s,
                              u"# Question Answer given Right answer Result"_s,
                              u"1 Q6 Longest river? (blank) Nile wrong"_s,
                              u"2 Q5 Which is a planet? Moon Mars wrong"_s}));
    }

    // --excel as Excel opens each report by a double click: after a byte
    // order mark, and where the locale writes a decimal comma, ';' between the
    // cells and that comma in facility and discrimination; elsewhere the
    // CSV's own rows.
    void excelOpensEachReportByTheLocale() {
        QStringList versions;
        for (int n = 2; n <= 7; ++n) {
            TestRecord rec;
            rec.setBytes(record(fileBytes(m_class + u"/Geo.tst"_s), n));
            versions << storage::answers::checksumText(storage::answers::checksum(rec));
        }
        const QString commaItems =
            u"test;question;text;version;edited since;asked;right;facility %;"
            "most given wrong answer;times;discrimination;flags\r\n"
            "Geo;1;The Earth is round.;%1;;8;8;100;;;0,00;"
            "\"facility over 90%; discrimination under 0.2\"\r\n"
            "Geo;2;Capital of France?;%2;;8;2;25;Lyon;4;1,00;facility under 30%\r\n"
            "Geo;3;Largest ocean?;%3;;8;4;50;Atlantic;3;-0,50;discrimination under 0.2\r\n"
            "Geo;4;Water boils at 100 \u00b0C at sea level.;%4;;8;6;75;FALSE;2;1,00;\r\n"
            "Geo;5;Which is a planet?;%5;;8;5;62,5;Moon;2;1,00;\r\n"
            "Geo;6;Longest river?;%6;;8;4;50;Amazon;2;0,50;\r\n"_s.arg(
                versions[0], versions[1], versions[2], versions[3], versions[4], versions[5]);
        // Each pupil's answers hold no number with a fraction, nor a ',' in a
        // cell: the CSV's rows with ';' between the cells.
        runTool({u"results"_s, m_class, u"--answers"_s, u"--csv"_s, u"-o"_s, path(u"a.csv"_s)});
        runTool({u"results"_s, m_class, u"--items"_s, u"--csv"_s, u"-o"_s, path(u"i.csv"_s)});
        const QByteArray answers = fileBytes(path(u"a.csv"_s));
        QCOMPARE(answers.count(','), 11 * answers.count("\r\n"));
        const struct {
            const char* report;
            const char* locale;
            QByteArray rows;
        } cases[] = {{"--items", "de_DE.UTF-8", commaItems.toUtf8()},
                     {"--items", "en_US.UTF-8", fileBytes(path(u"i.csv"_s))},
                     {"--answers", "fr_FR.UTF-8", QByteArray(answers).replace(',', ';')},
                     {"--answers", "en_US.UTF-8", answers}};
        for (const auto& c : cases) {
            const Run r = runToolProcess(QLatin1String(c.locale),
                                         {u"results"_s, m_class, QLatin1String(c.report),
                                          u"--excel"_s, u"-o"_s, path(u"x.csv"_s), u"--force"_s});
            QVERIFY2(r.status == 0 && r.err.isEmpty(), qPrintable(r.err));
            QCOMPARE(fileBytes(path(u"x.csv"_s)), "\xef\xbb\xbf" + c.rows);
        }
    }

    // With --skip a damaged answer file leaves its pupil's runs out, a damaged
    // log or test its entries, each listed; without it nothing is written.
    void damagedFilesLeftOutWithSkip() {
        const QString dir = path(u"skip"_s);
        const struct {
            QString file;
            const char* report;
            QString written; // with --skip
            QString gone;    // rows that start so
        } cases[] = {{u"Gus.answers"_s, "--answers", u"9 runs, 43 answers"_s, u"Gus,"_s},
                     {u"Geo.tst"_s, "--items", u"1 run, 1 answer"_s, u"Geo,"_s},
                     {u"Ivy.log"_s, "--items", u"9 runs, 48 answers"_s, u"Sea,"_s}};
        for (const auto& c : cases) {
            // The class, and Ivy's run of another test beside it.
            QVERIFY(QDir(dir).removeRecursively());
            writeClass(dir);
            const QByteArray sea = testFile(
                {}, {question(QuestionKind::TrueFalse, u"Salty?"_s, {u"TRUE"_s, u"FALSE"_s}, 1)});
            writeBytes(dir + u"/Sea.tst"_s, sea);
            logRun(dir, sea, u"Ivy"_s, 100, u"Sea"_s, {u"TRUE"_s}, 10);
            const QString damaged = dir + u'/' + c.file;
            writeBytes(damaged, fileBytes(damaged) + "xx");
            const QStringList args = {u"results"_s, dir,     QLatin1String(c.report),
                                      u"--csv"_s,   u"-o"_s, path(u"skip.csv"_s)};
            Run r = runTool(args);
            QVERIFY2(r.status == 1 && r.err.startsWith(damaged + u": 2 stray bytes"_s),
                     qPrintable(r.err));
            QVERIFY(!QFile::exists(path(u"skip.csv"_s)));
            r = runTool(args + QStringList{u"--skip"_s});
            QCOMPARE(r.out, path(u"skip.csv"_s) + u": "_s + c.written + u'\n');
            QVERIFY2(r.err.endsWith(damaged + u": left out, damaged\n"_s), qPrintable(r.err));
            QVERIFY(!QString::fromUtf8(fileBytes(path(u"skip.csv"_s))).contains(u"\n"_s + c.gone));
            QVERIFY(QFile::remove(path(u"skip.csv"_s)));
        }
    }

    // A run killed before its entry leaves answers that show, check and the
    // reports pass over; stray bytes are found and repaired as in a log.
    void theAnswerFileAsCheckRepairAndShowKnowIt() {
        const QString dir = path(u"files"_s);
        QVERIFY(QDir().mkpath(dir));
        const QString log = dir + u"/Kim.log"_s, answers = dir + u"/Kim.answers"_s;
        // the second run killed before its entry
        const testing::Entry run{u"Geo"_s, u"3/9/2026"_s, u"10:00:00 AM"_s, u"50"_s, 2};
        testing::Answer first{run, 1, 1, 2, u"1234ABCD"_s, 1, true, u"TRUE"_s},
            second{run, 1, 2, 3, u"00000007"_s, 0, false, u"Lyon"_s};
        QByteArray kept = testing::answerRecord(first) + testing::answerRecord(second);
        first.entry = second.entry = 2;
        kept += testing::answerRecord(first) + testing::answerRecord(second);
        writeBytes(log, logEntry(run));
        writeBytes(answers, kept + "stray");

        Run r = runTool({u"check"_s, answers});
        QCOMPARE(r.out, answers + u": 5 stray bytes after record 4: the length is not a whole "
                                  "number of 300-byte records\n"_s);
        QCOMPARE(runTool({u"repair"_s, answers}).out,
                 answers + u": kept 4 whole records; moved 5 stray bytes to "_s + answers +
                     u".stray\n"_s);
        QCOMPARE(runTool({u"show"_s, answers}).out,
                 answers + u": 2 runs, 1 counted (entries in "_s + log +
                     u")\nGeo, 3/9/2026 10:00:00 AM, log entry 1: counted\n"
                     "  1. question 1: \"TRUE\", right\n  2. question 2: \"Lyon\", wrong\n"
                     "Geo, 3/9/2026 10:00:00 AM, log entry 2: not counted (the log has no "
                     "entry 2: the run ended before it)\n"
                     "  1. question 1: \"TRUE\", right\n  2. question 2: \"Lyon\", wrong\n"_s);

        QByteArray bytes = fileBytes(answers);
        bytes[storage::AnswerRecord::kSize + storage::AnswerRecord::kAskedOffset] = 9;
        bytes.replace(storage::AnswerRecord::kSize * 2 + storage::AnswerRecord::Checksum.offset, 2,
                      "xy");
        writeBytes(answers, bytes);
        r = runTool({u"check"_s, answers});
        QCOMPARE(r.out, answers + u": record 2: question 9 of a run of 2\n"_s + answers +
                            u": record 3: the checksum \"xy34ABCD\" is not 8 hexadecimal "
                            "digits\n"_s);
        QCOMPARE(r.status, 1);
        r = runTool({u"results"_s, dir, u"--items"_s, u"--csv"_s, u"-o"_s, path(u"no.csv"_s)});
        QVERIFY2(r.status == 1 && !QFile::exists(path(u"no.csv"_s)), qPrintable(r.err));
    }
};

QTEST_MAIN(TestAnswerReports)
#include "tst_answerreports.moc"
