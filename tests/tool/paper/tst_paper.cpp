// Paper tests, answer keys and class results read back as a reader sees them:
// pdftotext on the PDFs, the CSV against a file written by hand.
#include "ClassResults.h"
#include "LogDate.h"
#include "LogRecord.h"
#include "PaperVersions.h"
#include "TestRecord.h"
#include "ToolRun.h"

#include <algorithm>
#include <map>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>

using namespace Qt::StringLiterals;
using storage::Question;
using storage::QuestionKind;
using namespace toolrun;

namespace {

// A test as the editor writes it, with `passing` in its header.
QByteArray paperTest(const std::vector<Question>& questions, const QString& passing = u" 75"_s) {
    return testFile({.owner = u"Zoë Ügreen"_s, .password = u"pw"_s, .passing = passing}, questions);
}

// Sixty questions, every seventh one long: "Question 7 with words ...",
// its choices "first of 7" to "last of 7".
QByteArray sixtyQuestions() {
    std::vector<Question> questions;
    for (int k = 1; k <= 60; ++k) {
        const QString n = QString::number(k);
        questions.push_back(question(
            QuestionKind::Multiple,
            u"Question "_s + n + (k % 7 ? QString() : u" with words "_s.repeated(30)),
            {u"first of "_s + n, u"second"_s, u"third"_s, u"fourth"_s, u"last of "_s + n}, 1));
    }
    return paperTest(questions);
}

// A paper test or its key by version: each question as numbered, its text
// first, then the lines under it ("B) Paris", "Answer: B) Paris").
using Versions = std::map<QString, std::vector<QStringList>>;
Versions byVersion(const QString& pdf) {
    static const QRegularExpression heading(u", version ([A-Z])$"_s);
    static const QRegularExpression numbered(u"^\\d+\\. (.*)$"_s);
    Versions out;
    QString v;
    for (const QString& line : readLines(pdfText(pdf)).split(u'\n')) {
        if (const auto h = heading.match(line); h.hasMatch())
            v = h.captured(1);
        else if (const auto n = numbered.match(line); n.hasMatch())
            out[v].push_back({n.captured(1)});
        else if (!out[v].empty() && !line.startsWith(u"Version "_s))
            out[v].back() << line;
    }
    return out;
}

// Each version holds every question once, each choice of it once (in the
// order entered when the author keeps it, else in some other order too), and
// its key follows its own order: the letter it gives is the right choice's.
void checkVersionsAndKeys(const Versions& paper, const Versions& key,
                          const std::vector<Question>& questions, bool keptOrder = false) {
    QCOMPARE(paper.size(), std::size_t(2));
    int reordered = 0;
    for (const auto& [v, shown] : paper) {
        QCOMPARE(shown.size(), questions.size());
        for (std::size_t i = 0; i < shown.size(); ++i) {
            const auto q = std::find_if(questions.begin(), questions.end(),
                                        [&](const Question& q) { return q.text == shown[i][0]; });
            QVERIFY2(q != questions.end(), qPrintable(shown[i][0]));
            const QString right = q->choices[std::size_t(q->correct - 1)];
            const QStringList keyed = key.at(v)[i];
            QCOMPARE(keyed.front(), q->text);
            if (q->kind != QuestionKind::Multiple) {
                QCOMPARE(keyed.at(1), u"Answer: "_s + right);
                continue;
            }
            const QString letter = keyed.at(1).mid(8, 1);
            QCOMPARE(keyed.at(1), u"Answer: "_s + letter + u") "_s + right);
            QVERIFY2(shown[i].contains(letter + u") "_s + right), qPrintable(shown[i].join(u'|')));
            QStringList choices;
            for (const QString& line : shown[i].mid(1))
                choices << line.mid(3);
            QStringList expected(q->choices.begin(), q->choices.end());
            expected.removeAll(QString());
            reordered += choices != expected ? 1 : 0;
            if (!keptOrder) {
                choices.sort();
                expected.sort();
            }
            QCOMPARE(choices, expected);
        }
    }
    QVERIFY(paper.at(u"A"_s) != paper.at(u"B"_s));
    QCOMPARE(reordered > 0, !keptOrder);
}

} // namespace

class TestPaper : public QObject, private Folder {
    Q_OBJECT

private:
    // A class's folder: Algebra.tst with a passing score of 60, and the logs
    // of Ann, Bob and Cy, who took Algebra and History (whose test is not
    // there). Only Ann's "3/18" tells that the dates put the month first.
    QString writeClass() {
        QDir(m_dir.path()).mkpath(u"class"_s);
        const QString dir = path(u"class"_s);
        writeBytes(dir + u"/Algebra.tst"_s, algebraTest());
        writeBytes(dir + u"/Ann.log"_s,
                   logEntry({u"Algebra"_s, u"3/1/2026"_s, u"9:15:00 AM"_s, u"55"_s, 20}) +
                       logEntry({u"History"_s, u"3/2/2026"_s, u"10:00:00 AM"_s, u"70"_s, 10}) +
                       logEntry({u"Algebra"_s, u"3/18/2026"_s, u"9:20:00 AM"_s, u"80"_s, 20}));
        writeBytes(dir + u"/Bob.log"_s,
                   logEntry({u"Algebra"_s, u"3/1/2026"_s, u"9:16:00 AM"_s, u"60"_s, 20}) +
                       logEntry({u"History"_s, u"3/2/2026"_s, u"10:05:00 AM"_s, u"74"_s, 10}));
        writeBytes(dir + u"/Cy.log"_s,
                   logEntry({u"History"_s, u"3/3/2026"_s, u"11:00:00 AM"_s, u"90"_s, 10}) +
                       logEntry({u"Algebra"_s, u"3/9/2026"_s, u"9:30:00 AM"_s, u"59"_s, 20}));
        QFile::remove(dir + u"/History.tst"_s);
        return dir;
    }
    static QByteArray algebraTest() {
        return paperTest(
            {question(QuestionKind::TrueFalse, u"1+1=2"_s, {u"TRUE"_s, u"FALSE"_s}, 1)}, u" 60"_s);
    }
    // `results` run in the folder above the class's, with bare names.
    Run results(const QStringList& args) {
        const InFolder here(m_dir.path());
        return runTool(QStringList{u"results"_s} + args);
    }

private slots:
    void testReadsInOrderWithConsecutiveLettersAndItsKey() {
        writeBytes(
            path(u"Café €.tst"_s),
            paperTest({question(QuestionKind::Multiple, u"Which costs 5 €?"_s,
                                {u"tea"_s, QString(), u"crème brûlée"_s, QString(), u"water"_s}, 3,
                                u"Desserts cost more."_s),
                       question(QuestionKind::TrueFalse, u"A café sells coffee."_s,
                                {u"TRUE"_s, u"FALSE"_s}, 1),
                       question(QuestionKind::Typed, u"Name the drink:\r\nhot, black."_s,
                                {u"Coffee"_s}, 1, u"Espresso counts."_s)}));
        Run r = runTool({u"print"_s, path(u"Café €.tst"_s), u"-o"_s, path(u"t.pdf"_s), u"--paper"_s,
                         u"letter"_s});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, path(u"t.pdf"_s) + u": 3 questions on 1 page\n"_s);
        QCOMPARE(readLines(pdfText(path(u"t.pdf"_s))),
                 u"Café €\nOwner: Zoë Ügreen\nName: Date:\n1. Which costs 5 €?\nA) tea\n"
                 "B) crème brûlée\nC) water\n2. A café sells coffee.\nTRUE / FALSE\n"
                 "3. Name the drink:\nhot, black.\nPage 1 of 1"_s);
        QCOMPARE(pdfInfo(path(u"t.pdf"_s), u"Page size"_s).left(16), u"612 x 792 pts (l"_s);

        r = runTool({u"print"_s, path(u"Café €.tst"_s), u"-o"_s, path(u"k.pdf"_s), u"--key"_s});
        QCOMPARE(r.status, 0);
        QCOMPARE(readLines(pdfText(path(u"k.pdf"_s))),
                 u"Café €: answer key\nOwner: Zoë Ügreen\n1. Which costs 5 €?\n"
                 "Answer: B) crème brûlée\nExplanation: Desserts cost more.\n"
                 "2. A café sells coffee.\nAnswer: TRUE\n3. Name the drink:\nhot, black.\n"
                 "Answer: Coffee\nExplanation: Espresso counts.\nPage 1 of 1"_s);
        // Without --paper, the C locale of the tests is not North American.
        QCOMPARE(pdfInfo(path(u"k.pdf"_s), u"Page size"_s).left(14), u"595 x 842 pts "_s);
    }

    void sixtyQuestionsNeverSplitAcrossPages() {
        writeBytes(path(u"Sixty.tst"_s), sixtyQuestions());
        const QStringList twoVersions = {u"--versions"_s, u"2"_s, u"--seed"_s, u"5"_s};
        for (const auto& [paper, more] :
             {std::pair{u"a4"_s, QStringList()}, std::pair{u"letter"_s, QStringList()},
              std::pair{u"a4"_s, twoVersions}}) {
            const QString pdf = path(u"sixty-%1-%2.pdf"_s.arg(paper).arg(more.size()));
            const Run r = runTool(
                QStringList{u"print"_s, path(u"Sixty.tst"_s), u"-o"_s, pdf, u"--paper"_s, paper} +
                more);
            QCOMPARE(r.status, 0);
            const int pages = pdfInfo(pdf, u"Pages"_s).toInt();
            const int versions = more.isEmpty() ? 1 : 2;
            QVERIFY2(pages >= 5 * versions && pages <= 15 * versions, qPrintable(r.out));
            QVERIFY(r.out.endsWith(u" on %1 pages\n"_s.arg(pages)));
            // Each question's first and last choice on the page of its text,
            // every question once a version, in order; each footer counts
            // the pages of its version and names it.
            QStringList texts;
            std::vector<std::pair<int, QString>> starts; // a version's first page, its footer
            int next = 1;
            for (int page = 1; page <= pages; ++page) {
                const QString text = texts.emplace_back(pdfText(pdf, page));
                const auto v = QRegularExpression(u"Sixty, version ([A-Z])"_s).match(text);
                if (page == 1 || v.hasMatch()) {
                    QCOMPARE(next, page == 1 ? 1 : 61);
                    starts.push_back({page, v.hasMatch()
                                                ? u"Version "_s + v.captured(1) + u", page "_s
                                                : u"Page "_s});
                    next = 1;
                }
                for (auto it = QRegularExpression(u"^\\s*(\\d+)\\.\\s+Question (\\d+)"_s,
                                                  QRegularExpression::MultilineOption)
                                   .globalMatch(text);
                     it.hasNext();) {
                    const auto m = it.next();
                    QCOMPARE(m.captured(1).toInt(), next++);
                    QVERIFY2(
                        text.contains(u") first of "_s + m.captured(2) + u'\n') &&
                            text.contains(u") last of "_s + m.captured(2) + u'\n'),
                        qPrintable(u"question %1 split on page %2"_s.arg(m.captured(2)).arg(page)));
                }
            }
            QCOMPARE(next, 61);
            QCOMPARE(int(starts.size()), versions);
            starts.push_back({pages + 1, QString()});
            for (std::size_t v = 0; v + 1 < starts.size(); ++v) {
                const auto [first, footer] = starts[v];
                for (int page = first; page < starts[v + 1].first; ++page)
                    QVERIFY2(texts[page - 1].contains(u"%1%2 of %3"_s.arg(footer)
                                                          .arg(page - first + 1)
                                                          .arg(starts[v + 1].first - first)),
                             qPrintable(texts[page - 1]));
            }
        }
    }

    void versionsDrawnFromASeedWithTheirKeys() {
        const std::vector<Question> questions = {
            question(QuestionKind::Multiple, u"Capital of France?"_s,
                     {u"Lyon"_s, u"Paris"_s, u"Nice"_s, u"Lille"_s, u"Brest"_s}, 2),
            question(QuestionKind::Multiple, u"Largest planet?"_s,
                     {u"Mars"_s, {}, u"Venus"_s, u"Jupiter"_s}, 4),
            question(QuestionKind::Multiple, u"A mammal?"_s, {u"Trout"_s, u"Whale"_s, u"Eel"_s}, 2),
            question(QuestionKind::TrueFalse, u"Ice floats."_s, {u"TRUE"_s, u"FALSE"_s}, 1),
            question(QuestionKind::Typed, u"Symbol of gold?"_s, {u"Au"_s}, 1),
            question(QuestionKind::Multiple, u"Two plus two?"_s, {u"3"_s, u"4"_s, u"5"_s}, 2)};
        writeBytes(path(u"Geo.tst"_s), paperTest(questions));
        auto print = [&](const QString& pdf, const QStringList& more) {
            return runTool(QStringList{u"print"_s, path(u"Geo.tst"_s), u"-o"_s, path(pdf),
                                       u"--versions"_s, u"2"_s} +
                           more);
        };
        QCOMPARE(print(u"v42.pdf"_s, {u"--seed"_s, u"42"_s}).out,
                 path(u"v42.pdf"_s) + u": 6 questions in 2 versions (seed 42) on 2 pages\n"_s);
        QCOMPARE(print(u"k42.pdf"_s, {u"--seed"_s, u"42"_s, u"--key"_s}).status, 0);
        checkVersionsAndKeys(byVersion(path(u"v42.pdf"_s)), byVersion(path(u"k42.pdf"_s)),
                             questions);
        // The same seed prints the same versions, the seed told when drawn;
        // another seed other orders.
        const Run drawn = print(u"drawn.pdf"_s, {});
        const QString seed =
            QRegularExpression(u"\\(seed (\\d+)\\)"_s).match(drawn.out).captured(1);
        QCOMPARE(print(u"again.pdf"_s, {u"--seed"_s, seed}).status, 0);
        QCOMPARE(pdfText(path(u"again.pdf"_s)), pdfText(path(u"drawn.pdf"_s)));
        QCOMPARE(print(u"v43.pdf"_s, {u"--seed"_s, u"43"_s}).status, 0);
        QVERIFY(pdfText(path(u"v43.pdf"_s)) != pdfText(path(u"v42.pdf"_s)));
        QVERIFY(byVersion(path(u"v43.pdf"_s)) != byVersion(path(u"v42.pdf"_s)));

        // An author who keeps the answers in the order entered keeps them.
        writeBytes(
            path(u"Geo.tst"_s),
            testFile({.owner = u"Zoë Ügreen"_s, .password = u"pw"_s, .shuffle = 0}, questions));
        QCOMPARE(print(u"kept.pdf"_s, {u"--seed"_s, u"42"_s}).status, 0);
        QCOMPARE(print(u"keptkey.pdf"_s, {u"--seed"_s, u"42"_s, u"--key"_s}).status, 0);
        checkVersionsAndKeys(byVersion(path(u"kept.pdf"_s)), byVersion(path(u"keptkey.pdf"_s)),
                             questions, true);

        // The draw is its own, the same on every platform: version A of six
        // questions from seed 42, and the generator's first numbers from 0.
        tool::paper::PaperTest six;
        for (int k = 1; k <= 6; ++k)
            six.questions.push_back(question(QuestionKind::Typed, QString::number(k), {}, 0));
        const auto drawn42 = tool::paper::drawVersions(six, 1, 42);
        QStringList order;
        for (const Question& q : drawn42.front().questions)
            order << q.text;
        QCOMPARE(order.join(u""_s), u"541362"_s);
        tool::paper::SeededDraw draw(0);
        for (const std::uint64_t expected :
             {0xe220a8397b1dcdafULL, 0x6e789e6aa1b965f4ULL, 0x06c45d188009454fULL})
            QCOMPARE(draw.next(), expected);
    }

    void damagedTestsAndTakenOutputsWriteNothing() {
        auto print = [&](const QString& test, const QString& pdf, const QStringList& more = {}) {
            return runTool(QStringList{u"print"_s, path(test), u"-o"_s, path(pdf)} + more);
        };
        const QByteArray test =
            paperTest({question(QuestionKind::TrueFalse, u"Yes?"_s, {u"TRUE"_s, u"FALSE"_s}, 1)});
        writeBytes(path(u"Cut.tst"_s), test + "stray");
        Run r = print(u"Cut.tst"_s, u"cut.pdf"_s);
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(path(u"Cut.tst"_s) + u": 5 stray bytes after record 2"_s),
                 qPrintable(r.err));
        QVERIFY(!QFile::exists(path(u"cut.pdf"_s)));

        // An output that exists stays unless --force; an unwritable one says why.
        writeBytes(path(u"Fine.tst"_s), test);
        writeBytes(path(u"taken.pdf"_s), "mine");
        r = print(u"Fine.tst"_s, u"taken.pdf"_s);
        QCOMPARE(r.status, 1);
        QCOMPARE(r.err, path(u"taken.pdf"_s) + u": exists; --force replaces it\n"_s);
        QCOMPARE(fileBytes(path(u"taken.pdf"_s)), QByteArray("mine"));
        QCOMPARE(print(u"Fine.tst"_s, u"taken.pdf"_s, {u"--force"_s}).status, 0);
        QVERIFY(fileBytes(path(u"taken.pdf"_s)).startsWith("%PDF"));
        r = print(u"Fine.tst"_s, u"no/such/dir.pdf"_s);
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.startsWith(path(u"no/such/dir.pdf"_s) + u": No such file"_s),
                 qPrintable(r.err));
        QCOMPARE(testing::namesIn(m_dir.path(), {u".quizdex-*"_s}), QStringList());
        const QList<QStringList> wrong = {{u"--paper"_s, u"a5"_s},
                                          {u"--seed"_s, u"1"_s},
                                          {u"--versions"_s, u"27"_s},
                                          {u"--versions"_s, u"2"_s, u"--seed"_s, u"-1"_s}};
        for (const QStringList& args : wrong)
            QCOMPARE(print(u"Fine.tst"_s, u"x.pdf"_s, args).status, 2);
        for (const QStringList& formats :
             {QStringList{u"--csv"_s, u"--pdf"_s}, QStringList{u"--csv"_s, u"--excel"_s},
              QStringList(), QStringList{u"--items"_s, u"--answers"_s, u"--excel"_s},
              QStringList{u"--answers"_s, u"--excel"_s, u"--pdf"_s}})
            QCOMPARE(runTool(QStringList{u"results"_s, m_dir.path(), u"-o"_s, path(u"x.csv"_s)} +
                             formats)
                         .status,
                     2);
        QVERIFY(!QFile::exists(path(u"x.pdf"_s)) && !QFile::exists(path(u"x.csv"_s)));
    }

    void classResultsAsCsvAndReport() {
        const QString dir = writeClass();
        Run r = results({u"class"_s, u"--csv"_s, u"-o"_s, u"class.csv"_s});
        QCOMPARE(r.out, u"class.csv: 7 entries\n"_s);
        QCOMPARE(fileBytes(path(u"class.csv"_s)),
                 fileBytes(QStringLiteral(QUIZDEX_TOOL_DATA "/class-results.csv")));
        r = results({u"class/Bob.log"_s, u"class/Cy.log"_s, u"--test"_s, u"history"_s, u"--csv"_s,
                     u"-o"_s, u"history.csv"_s});
        QCOMPARE(r.status, 0);
        QCOMPARE(QString::fromUtf8(fileBytes(path(u"history.csv"_s))).count(u"\r\n"_s), 3);

        QCOMPARE(results({u"class"_s, u"--pdf"_s, u"-o"_s, u"class.pdf"_s}).status, 0);
        QCOMPARE(pdfInfo(path(u"class.pdf"_s), u"Pages"_s), u"2"_s);
        const QString algebraPage = readLines(pdfText(path(u"class.pdf"_s), 1));
        for (const QString& line :
             {u"Results: Algebra"_s, u"Passing score 60%, from the test's header"_s,
              u"Ann 2 80% 80% pass"_s, u"Bob 1 60% 60% pass"_s, u"Cy 1 59% 59% fail"_s,
              u"Passed: 2 of 3 Mean: 66.3% Median: 60%"_s})
            QVERIFY2(algebraPage.split(u'\n').contains(line), qPrintable(algebraPage));
        // The passing score's source: no test beside the logs, then one whose
        // header sets none.
        const QString noTest = u"Passing score 75%: the test is not in the folder"_s;
        QVERIFY(pdfText(path(u"class.pdf"_s), 2).simplified().contains(noTest));
        writeBytes(dir + u"/History.tst"_s, paperTest({}, QString()));
        QCOMPARE(results({u"class"_s, u"--pdf"_s, u"-o"_s, u"run.pdf"_s}).status, 0);
        const QString history = readLines(pdfText(path(u"run.pdf"_s), 2));
        for (const QString& line :
             {u"Passing score 75%, the one a run takes: the test's header sets none"_s,
              u"Passed: 1 of 3 Mean: 78% Median: 74%"_s})
            QVERIFY2(history.split(u'\n').contains(line), qPrintable(history));
    }

    // A damaged log, then a damaged test: nothing written, or with --skip
    // the rest, what was left out listed.
    void damagedLogsAndTestsLeftOutWithSkip() {
        const QString dir = writeClass();
        const QByteArray bob = fileBytes(dir + u"/Bob.log"_s);
        const struct {
            QString file;
            QByteArray bytes;
            QString finding;
            int rowsLeft;
        } damaged[] = {{u"Bob.log"_s, bob + "xx", u": 2 stray bytes"_s, 5},
                       {u"Algebra.tst"_s, algebraTest() + "x", u": 1 stray byte"_s, 3}};
        for (const auto& d : damaged) {
            writeClass();
            writeBytes(dir + u'/' + d.file, d.bytes);
            Run r = results({u"class"_s, u"--csv"_s, u"-o"_s, u"again.csv"_s});
            QCOMPARE(r.status, 1);
            QVERIFY2(r.err.contains(u"class/"_s + d.file + d.finding), qPrintable(r.err));
            QVERIFY(!QFile::exists(path(u"again.csv"_s)));
            r = results({u"class"_s, u"--skip"_s, u"--csv"_s, u"-o"_s, u"again.csv"_s});
            QCOMPARE(r.status, 0);
            QVERIFY2(r.err.endsWith(u"class/"_s + d.file + u": left out, damaged\n"_s),
                     qPrintable(r.err));
            const QString rows = QString::fromUtf8(fileBytes(path(u"again.csv"_s)));
            QCOMPARE(rows.count(u"\r\n"_s), 1 + d.rowsLeft);
            QVERIFY(!rows.contains(d.file.section(u'.', 0, 0) + u','));
            QVERIFY(QFile::remove(path(u"again.csv"_s)));
        }
    }

    // The tool as a user runs it: Excel's CSV by the locale's decimal sign,
    // and nothing on standard error that the user did not cause, also where
    // the session's runtime folder is missing or not the user's own.
    void excelCsvByTheLocaleAndAQuietStandardError() {
        QVERIFY(QDir(m_dir.path()).mkpath(u"excel/open"_s));
        const QString dir = path(u"excel"_s);
        QVERIFY(QFile::setPermissions(dir + u"/open"_s, QFile::ReadOwner | QFile::WriteOwner |
                                                            QFile::ExeOwner | QFile::ReadGroup |
                                                            QFile::ExeGroup | QFile::ReadOther |
                                                            QFile::ExeOther));
        writeBytes(dir + u"/Algebra.tst"_s, paperTest({}, u" 62.5"_s));
        const QByteArray header = "candidate,test,date,ISO date,time,questions,score,"
                                  "passing score,result\r\n";
        const QByteArray row = "Zo\xc3\xab,Algebra,%1,2026-03-01,9:15:00,20,70,62.5,pass\r\n";
        const struct {
            const char* locale;
            const char* runtimeFolder; // none: not set
            bool decimalComma;
        } cases[] = {{"de_DE.UTF-8", "open", true},
                     {"en_US.UTF-8", nullptr, false},
                     {"fr_FR.UTF-8", "Algebra.tst", true}};
        for (const auto& c : cases) {
            const QLocale locale{QLatin1String(c.locale).left(5)};
            const QString date = locale.toString(QDate(2026, 3, 1), QLocale::ShortFormat);
            writeBytes(dir + u"/Zoë.log"_s,
                       logEntry({u"Algebra"_s, date, u"9:15:00"_s, u"70"_s, 20}));
            const Run r = runToolProcess(
                QLatin1String(c.locale),
                {u"results"_s, dir, u"--excel"_s, u"-o"_s, path(u"excel.csv"_s), u"--force"_s},
                {{u"XDG_RUNTIME_DIR"_s,
                  c.runtimeFolder ? dir + u'/' + QLatin1String(c.runtimeFolder) : QString()}});
            QCOMPARE(r.status, 0);
            QCOMPARE(r.err, QString());
            QByteArray expected =
                "\xef\xbb\xbf" + header + QByteArray(row).replace("%1", date.toUtf8());
            if (c.decimalComma)
                expected.replace(',', ';').replace("62.5", "62,5");
            QCOMPARE(fileBytes(path(u"excel.csv"_s)), expected);
        }
    }

    // The mean and the median of the candidates' latest scores.
    void meanAndMedianOfTheLatestScores() {
        const struct {
            std::vector<const char*> latest; // one candidate each
            double mean, median;
        } cases[] = {{{"80"}, 80, 80},
                     {{"80", "60"}, 70, 70},
                     {{"90", "10", "50", "30"}, 45, 40},
                     {{"100", "0", "75"}, 58.333333, 75}};
        for (const auto& c : cases) {
            std::vector<tool::results::Entry> entries;
            for (const char* score : c.latest) {
                tool::results::Entry e;
                e.candidate = QString::number(entries.size());
                e.test = u"T"_s;
                e.score = QLatin1String(score);
                entries.push_back(e);
            }
            const auto reports = tool::results::reports(entries);
            QCOMPARE(reports.size(), std::size_t(1));
            QVERIFY(qAbs(reports[0].mean - c.mean) < 1e-5);
            QCOMPARE(reports[0].median, c.median);
        }
    }

    // Dates as each locale's short format wrote them into a log's 10 places,
    // read back where the same locale is the tool's.
    void isoDatesFromTheFormatsTheProgramWrites() {
        const QDate today(2026, 12, 8);
        const QDate dates[] = {{2026, 3, 1}, {2026, 12, 25}, {1998, 12, 5}};
        for (const char* name : {"en_US", "en_GB", "de_DE", "fr_FR", "nl_NL", "sv_SE", "ja_JP",
                                 "ko_KR", "es_ES", "C", "hu_HU", "bg_BG"}) {
            const QLocale locale{QLatin1String(name)};
            QStringList written, expected;
            for (const QDate& d : dates) {
                storage::LogRecord rec;
                const QString full = locale.toString(d, QLocale::ShortFormat);
                rec.setText(storage::LogRecord::DateTaken, full);
                written << rec.text(storage::LogRecord::DateTaken).trimmed();
                // A date cut to its 10 places ("2026. 03. 01.") reads only
                // when no digit or letter was cut off.
                const bool whole =
                    std::none_of(full.begin() + std::min<qsizetype>(10, full.size()), full.end(),
                                 [](QChar c) { return c.isLetterOrNumber(); });
                expected << (whole ? d.toString(Qt::ISODate) : QString());
            }
            tool::results::DateReader reader(locale, today);
            QStringList read;
            for (const QString& w : written)
                read << reader.isoDate(w, reader.orderOf(written, 0));
            QVERIFY2(read == expected, qPrintable(name + (u": "_s + written.join(u" | "_s))));
        }
        // A log from another locale is read in the order its own dates show;
        // what reads as no date is empty.
        tool::results::DateReader german(QLocale(u"de_DE"_s), today);
        const QStringList american = {u"1/5/26"_s, u"1/13/26"_s, u"2/1/26"_s};
        const int order = german.orderOf(american, 0);
        QCOMPARE(german.isoDate(american[0], order), u"2026-01-05"_s);
        QCOMPARE(german.isoDate(u"12/25/26"_s, 0), u"2026-12-25"_s); // only one order reads
        for (const QString& unreadable :
             {QString(), u"someday"_s, u"31.02.26"_s, u"13/13/26"_s, u"1 Foo 2026"_s, u"1/2"_s})
            QVERIFY2(german.isoDate(unreadable, 0).isEmpty(), qPrintable(unreadable));
    }
};

QTEST_MAIN(TestPaper)
#include "tst_paper.moc"
