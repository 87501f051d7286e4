// The answers a class gave, through quizdex-tool: the item analysis of a class
// of eight worked out by hand, each pupil's answers, and the answer file as
// check, repair and show know it.
#include "AnswerFile.h"
#include "ToolRun.h"

#include <QDir>
#include <QRegularExpression>

using namespace Qt::StringLiterals;
using storage::QuestionKind;
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

} // namespace

class TestAnswerReports : public QObject, private Folder {
    Q_OBJECT
    QString m_class;

private slots:
    // Geo.tst and the class's logs: each pupil's run with its answers, as a
    // finished run writes them, after an older run of Ann's that kept none.
    void initTestCase() {
        QVERIFY(QDir(m_dir.path()).mkdir(u"class"_s));
        m_class = path(u"class"_s);
        const QByteArray test = testFile({}, kGeo);
        writeBytes(m_class + u"/Geo.tst"_s, test);
        writeBytes(m_class + u"/Ann.log"_s,
                   logEntry({u"Geo"_s, u"3/2/2026"_s, u"9:00:00 AM"_s, u"100"_s, 6}));
        for (int p = 0; p < 8; ++p) {
            const Pupil& pupil = kClass[p];
            std::vector<storage::answers::Given> given;
            for (int k = 0; k < 6; ++k) {
                const int q = pupil.name == u"Hal"_s ? 5 - k : k;
                const auto rec = testing::recordOf<storage::TestRecord>(record(test, q + 2));
                given.push_back(
                    {q + 2, storage::answers::checksum(rec), 0, pupil.given[q],
                     pupil.given[q].compare(rec.text(storage::TestRecord::CorrectAnswer),
                                            Qt::CaseInsensitive) == 0});
            }
            const auto entry = testing::recordOf<storage::LogRecord>(
                logEntry({u"Geo"_s, u"3/9/2026"_s, u"9:0%1:00 AM"_s.arg(p),
                          QString::number(pupil.score), 6}));
            QVERIFY(
                storage::answers::appendRun(m_class + u'/' + pupil.name + u".log"_s, entry, given)
                    .entry);
        }
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
