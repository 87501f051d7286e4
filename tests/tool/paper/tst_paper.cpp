// Paper tests, answer keys and class results read back as a reader sees them:
// pdftotext on the PDFs, the CSV against a file written by hand.
#include "HeaderRecord.h"
#include "TestRecord.h"
#include "ToolRun.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>

using namespace Qt::StringLiterals;
using storage::Question;
using storage::QuestionKind;
using namespace toolrun;

namespace {

// A test as the editor writes it, with `passing` in its header.
QByteArray testFile(const std::vector<Question>& questions, const QString& passing = u" 75"_s) {
    TestRecord header = newHeader(u"Zoë Ügreen"_s, u"pw"_s);
    header.setText(TestRecord::PassingScore, passing);
    return editorTest(header, questions);
}

QString poppler(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return program + u" failed: "_s + QString::fromUtf8(p.readAllStandardError());
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of a PDF as a reader lays it out; one page, or all of them.
QString pdfText(const QString& pdf, int page = 0) {
    const QString n = QString::number(page);
    return poppler(u"pdftotext"_s,
                   QStringList{u"-layout"_s, u"-enc"_s, u"UTF-8"_s} +
                       (page > 0 ? QStringList{u"-f"_s, n, u"-l"_s, n} : QStringList()) +
                       QStringList{pdf, u"-"_s});
}

QString pdfInfo(const QString& pdf, const QString& field) {
    const QRegularExpression re(u"^"_s + field + u":\\s*(.*)$"_s,
                                QRegularExpression::MultilineOption);
    return re.match(poppler(u"pdfinfo"_s, {pdf})).captured(1).trimmed();
}

// Lines of `text` that are not blank, blanks squeezed: what a reader reads.
QString readLines(const QString& text) {
    QStringList out;
    for (QString line : text.split(u'\n'))
        if (!(line = line.simplified()).isEmpty())
            out << line;
    return out.join(u'\n');
}

} // namespace

class TestPaper : public QObject, private Folder {
    Q_OBJECT

private slots:
    void testReadsInOrderWithConsecutiveLettersAndItsKey() {
        writeFile(
            path(u"Café €.tst"_s),
            testFile({question(QuestionKind::Multiple, u"Which costs 5 €?"_s,
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
        std::vector<Question> questions;
        for (int k = 1; k <= 60; ++k) {
            const QString n = QString::number(k);
            questions.push_back(question(
                QuestionKind::Multiple,
                u"Question "_s + n + (k % 7 ? QString() : u" with words "_s.repeated(30)),
                {u"first of "_s + n, u"second"_s, u"third"_s, u"fourth"_s, u"last of "_s + n}, 1));
        }
        writeFile(path(u"Sixty.tst"_s), testFile(questions));
        for (const QString& paper : {u"a4"_s, u"letter"_s}) {
            const QString pdf = path(u"sixty-"_s + paper + u".pdf"_s);
            const Run r =
                runTool({u"print"_s, path(u"Sixty.tst"_s), u"-o"_s, pdf, u"--paper"_s, paper});
            QCOMPARE(r.status, 0);
            const int pages = pdfInfo(pdf, u"Pages"_s).toInt();
            QVERIFY2(pages >= 5 && pages <= 15, qPrintable(QString::number(pages)));
            QVERIFY(r.out.endsWith(u" on %1 pages\n"_s.arg(pages)));
            // Each question's first and last choice on the page of its text,
            // every question once, in order.
            int next = 1;
            for (int page = 1; page <= pages; ++page) {
                const QString text = pdfText(pdf, page);
                QVERIFY2(text.contains(u"Page %1 of %2"_s.arg(page).arg(pages)), qPrintable(text));
                for (auto it = QRegularExpression(u"^\\s*(\\d+)\\.\\s+Question"_s,
                                                  QRegularExpression::MultilineOption)
                                   .globalMatch(text);
                     it.hasNext();) {
                    const QString n = it.next().captured(1);
                    QCOMPARE(n.toInt(), next++);
                    QVERIFY2(text.contains(u"A) first of "_s + n + u'\n') &&
                                 text.contains(u"E) last of "_s + n + u'\n'),
                             qPrintable(u"question %1 split on page %2"_s.arg(n).arg(page)));
                }
            }
            QCOMPARE(next, 61);
        }
    }

    void damagedTestsAndTakenOutputsWriteNothing() {
        auto print = [&](const QString& test, const QString& pdf, const QStringList& more = {}) {
            return runTool(QStringList{u"print"_s, path(test), u"-o"_s, path(pdf)} + more);
        };
        const QByteArray test =
            testFile({question(QuestionKind::TrueFalse, u"Yes?"_s, {u"TRUE"_s, u"FALSE"_s}, 1)});
        writeFile(path(u"Cut.tst"_s), test + "stray");
        Run r = print(u"Cut.tst"_s, u"cut.pdf"_s);
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(path(u"Cut.tst"_s) + u": 5 stray bytes after record 2"_s),
                 qPrintable(r.err));
        QVERIFY(!QFile::exists(path(u"cut.pdf"_s)));

        // An output that exists stays unless --force; an unwritable one says why.
        writeFile(path(u"Fine.tst"_s), test);
        writeFile(path(u"taken.pdf"_s), "mine");
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
        QCOMPARE(QDir(m_dir.path()).entryList({u".quizdex-*"_s}, QDir::Files | QDir::Hidden),
                 QStringList());
        QCOMPARE(print(u"Fine.tst"_s, u"x.pdf"_s, {u"--paper"_s, u"a5"_s}).status, 2);
    }

    void classResultsAsCsvAndReport() {
        QVERIFY(QDir(m_dir.path()).mkdir(u"class"_s));
        const QString dir = path(u"class"_s);
        writeFile(dir + u"/Algebra.tst"_s, testFile({question(QuestionKind::TrueFalse, u"1+1=2"_s,
                                                              {u"TRUE"_s, u"FALSE"_s}, 1)},
                                                    u" 60"_s));
        writeFile(dir + u"/Ann.log"_s,
                  logEntry(u"Algebra"_s, u"3/1/2026"_s, u"9:15:00 AM"_s, u"55"_s, 20) +
                      logEntry(u"History"_s, u"3/2/2026"_s, u"10:00:00 AM"_s, u"70"_s, 10) +
                      logEntry(u"Algebra"_s, u"3/8/2026"_s, u"9:20:00 AM"_s, u"80"_s, 20));
        writeFile(dir + u"/Bob.log"_s,
                  logEntry(u"Algebra"_s, u"3/1/2026"_s, u"9:16:00 AM"_s, u"60"_s, 20) +
                      logEntry(u"History"_s, u"3/2/2026"_s, u"10:05:00 AM"_s, u"74"_s, 10));
        writeFile(dir + u"/Cy.log"_s,
                  logEntry(u"History"_s, u"3/3/2026"_s, u"11:00:00 AM"_s, u"90"_s, 10) +
                      logEntry(u"Algebra"_s, u"3/9/2026"_s, u"9:30:00 AM"_s, u"59"_s, 20));

        Run r = runTool({u"results"_s, dir, u"--csv"_s, u"-o"_s, path(u"class.csv"_s)});
        QCOMPARE(r.status, 0);
        QCOMPARE(fileBytes(path(u"class.csv"_s)),
                 fileBytes(QStringLiteral(QUIZDEX_TOOL_DATA "/class-results.csv")));

        r = runTool({u"results"_s, dir + u"/Bob.log"_s, dir + u"/Cy.log"_s, u"--test"_s,
                     u"history"_s, u"--csv"_s, u"-o"_s, path(u"history.csv"_s)});
        QCOMPARE(r.status, 0);
        QCOMPARE(QString::fromUtf8(fileBytes(path(u"history.csv"_s))).count(u"\r\n"_s), 3);

        r = runTool({u"results"_s, dir, u"--pdf"_s, u"-o"_s, path(u"class.pdf"_s)});
        QCOMPARE(r.status, 0);
        QCOMPARE(pdfInfo(path(u"class.pdf"_s), u"Pages"_s), u"2"_s);
        const QStringList algebra = readLines(pdfText(path(u"class.pdf"_s), 1)).split(u'\n');
        for (const QString& line :
             {u"Results: Algebra"_s, u"Ann 2 80% 80% pass"_s, u"Bob 1 60% 60% pass"_s,
              u"Cy 1 59% 59% fail"_s, u"Passed: 2 of 3 Mean: 66.3% Median: 60%"_s})
            QVERIFY2(algebra.contains(line), qPrintable(algebra.join(u'\n')));
        const QStringList history = readLines(pdfText(path(u"class.pdf"_s), 2)).split(u'\n');
        for (const QString& line :
             {u"Results: History"_s, u"Passed: 1 of 3 Mean: 78% Median: 74%"_s})
            QVERIFY2(history.contains(line), qPrintable(history.join(u'\n')));

        // One damaged entry anywhere and nothing is written.
        writeFile(dir + u"/Bob.log"_s, fileBytes(dir + u"/Bob.log"_s) + "xx");
        r = runTool({u"results"_s, dir, u"--csv"_s, u"-o"_s, path(u"again.csv"_s)});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(dir + u"/Bob.log: 2 stray bytes"_s), qPrintable(r.err));
        QVERIFY(!QFile::exists(path(u"again.csv"_s)));
    }
};

QTEST_MAIN(TestPaper)
#include "tst_paper.moc"
