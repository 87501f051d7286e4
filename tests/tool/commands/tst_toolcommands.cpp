// quizdex-tool's commands on real files: round trips byte for byte, refusals
// that write nothing, imports that never replace a test and never leave half
// of one.
#include "Command.h"
#include "IoFaults.h"
#include "MoodleRules.h"
#include "RecordFile.h"
#include "TestRecord.h"
#include "ToolRun.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using namespace toolrun;
using storage::Question;
using storage::QuestionKind;
using storage::TestRecord;

namespace {

Run importAs(const QString& format, const QString& in, const QString& out,
             const QString& owner = u"o"_s, const QString& password = u"p"_s) {
    return runTool({u"import"_s, u"--format"_s, format, in, u"-o"_s, out, u"--owner"_s, owner,
                    u"--password"_s, password});
}

} // namespace

class TestToolCommands : public QObject, private Folder {
    Q_OBJECT

private slots:
    void roundTripsKeepEveryByteOfEveryQuestion() {
        const QString longText(500, u'x');
        // answers "as entered", chosen before the questions were written
        QByteArray test = testFile(
            {.owner = u"Ann"_s, .password = u"pw"_s, .passing = u" 60"_s, .shuffle = 0},
            {question(QuestionKind::Multiple, u"Which sign starts a comment? // ::no title::"_s,
                      {u"~ tilde"_s, u"= equals"_s, u"# hash"_s, u"\\ backslash"_s, u"{ }"_s}, 3,
                      u"Line one\r\nline two\r\n"_s),
             question(QuestionKind::TrueFalse, u"The Seine flows through Paris.\r\n"_s,
                      {u"TRUE"_s, u"FALSE"_s}, 1),
             question(QuestionKind::Typed, u" Where is the Eiffel tower?"_s, {u"  Paris"_s}, 1,
                      u"\tA tab first"_s),
             question(QuestionKind::Multiple, u"The last of two equal choices is right"_s,
                      {u"Same"_s, {}, u"Other"_s, {}, u"Same"_s}, 5),
             question(QuestionKind::Multiple, {}, {}, 1), // the editor's empty last question
             question(QuestionKind::Multiple, u"None marked"_s,
                      {u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s}, 0),
             question(QuestionKind::TrueFalse, u"\u20ac and \u0081, a lone\nline feed"_s,
                      {u"TRUE"_s, u"FALSE"_s}, 2, u"50% = half"_s),
             question(QuestionKind::Multiple, longText,
                      {QString(200, u'y'), u"short"_s, QString(199, u'z') + u'\r'}, 1, longText)});
        // What other writers leave: a reserved field, a number out of place.
        testing::putText(test, 3 * 2514 + 2312, 100, u"kept"_s);
        testing::putInt16(test, 3 * 2514, 42);
        writeBytes(path(u"All.tst"_s), test);

        // What check finds damaged, import would refuse: export leaves it out
        // and tells why. A question's number is its place.
        QByteArray expected;
        for (const int n : {2, 3, 4, 5, 8, 9}) {
            QByteArray kept = record(test, n);
            testing::putInt16(kept, 0, int(expected.size() / 2514 + 1));
            expected += kept;
        }
        for (const QString& format : {u"gift"_s, u"csv"_s, u"moodlexml"_s}) {
            const QString exported = path(u"all."_s + format);
            const QStringList args = {u"export"_s,        u"--format"_s, format,
                                      path(u"All.tst"_s), u"-o"_s,       exported};
            const Run refused = runTool(args);
            QVERIFY(refused.status == 1 && !QFile::exists(exported));
            const Run e = runTool(args + QStringList{u"--skip"_s});
            QCOMPARE(QString(e.err).remove(m_dir.path() + u'/'),
                     u"All.tst: question 5: the choice marked as the answer is empty (left out)\n"
                     "All.tst: question 6: no choice is marked as the answer (left out)\n"
                     "All.tst: question 3: its stored number 42 is not kept; import numbers it 3, "
                     "its place\n"_s);
            const QString back = path(u"Back-"_s + format + u".tst"_s);
            const Run i = importAs(format, exported, back, u"Bob"_s, u"x"_s);
            QCOMPARE(i.out, back + u": 6 questions\n"_s);
            const QByteArray imported = fileBytes(back);
            QCOMPARE(record(imported, 1),
                     testing::headerRecord({.owner = u"Bob"_s, .password = u"x"_s}));
            QVERIFY2(imported.mid(TestRecord::kSize) == expected, qPrintable(format));
            // Moodle reads every question, with its right answer.
            const QString text = QString::fromUtf8(fileBytes(exported));
            if (format == u"csv"_s)
                continue;
            const auto moodle =
                format == u"gift"_s ? moodlerules::readGift(text) : moodlerules::readXml(text);
            QCOMPARE(moodle.size(), std::size_t(6));
            for (const auto& q : moodle)
                QVERIFY2(q.refused.isEmpty() && q.right >= 0, qPrintable(q.refused + text));
            QCOMPARE(moodle[3].answers, QStringList({u"Same"_s, u"Other"_s, u"Same"_s}));
            QCOMPARE(moodle[3].right, 2);
        }

        // An edit in the GIFT file wins over the blanks the comment line kept;
        // the "--option=value" spelling and a password from the environment,
        // off the command line where any user reads it.
        QString gift = QString::fromUtf8(fileBytes(path(u"all.gift"_s)));
        QVERIFY(gift.contains(u"// quizdex: "_s));
        writeBytes(path(u"edited.gift"_s), gift.replace(u"Eiffel tower"_s, u"Louvre"_s).toUtf8());
        const QStringList noPassword = {u"import"_s, u"--format=gift"_s, path(u"edited.gift"_s),
                                        u"-o"_s,     path(u"Env.tst"_s), u"--owner=Bob"_s};
        qunsetenv("QUIZDEX_PASSWORD");
        const Run refused = runTool(noPassword);
        QCOMPARE(refused.status, 2);
        QVERIFY2(refused.err.contains(u"QUIZDEX_PASSWORD"_s), qPrintable(refused.err));
        QVERIFY(!QFile::exists(path(u"Env.tst"_s)));
        qputenv("QUIZDEX_PASSWORD", "x");
        const Run fromEnv = runTool(noPassword);
        qunsetenv("QUIZDEX_PASSWORD");
        QCOMPARE(fromEnv.status, 0);
        const QByteArray env = fileBytes(path(u"Env.tst"_s));
        QCOMPARE(record(env, 1), testing::headerRecord({.owner = u"Bob"_s, .password = u"x"_s}));
        const auto edited = testing::recordOf<TestRecord>(record(env, 4));
        QCOMPARE(edited.text(TestRecord::QuestionText), u"Where is the Louvre?"_s);
        QCOMPARE(edited.text(TestRecord::Choice1), u"  Paris"_s);
    }

    void refusalsNameTheirLineAndWriteNothing() {
        const QString gift = u"::fine:: Good question? {T}\n\nArrow \u2192 here? {T}\n\n"_s +
                             QString(501, u'q') +
                             u" {T}\n\nSix? {\n=a\n~b\n~c\n~d\n~e\n~f\n}\n\nLong choice? {=ok ~"_s +
                             QString(201, u'y') + u"}\n"_s;
        writeBytes(path(u"in.gift"_s), gift.toUtf8());
        const Run r = importAs(u"gift"_s, path(u"in.gift"_s), path(u"New.tst"_s));
        QCOMPARE(r.status, 1);
        QCOMPARE(r.out, QString());
        const std::pair<int, const char*> expected[] = {
            {3, "\"\u2192\" (U+2192) in the question has no place in Windows-1252"},
            {5, "the question is 501 characters long"},
            {13, "more than five choices; a test holds at most five"},
            {16, "choice 2 is 201 characters long"}};
        for (const auto& [line, text] : expected)
            QVERIFY2(
                r.err.contains(
                    u"%1:%2: %3"_s.arg(path(u"in.gift"_s)).arg(line).arg(QString::fromUtf8(text))),
                qPrintable(r.err));
        QVERIFY(r.err.contains(u"Nothing written: 4 of the questions do not fit"_s));
        QVERIFY(!QFile::exists(path(u"New.tst"_s)));

        {
            // Bare names, in the working folder.
            const InFolder here(m_dir.path());
            const Run skipped =
                runTool({u"import"_s, u"--format"_s, u"gift"_s, u"in.gift"_s, u"-o"_s, u"Geo.tst"_s,
                         u"--owner"_s, u"o"_s, u"--password"_s, u"p"_s, u"--skip"_s});
            QCOMPARE(skipped.status, 0);
            QCOMPARE(skipped.out, u"Geo.tst: 1 question\n"_s);
            QCOMPARE(skipped.err.count(u"(left out)"_s), 4);
        }
        QCOMPARE(fileBytes(path(u"Geo.tst"_s)).size(), 2 * TestRecord::kSize);

        // One refusal each, at its place, and nothing written: a spreadsheet's
        // row by the line it begins on, a right choice naming an empty cell,
        // Moodle XML that is not well-formed, a file that is not UTF-8 by its
        // first bad line.
        const QString none = u"\nNothing written: 1 of the questions does not fit (--skip "
                             "leaves them out).\n"_s;
        const struct {
            const char* name;
            QByteArray bytes;
            QString told;
        } refused[] = {
            {"rows.csv",
             "kind,question,choice 1,right choice\nTYPED,\"Two\nlines\",a,1\nTYPED,Long?," +
                 QByteArray(201, 'z') + ",1\n",
             u":4 (row 3): choice 1 is 201 characters long (a line break counts two); a test holds 200"_s +
                 none},
            {"empty.csv",
             "kind,question,choice 1,choice 2,choice 3,right choice\n"
             "MULTIPLE,Fine?,a,b,,2\nMULTIPLE,Which?,a,b,,3\n",
             u":3 (row 3): the choice marked as the answer is empty"_s + none},
            {"bad.xml", "<quiz>\n<question type=\"truefalse\">\n</quiz>\n",
             u":3:7: not well-formed XML: Opening and ending tag mismatch.\n"_s},
            {"latin1.gift", "Fine {T}\n\nCaf\xe9 {T}\n", u":3: not UTF-8\n"_s},
        };
        for (const auto& r : refused) {
            const QString in = path(QLatin1String(r.name)), suffix = QFileInfo(in).suffix();
            writeBytes(in, r.bytes);
            const Run run =
                importAs(suffix == u"xml"_s ? u"moodlexml"_s : suffix, in, path(u"Refused.tst"_s));
            QVERIFY2(run.status == 1 && run.err == in + r.told, qPrintable(run.err));
        }
        writeBytes(path(u"bom.gift"_s), QByteArray("\xef\xbb\xbf::t:: Caf\xc3\xa9? {T}\n"));
        QCOMPARE(importAs(u"gift"_s, path(u"bom.gift"_s), path(u"Bom.tst"_s)).status, 0);
        QCOMPARE(testing::namesIn(m_dir.path(), {u"Refused.tst"_s, u".quizdex-import-*"_s}),
                 QStringList());
    }

    void aBankSavedByGermanExcelImportsWithOneMessage() {
        // ";" between cells, Windows-1252, a line break inside a cell.
        writeBytes(path(u"bank.csv"_s),
                   "kind;question;choice 1;choice 2;choice 3;right choice;explanation\r\n"
                   "MULTIPLE;Welche Stadt liegt an der Elbe?;Dresden;M\xfcnchen;K\xf6ln;1;"
                   "\"Dresden; nicht M\xfcnchen\"\r\n"
                   "TRUE/FALSE;\"Die Erde\nist rund.\";;;;1;\r\n");
        const Run r = importAs(u"csv"_s, path(u"bank.csv"_s), path(u"Bank.tst"_s));
        QCOMPARE(r.err,
                 path(u"bank.csv"_s) +
                     u": read as Windows-1252 (it is not UTF-8) with \";\" between cells\n"_s);
        QCOMPARE(r.out, path(u"Bank.tst"_s) + u": 2 questions\n"_s);
        const QByteArray bank = fileBytes(path(u"Bank.tst"_s));
        const auto first = testing::recordOf<TestRecord>(record(bank, 2));
        const auto second = testing::recordOf<TestRecord>(record(bank, 3));
        QCOMPARE(first.text(TestRecord::Choice2), u"München"_s);
        QCOMPARE(first.text(TestRecord::Explanation), u"Dresden; nicht München"_s);
        QCOMPARE(second.text(TestRecord::QuestionText), u"Die Erde\r\nist rund."_s);
        QCOMPARE(runTool({u"check"_s, path(u"Bank.tst"_s)}).status, 0);
    }

    void exportRefusesWhatTheFormatCannotHold() {
        writeBytes(path(u"Odd.tst"_s), testFile({}, {question(QuestionKind::Multiple, u"Pick"_s,
                                                              {u"a"_s, u"b"_s}, 2)}) +
                                           testing::questionRecord(2, {.type = u"ESSAY"_s,
                                                                       .text = u"How?"_s,
                                                                       .choices = {u"so"_s},
                                                                       .right = u"so"_s}));
        for (const QString& format : {u"gift"_s, u"csv"_s, u"aiken"_s, u"moodlexml"_s}) {
            const QStringList args = {u"export"_s,        u"--format"_s, format,
                                      path(u"Odd.tst"_s), u"-o"_s,       path(u"odd.out"_s)};
            const Run refused = runTool(args);
            QCOMPARE(refused.status, 1);
            QVERIFY2(
                refused.err.startsWith(path(u"Odd.tst"_s) + u": question 2: its kind \"ESSAY\""_s),
                qPrintable(refused.err));
            QVERIFY(!QFile::exists(path(u"odd.out"_s)));
            QCOMPARE(runTool(args + QStringList{u"--skip"_s}).status, 0);
            QVERIFY(QString::fromUtf8(fileBytes(path(u"odd.out"_s))).contains(u"Pick"_s));
            QVERIFY(QFile::remove(path(u"odd.out"_s)));
        }
    }

    void importNeverReplacesATestNorLeavesHalfOfOne() {
        QDir(m_dir.path()).mkpath(u"import"_s);
        auto in = [&](const QString& name) { return path(u"import/"_s + name); };
        QString gift;
        for (int k = 1; k <= 3000; ++k)
            gift += u"Question %1? {\n=right\n~wrong\n####Because %1.\n}\n\n"_s.arg(k);
        writeBytes(in(u"bank.gift"_s), gift.toUtf8());
        auto import = [&](const QString& name) {
            return importAs(u"gift"_s, in(u"bank.gift"_s), in(name));
        };

        // A test whose name differs only in letter case is the same test.
        writeBytes(in(u"Math.tst"_s), "someone's work");
        const Run again = import(u"math.tst"_s);
        QCOMPARE(again.status, 1);
        QVERIFY(again.err.contains(u"A test of this name exists"_s));
        QCOMPARE(fileBytes(in(u"Math.tst"_s)), QByteArray("someone's work"));
        QVERIFY(!QFile::exists(in(u"math.tst"_s)));

        QElapsedTimer timer;
        timer.start();
        QCOMPARE(import(u"Whole.tst"_s).status, 0);
        const qint64 whole = timer.nsecsElapsed() / 1000;
        const QByteArray expected = fileBytes(in(u"Whole.tst"_s));
        QCOMPARE(expected.size(), 3001 * TestRecord::kSize);

        // Killed at moments spread over an import: the test is there whole or
        // not at all.
        int none = 0, complete = 0;
        for (int i = 0; i <= 12; ++i) {
            // up to well past its end
            testing::killedAfterDelay(unsigned(whole * i / 5), [&] { import(u"Killed.tst"_s); });
            if (QFile::exists(in(u"Killed.tst"_s))) {
                QCOMPARE(fileBytes(in(u"Killed.tst"_s)), expected);
                QVERIFY(QFile::remove(in(u"Killed.tst"_s)));
                ++complete;
            } else {
                ++none;
            }
            for (const QString& part : testing::namesIn(in({}), {u".quizdex-import-*"_s}))
                QVERIFY(QFile::remove(in(part)));
        }
        qInfo("killed imports: %d left no test, %d the whole test", none, complete);
    }

    void logAsCsvAndTheTestAsText() {
        const QString log = path(u"Sam.log"_s);
        writeBytes(log,
                   logEntry({.test = u"Math, unit 1"_s}) +
                       logEntry({u"He said \"hi\""_s, u"1/2/03"_s, u"9:00:00 AM"_s, u"33"_s, 3}) +
                       logEntry({u"=HYPERLINK(\"x\")"_s, u"1/2/03"_s, u"9:01:00 AM"_s, u"0"_s, 1}) +
                       QByteArray(57, 'x'));
        const Run csv = runTool({u"log"_s, u"--csv"_s, log});
        QCOMPARE(csv.status, 0);
        QCOMPARE(csv.out, u"test,date,time,questions,score\r\n"
                          "\"Math, unit 1\",12/5/98,10:35:12 PM,10,80\r\n"
                          "\"He said \"\"hi\"\"\",1/2/03,9:00:00 AM,3,33\r\n"
                          "\"'=HYPERLINK(\"\"x\"\")\",1/2/03,9:01:00 AM,1,0\r\n"_s);
        QVERIFY(csv.err.contains(u"57 stray bytes"_s));

        // What a reader needs of the header, and every choice by its number,
        // the empty one too; never the password.
        writeBytes(
            path(u"Show.tst"_s),
            testFile(
                {.owner = u"Ann Author"_s, .password = u"Secret-Word-42"_s, .right = u"0101"_s},
                {question(QuestionKind::Multiple, u"Two\r\nlines?"_s, {u"yes"_s, {}, u"no"_s}, 3,
                          u"Because."_s),
                 question(QuestionKind::Typed, u"Capital?"_s, {u"Paris"_s}, 1)}));
        const Run show = runTool({u"show"_s, path(u"Show.tst"_s)});
        QCOMPARE(show.status, 0);
        for (const QString& part :
             {u"Questions: 2\nOwner: Ann Author\n"_s,
              u"After a right answer: the explanation, the grade so far\n"_s,
              u"After a wrong answer: \"Incorrect!\", the explanation, the right answer\n"_s,
              u"Passing score: not set (a run takes 75%)\n"_s,
              u"  Two\n     lines?\n  1) yes\n  2) (empty)\n  3) no   <- right\n"_s,
              u"Question 2 (typed answer)\n  Capital?\n  Answer: Paris\n"_s})
            QVERIFY2(show.out.contains(part), qPrintable(show.out));
        QVERIFY(!show.out.contains(u"Secret"_s));
    }

    void helpAndUsage() {
        // Each command's usage names every option it takes, as the tool's
        // help lists it; no line is wider than a terminal.
        const QString toolHelp = runTool({u"--help"_s}).out;
        for (const auto& command : tool::allCommands()) {
            const QString name = QLatin1String(command->name());
            const QString help = runTool({name, u"--help"_s}).out;
            const QString usage = help.section(u"\n\n"_s, 0, 0).simplified();
            QVERIFY2(usage.startsWith(u"Usage: quizdex-tool "_s + name), qPrintable(usage));
            QVERIFY2(
                toolHelp.simplified().contains(usage.section(u' ', 2) + u' ' + command->summary()),
                qPrintable(name));
            for (const QString& line : (help + toolHelp).split(u'\n'))
                QVERIFY2(line.size() <= 79, qPrintable(line));
            for (const auto& options : {command->optionsWithValue(), command->flagOptions()}) {
                for (const char* option : options) {
                    const QString shown =
                        option == u"--output"_s ? u"-o"_s : QString::fromLatin1(option);
                    QVERIFY2(usage.contains(
                                 QRegularExpression(u"(?<![-\\w])"_s + shown + u"(?![-\\w])"_s)),
                             qPrintable(usage + u" lacks "_s + shown));
                }
            }
        }
        const QList<QStringList> wrong = {
            {},
            {u"frobnicate"_s},
            {u"log"_s, path(u"Sam.log"_s)},
            {u"export"_s, u"--format"_s, u"pdf"_s, u"a.tst"_s},
            {u"export"_s, u"--format"_s},
            {u"export"_s, u"--format"_s, u"csv"_s, u"a.tst"_s, u"-o"_s, u"b.TST"_s},
            {u"import"_s, u"--format=gift"_s, u"a.gift"_s, u"--owner=o"_s, u"--password=p"_s},
            {u"import"_s, u"--format=gift"_s, u"a.gift"_s, u"-o"_s, u"a.tst"_s, u"--owner"_s,
             u" "_s, u"--password=p"_s},
            {u"repair"_s, u"--force"_s, u"a.log"_s},
            {u"show"_s, u"a.log"_s},
        };
        for (const QStringList& args : wrong) {
            const Run r = runTool(args);
            QVERIFY2(r.status == 2 && r.out.isEmpty() && !r.err.isEmpty(),
                     qPrintable(args.join(u' ')));
        }
        const Run missing = runTool({u"show"_s, path(u"None.tst"_s)});
        QCOMPARE(missing.status, 1);
        QVERIFY(missing.err.startsWith(path(u"None.tst"_s)));
    }
};

QTEST_GUILESS_MAIN(TestToolCommands)
#include "tst_toolcommands.moc"
