// GIFT, Aiken and CSV as their documentation writes them, read question by
// question, and what the writers make of texts the formats treat specially.
#include "Aiken.h"
#include "Csv.h"
#include "ExchangeFormat.h"
#include "Gift.h"
#include "HeaderRecord.h"
#include "MoodleRules.h"
#include "MoodleXml.h"
#include "ToolRun.h"

using namespace Qt::StringLiterals;
using storage::QuestionKind;
using toolrun::question;

namespace {

QString problemsOf(const tool::exchange::Item& item) {
    QStringList out;
    for (const auto& p : item.problems)
        out << u"%1: %2"_s.arg(p.where).arg(p.text);
    return out.join(u"; "_s);
}

void verifyQuestion(const tool::exchange::Item& item, QuestionKind kind, const QString& text,
                    const QStringList& choices, int correct) {
    QVERIFY2(item.problems.empty(), qPrintable(problemsOf(item)));
    const storage::Question& q = item.entry.question;
    QCOMPARE(int(q.kind), int(kind));
    QCOMPARE(q.text, text);
    QCOMPARE(QStringList(q.choices.begin(), q.choices.end()),
             choices + QStringList(5 - choices.size(), QString()));
    QCOMPARE(q.correct, correct);
}

// The refusals and notes of a file read for import, each as the command tells it.
QStringList toldOf(const QString& text, tool::exchange::Format format, const QString& in,
                   QStringList* notes) {
    tool::exchange::ReadResult read = tool::exchange::readFormat(format, text);
    const auto s = tool::exchange::selectForImport(read, format, in);
    *notes = s.notes;
    return s.refused;
}

// A text as Moodle shows an answer: trimmed, its lines ended by LF.
QString asMoodleShows(const QString& t) {
    return QString(t).replace(u"\r\n"_s, u"\n"_s).trimmed();
}

void verifyRefused(const tool::exchange::Item& item, int line, const QString& why) {
    QCOMPARE(item.problems.size(), std::size_t(1));
    QCOMPARE(item.problems.front().where, line);
    QVERIFY2(item.problems.front().text.contains(why), qPrintable(problemsOf(item)));
}

} // namespace

class TestFormats : public QObject {
    Q_OBJECT

private slots:
    void giftDocumentationExamples() {
        // Moodle's quick examples, and those of its import help, as they stand.
        const tool::exchange::ReadResult quick = tool::gift::read(uR"(// true/false
::Q1:: 1+1=2 {T}

// multiple choice with specified feedback for right and wrong answers
::Q2:: What's between orange and green in the spectrum? 
{ =yellow # right; good! ~red # wrong, it's yellow ~blue # wrong, it's yellow }

// fill-in-the-blank
::Q3:: Two plus {=two =2} equals four.

// matching
::Q4:: Which animal eats which food? { =cat -> cat food =dog -> dog food }

// math range question
::Q5:: What is a number from 1 to 5? {#3:2}

// math range specified with interval end points
::Q6:: What is a number from 1 to 5? {#1..5}
// translated on import to the same as Q5, but unavailable from Moodle question interface

// multiple numeric answers with partial credit and feedback
::Q7:: When was Ulysses S. Grant born? {#
         =1822:0      # Correct! Full credit.
         =%50%1822:2  # He was born in 1822. Half credit for being close.
}

// essay
::Q8:: How are you? {}
)"_s);
        QCOMPARE(quick.items.size(), std::size_t(8));
        verifyQuestion(quick.items[0], QuestionKind::TrueFalse, u"1+1=2"_s, {u"TRUE"_s, u"FALSE"_s},
                       1);
        verifyQuestion(quick.items[1], QuestionKind::Multiple,
                       u"What's between orange and green in the spectrum?"_s,
                       {u"yellow"_s, u"red"_s, u"blue"_s}, 1);
        QCOMPARE(quick.items[1].notes.size(), std::size_t(1)); // the answers' feedback is not kept
        QCOMPARE(quick.items[1].notes.front().where, 6);
        QCOMPARE(quick.items[2].entry.question.text, u"Two plus _____ equals four."_s);
        for (const auto& [item, line, why] : {std::tuple{2, 9, "several accepted answers"},
                                              {3, 12, "matching"},
                                              {4, 15, "numerical"},
                                              {5, 18, "numerical"},
                                              {6, 22, "numerical"},
                                              {7, 28, "essay"}})
            verifyRefused(quick.items[std::size_t(item)], line, QString::fromUtf8(why));

        const tool::exchange::ReadResult help =
            tool::gift::read(uR"(Who's buried in Grant's tomb?{~Grant ~Jefferson =no one}

Grant is {~buried =entombed ~living} in Grant's tomb.

The American holiday of Thanksgiving is celebrated on the {
    ~second
    ~third
    =fourth
} Thursday of November.

Japanese characters originally came from what country? {
    ~India
    =China
    ~Korea
    ~Egypt}

Who's buried in Grant's tomb?{=no one =nobody}

Grant is buried in Grant's tomb.{FALSE}
)"_s);
        QCOMPARE(help.items.size(), std::size_t(6));
        verifyQuestion(help.items[0], QuestionKind::Multiple, u"Who's buried in Grant's tomb?"_s,
                       {u"Grant"_s, u"Jefferson"_s, u"no one"_s}, 3);
        verifyQuestion(help.items[1], QuestionKind::Multiple, u"Grant is _____ in Grant's tomb."_s,
                       {u"buried"_s, u"entombed"_s, u"living"_s}, 2);
        verifyQuestion(help.items[2], QuestionKind::Multiple,
                       u"The American holiday of Thanksgiving is celebrated on the _____ Thursday "
                       "of November."_s,
                       {u"second"_s, u"third"_s, u"fourth"_s}, 3);
        verifyQuestion(help.items[3], QuestionKind::Multiple,
                       u"Japanese characters originally came from what country?"_s,
                       {u"India"_s, u"China"_s, u"Korea"_s, u"Egypt"_s}, 2);
        verifyRefused(help.items[4], 17, u"several accepted answers"_s);
        verifyQuestion(help.items[5], QuestionKind::TrueFalse,
                       u"Grant is buried in Grant's tomb."_s, {u"TRUE"_s, u"FALSE"_s}, 2);
        QCOMPARE(help.items[3].entry.textLines[4], 15); // each choice knows its line
    }

    void giftEscapesLineBreaksAndMarkup() {
        // Every sign GIFT reads, a literal "\n", line breaks anywhere: each text
        // comes back as written, in every place a question has a text.
        const QStringList texts = {
            u"a ~ b = c # d { e } f : g \\ h, 50% of ::it::"_s,
            u"first line\r\nsecond line\r\n\r\nafter a blank line"_s,
            u"\r\nbegins and ends with a line break\r\n"_s,
            u"a backslash and n: \\n, and one at the end \\"_s,
            u"// not a comment"_s,
            u"[html]<b>not markup</b>"_s,
            u"#### not general feedback"_s,
            u"::not a title:: but text"_s,
        };
        for (const QString& t : texts) {
            for (const QuestionKind kind :
                 {QuestionKind::TrueFalse, QuestionKind::Typed, QuestionKind::Multiple}) {
                const storage::Question q = question(
                    kind, t,
                    kind == QuestionKind::TrueFalse ? std::array<QString, 5>{u"TRUE"_s, u"FALSE"_s}
                    : kind == QuestionKind::Typed   ? std::array<QString, 5>{t}
                                                    : std::array<QString, 5>{t, u"="_s, t},
                    kind == QuestionKind::Multiple ? 2 : 1, t);
                const QString written = tool::gift::write(q, {});
                const tool::exchange::ReadResult r = tool::gift::read(written);
                QCOMPARE(r.items.size(), std::size_t(1));
                // Moodle reads the same answers, the same one right.
                const auto moodle = moodlerules::readGift(written);
                QVERIFY2(moodle.size() == 1 && moodle[0].refused.isEmpty(), qPrintable(written));
                if (kind != QuestionKind::TrueFalse)
                    QCOMPARE(moodle[0].answers[moodle[0].right],
                             asMoodleShows(q.choices[std::size_t(q.correct - 1)]));
                QVERIFY2(r.items[0].problems.empty(), qPrintable(problemsOf(r.items[0])));
                const storage::Question& back = r.items[0].entry.question;
                QVERIFY(back.text == t && back.explanation == t && back.choices == q.choices &&
                        back.correct == q.correct);
                QCOMPARE(tool::gift::roundTrip(t), t);
            }
        }

        // Written by hand: texts over several lines, "\n", Moodle's own HTML.
        const tool::exchange::ReadResult r = tool::gift::read(uR"(::Several lines::
First line of the question,
  second line \{indented\}. {
=yes # fine
~no
####An explanation\nover two lines.
}

::Q1::[html]<p>Is 1 &lt; 2?</p>
<p>Yes &amp; no.</p>{TRUE}

// question: 12  name: Capital
::Capital::Capital? {=[plain]Paris ~[html]<b>Lyon</b> ~%-50%Nice}
)"_s);
        QCOMPARE(r.items.size(), std::size_t(3));
        verifyQuestion(r.items[0], QuestionKind::Multiple,
                       u"First line of the question,\r\n  second line {indented}."_s,
                       {u"yes"_s, u"no"_s}, 1);
        QCOMPARE(r.items[0].entry.question.explanation, u"An explanation\r\nover two lines."_s);
        verifyQuestion(r.items[1], QuestionKind::TrueFalse, u"Is 1 < 2?\r\nYes & no."_s,
                       {u"TRUE"_s, u"FALSE"_s}, 1);
        verifyQuestion(r.items[2], QuestionKind::Multiple, u"Capital?"_s,
                       {u"Paris"_s, u"Lyon"_s, u"Nice"_s}, 1);
        verifyRefused(tool::gift::read(u"Unclosed {=a\n"_s).items.at(0), 1, u"no closing"_s);
        verifyRefused(tool::gift::read(u"Half {~a =b ~%50%c}\n"_s).items.at(0), 1,
                      u"partial credit"_s);
    }

    void aikenDocumentationExampleAndWhatAikenCannotHold() {
        const tool::exchange::ReadResult r =
            tool::aiken::read(uR"(What is the correct answer to this question?
A. Is it this one?
B. Maybe this answer?
C. Possibly this one?
D. Must be this one!
ANSWER: D

Which LMS has the most quiz import formats?
A) Moodle
B) ATutor
C) Claroline
D) Blackboard
E) WebCT
F) Ilias
ANSWER: A
)"_s);
        QCOMPARE(r.items.size(), std::size_t(2));
        verifyQuestion(r.items[0], QuestionKind::Multiple,
                       u"What is the correct answer to this question?"_s,
                       {u"Is it this one?"_s, u"Maybe this answer?"_s, u"Possibly this one?"_s,
                        u"Must be this one!"_s},
                       4);
        verifyRefused(r.items[1], 14, u"more than five choices"_s);
        verifyRefused(tool::aiken::read(u"Q?\nA) x\nB) y\nANSWER: A, B\n"_s).items.at(0), 4,
                      u"more than one right answer"_s);
        verifyRefused(tool::aiken::read(u"Q?\nA) x\nB) y\n"_s).items.at(0), 1, u"no ANSWER"_s);

        // An empty choice in the middle, line breaks and the explanation are
        // left out and told; a question without a place in Aiken is refused.
        storage::Question q = question(QuestionKind::Multiple, u"Which is\r\nprime?"_s,
                                       {u"4"_s, {}, u"7"_s, u"9"_s}, 3, u"Seven has no divisor."_s);
        QStringList notes, problems;
        const QString text = tool::aiken::write(q, &notes, &problems);
        QCOMPARE(text, u"Which is prime?\nA) 4\nB) 7\nC) 9\nANSWER: B\n\n"_s);
        QCOMPARE(problems, QStringList());
        QCOMPARE(notes.size(), 3);
        const tool::exchange::ReadResult back = tool::aiken::read(text);
        verifyQuestion(back.items.at(0), QuestionKind::Multiple, u"Which is prime?"_s,
                       {u"4"_s, u"7"_s, u"9"_s}, 2);
        q.kind = QuestionKind::TrueFalse;
        QVERIFY(tool::aiken::write(q, &notes, &problems).isEmpty());
        QCOMPARE(problems.size(), 1);
    }

    void aikenReadAsMoodleReadsIt() {
        // "A)Correct" with no blank is a choice; a lower-case "a)" is not, so
        // it goes on with the question, and the ANSWER names B of two choices.
        tool::exchange::ReadResult r = tool::aiken::read(u"Pick one\na) not a choice\nA)Correct\n"
                                                         "B.  two blanks\nANSWER: A\n"_s);
        QCOMPARE(r.items.size(), std::size_t(1));
        verifyQuestion(r.items[0], QuestionKind::Multiple, u"Pick one\r\na) not a choice"_s,
                       {u"Correct"_s, u" two blanks"_s}, 1);
        QCOMPARE(r.items[0].notes.size(), std::size_t(1)); // the teacher is told why
        QCOMPARE(r.items[0].notes[0].where, 2);

        // What is wrong, in the words of the teacher who wrote the file.
        const std::tuple<const char16_t*, int, const char*> told[] = {
            {u"Q?\nA) x\nB) y\nC) z\nANSWER: F\n", 5,
             "\"ANSWER: F\" names no choice; the choices are A, B and C"},
            {u"Q?\nA) x\nB) y\nANSWER:\n", 4,
             "the ANSWER: line names no choice; the choices are A and B"},
            {u"Q?\na) x\nb) y\nANSWER: A\n", 2,
             "no choices before the ANSWER: line; \"a)\" begins a line of the question, not a "
             "choice: a choice begins with a capital letter, as \"A) text\""},
        };
        for (const auto& [text, line, why] : told) {
            const auto item = tool::aiken::read(QString::fromUtf16(text)).items.at(0);
            QCOMPARE(item.problems.size(), std::size_t(1));
            QCOMPARE(item.problems[0].where, line);
            QCOMPARE(item.problems[0].text, QString::fromUtf8(why));
        }

        // One choice is refused at the question's own line.
        r = tool::aiken::read(u"\nLonely?\nA) only\nANSWER: A\n"_s);
        verifyRefused(r.items.at(0), 2, u"only one choice"_s);

        // A missing ANSWER: line ends the question where the next one's text
        // begins; that next question is read as if nothing were wrong.
        r = tool::aiken::read(u"First?\nA) a\nB) b\nSecond?\nA) c\nB) d\nANSWER: B\n"_s);
        QCOMPARE(r.items.size(), std::size_t(2));
        verifyRefused(r.items[0], 1, u"no ANSWER: line"_s);
        verifyQuestion(r.items[1], QuestionKind::Multiple, u"Second?"_s, {u"c"_s, u"d"_s}, 2);
        QCOMPARE(r.items[1].entry.line, 4);

        // Export refuses what import would: one choice only.
        QStringList notes, problems;
        QVERIFY(tool::aiken::write(
                    question(QuestionKind::Multiple, u"Lonely?"_s, {QString(), u"only"_s}, 2),
                    &notes, &problems)
                    .isEmpty());
        QVERIFY2(problems.join(u"; "_s).contains(u"fewer than two choices"_s),
                 qPrintable(problems.join(u"; "_s)));
    }

    void csvAsSpreadsheetsWriteIt() {
        // Quotes doubled, line breaks inside quotes (CR LF or a spreadsheet's
        // LF), a comma after the last cell, columns in another order.
        const QString text = u"question,Kind,right choice,choice 1,choice 2,choice 3,notes\n"
                             "\"Say \"\"hi\"\",\nthen go\",multiple,2,a,\"b, c\",,x\r\n"
                             "\n"
                             "Typed?,TYPED,,Paris,,\n"
                             "\"Two\r\nlines\",true/false,FALSE,,,,\n"_s;
        const tool::exchange::ReadResult r = tool::csv::readQuestions(text);
        QVERIFY(!r.fatal);
        QCOMPARE(r.items.size(), std::size_t(3));
        verifyQuestion(r.items[0], QuestionKind::Multiple, u"Say \"hi\",\r\nthen go"_s,
                       {u"a"_s, u"b, c"_s}, 2);
        verifyQuestion(r.items[1], QuestionKind::Typed, u"Typed?"_s, {u"Paris"_s}, 1);
        QCOMPARE(r.items[1].entry.line, 5);
        verifyQuestion(r.items[2], QuestionKind::TrueFalse, u"Two\r\nlines"_s,
                       {u"TRUE"_s, u"FALSE"_s}, 2);
        QCOMPARE(r.notes.size(), std::size_t(1)); // the "notes" column is not read

        const tool::exchange::ReadResult open =
            tool::csv::readQuestions(u"kind,question\nTYPED,\"open\n\n"_s);
        QVERIFY(open.fatal && open.fatal->where == 2);
        QVERIFY(tool::csv::readQuestions(u"a,b\nTYPED,x\n"_s).fatal); // no header row
    }

    void csvRowsATestCannotHoldAreRefusedWithLineAndRow() {
        // The format's own rules, then those check applies to the record: a
        // right choice naming an empty cell is refused, not stored.
        QStringList notes;
        const QStringList refused =
            toldOf(u"kind,question,choice 1,choice 2,choice 3,choice 6,right choice\n"
                   "ESSAY,How are you?,,,,,\n"
                   "MULTIPLE,Two right?,a,b,,,\"1, 2\"\n"
                   "MULTIPLE,Six?,a,b,,f,1\n"
                   "MULTIPLE,None right?,a,b,,,\n"
                   "MULTIPLE,\"Empty\nright?\",a,b,,,3\n"
                   "TRUE/FALSE,Three?,,,,,3\n"
                   "MULTIPLE,Fine?,a,b,,,2\n"_s,
                   tool::exchange::Format::Csv, u"in.csv"_s, &notes);
        const QStringList expected = {
            u"in.csv:2 (row 2): the kind \"ESSAY\" has no place in a test"_s,
            u"in.csv:3 (row 3): more than one right answer; a test marks one"_s,
            u"in.csv:4 (row 4): more than five choices; a test holds at most five"_s,
            u"in.csv:5 (row 5): no choice is marked as the answer"_s,
            u"in.csv:6 (row 6): the choice marked as the answer is empty"_s,
            u"in.csv:8 (row 7): the right choice of a true/false question is 1 (TRUE) or 2"_s};
        QCOMPARE(refused.size(), expected.size());
        for (qsizetype i = 0; i < expected.size(); ++i)
            QVERIFY2(refused[i].startsWith(expected[i]), qPrintable(refused.join(u'\n')));
    }

    void csvFromAnySpreadsheet() {
        // As spreadsheets save it in other countries and programs; what was
        // taken other than UTF-8 and commas is told.
        const QString rows = u"kind|question|choice 1|right choice\r\nTYPED|Café?|Oui|1\r\n"_s;
        auto with = [&](QChar separator) { return QString(rows).replace(u'|', separator); };
        const struct {
            QByteArray bytes;
            QStringList taken;
        } files[] = {
            {with(u',').toUtf8(), {}},
            {"\xEF\xBB\xBF" + with(u';').toUtf8(), {u"with \";\" between cells"_s}},
            {with(u';').toLatin1(),
             {u"as Windows-1252 (it is not UTF-8)"_s, u"with \";\" between cells"_s}},
            {QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char*>(with(u'\t').utf16()),
                                                 with(u'\t').size() * 2),
             {u"as UTF-16 (little-endian), by its byte order mark"_s,
              u"with tabs between cells"_s}},
        };
        for (const auto& [bytes, taken] : files) {
            QStringList told;
            int badLine = 0;
            const auto text =
                tool::exchange::textOf(tool::exchange::Format::Csv, bytes, &told, &badLine);
            QVERIFY(text);
            const tool::exchange::ReadResult r = tool::csv::readQuestions(*text);
            QCOMPARE(told + r.taken, taken);
            QCOMPARE(r.items.size(), std::size_t(1));
            verifyQuestion(r.items[0], QuestionKind::Typed, u"Café?"_s, {u"Oui"_s}, 1);
        }
        // A byte order mark that says UTF-8 is believed: what is not UTF-8 is refused.
        QStringList told;
        int badLine = 0;
        QVERIFY(!tool::exchange::textOf(tool::exchange::Format::Csv,
                                        "\xEF\xBB\xBF"
                                        "a\nb\xE9\n",
                                        &told, &badLine));
        QCOMPARE(badLine, 2);
    }

    void csvTextsASpreadsheetWouldRunStayText() {
        const storage::Question q =
            question(QuestionKind::Multiple, u"=HYPERLINK(\"http://x\")"_s,
                     {u"-3"_s, u"'quoted"_s, u"''"_s, u"@x"_s, u"it's"_s}, 1, u"+1"_s);
        const QString row = tool::csv::questionRow(q, {});
        QVERIFY2(row.startsWith(u"MULTIPLE,\"'=HYPERLINK(\"\"http://x\"\")\",'-3,''quoted,''',"
                                "'@x,it's,1,'+1,"_s),
                 qPrintable(row));
        const auto back = tool::csv::readQuestions(tool::csv::questionHeader() + row).items;
        QCOMPARE(back.size(), std::size_t(1));
        verifyQuestion(back[0], QuestionKind::Multiple, q.text,
                       {q.choices.begin(), q.choices.end()}, 1);
        QCOMPARE(back[0].entry.question.explanation, q.explanation);
        // An apostrophe before a plain text is the author's own.
        verifyQuestion(tool::csv::readQuestions(u"kind,question,choice 1\nTYPED,'Tis so?,'Yes\n"_s)
                           .items.at(0),
                       QuestionKind::Typed, u"'Tis so?"_s, {u"'Yes"_s}, 1);
    }

    void whatATestHasNoPlaceForIsToldOnce() {
        // GIFT as Moodle's question bank exports it: categories and titles are
        // told once; a question left out is not told again for its feedback.
        QStringList notes;
        const QStringList refused = toldOf(uR"(// question: 0  name: Switch category to Geo
$CATEGORY: $course$/top/Geo

// question: 11  name: Capital
::Capital::[html]<p>Capital of <b>France</b>?</p><img src\="@@PLUGINFILE@@/map.png" /> {
	=Paris#Right
	~Lyon#No
}

::Rivers::Which rivers? {
	=Seine#Yes
	=Rhine#Yes
	~Thames
}

::Two::A colour of the French flag? {
	=%100%blue#
	=%100%white#
}

::Sea::Is the sea salty? {TRUE#No, it is.#Yes.}

$CATEGORY: $course$/top/Geo/Rivers
)"_s,
                                           tool::exchange::Format::Gift, u"geo"_s, &notes);
        QCOMPARE(refused, QStringList({u"geo:12: more than one right answer; a test marks one"_s,
                                       u"geo:18: a typed answer with several accepted answers; "
                                       "a test takes one"_s}));
        QCOMPARE(notes, QStringList({
                            u"geo:5: an image is left out; a test has no place for it"_s,
                            u"geo:6: the feedback of each answer is left out; a test has no "
                            "place for it"_s,
                            u"geo:21: the feedback of each answer is left out; a test has no "
                            "place for it"_s,
                            u"geo:2: the categories (\"$course$/top/Geo\" and 1 more) are left "
                            "out; a test has no place for them"_s,
                            u"geo:5: the titles (\"Capital\" and 1 more) are left out; a test "
                            "has no place for them"_s,
                        }));
    }

    void moodleXmlAsMoodleExportsIt() {
        QStringList notes;
        const QStringList refused = toldOf(uR"(<?xml version="1.0" encoding="UTF-8"?>
<quiz>
<!-- question: 0  -->
  <question type="category">
    <category><text>$course$/top/Geo</text></category>
  </question>
  <question type="multichoice">
    <name><text>Capital</text></name>
    <questiontext format="html">
      <text><![CDATA[<p>Capital of <b>France</b>?</p><p><img src="@@PLUGINFILE@@/map.png"></p>]]></text>
      <file name="map.png" path="/" encoding="base64">iVBORw0KGgo=</file>
    </questiontext>
    <generalfeedback format="html"><text>&lt;p&gt;Paris &amp;amp; more.&lt;/p&gt;</text></generalfeedback>
    <single>true</single>
    <answer fraction="0" format="html"><text>Lyon</text><feedback format="html"><text>No</text></feedback></answer>
    <answer fraction="100" format="html"><text><![CDATA[<p>Paris</p>]]></text></answer>
  </question>
  <question type="truefalse">
    <name><text>Sea</text></name>
    <questiontext format="moodle_auto_format"><text>Is the sea
salty?</text></questiontext>
    <answer fraction="0"><text>true</text></answer>
    <answer fraction="100"><text>false</text></answer>
  </question>
  <question type="shortanswer">
    <name><text>Colour</text></name>
    <questiontext format="plain_text"><text>A colour of the flag?</text></questiontext>
    <answer fraction="100"><text>blue</text></answer>
    <answer fraction="100"><text>white</text></answer>
  </question>
  <question type="multichoice">
    <name><text>Half</text></name>
    <questiontext><text>Which two?</text></questiontext>
    <single>false</single>
    <answer fraction="50"><text>a</text></answer>
    <answer fraction="50"><text>b</text></answer>
  </question>
  <question type="essay">
    <name><text>Essay</text></name>
    <questiontext><text>Why?</text></questiontext>
  </question>
</quiz>
)"_s,
                                           tool::exchange::Format::MoodleXml, u"geo.xml"_s, &notes);
        QCOMPARE(refused,
                 QStringList({u"geo.xml:29: a typed answer with several accepted answers; a test "
                              "takes one"_s,
                              u"geo.xml:35: partial credit (50%) has no place in a test"_s,
                              u"geo.xml:38: a question of the type \"essay\" has no place in a "
                              "test"_s}));
        QCOMPARE(notes.size(), 4);
        QVERIFY2(notes[0].startsWith(u"geo.xml:7: an image"_s) &&
                     notes[1].startsWith(u"geo.xml:15: the feedback of each answer"_s) &&
                     notes[2].startsWith(u"geo.xml:4: the category \"$course$/top/Geo\""_s) &&
                     notes[3].startsWith(u"geo.xml:7: the titles (\"Capital\" and 1 more)"_s),
                 qPrintable(notes.join(u'\n')));
        tool::exchange::ReadResult read =
            tool::moodlexml::read(uR"(<quiz><question type="multichoice">
<name><text>Capital</text></name>
<questiontext format="html"><text><![CDATA[<p>Capital of <b>France</b>?</p>]]></text></questiontext>
<generalfeedback format="html"><text>&lt;p&gt;Paris &amp;amp; more.&lt;/p&gt;</text></generalfeedback>
<answer fraction="0"><text>Lyon</text></answer>
<answer fraction="100"><text><![CDATA[<p>Paris</p>]]></text></answer>
</question></quiz>)"_s);
        verifyQuestion(read.items.at(0), QuestionKind::Multiple, u"Capital of France?"_s,
                       {u"Lyon"_s, u"Paris"_s}, 2);
        QCOMPARE(read.items[0].entry.question.explanation, u"Paris & more."_s);
    }

    void moodleXmlThatIsNotWellFormedIsRefusedWithLineAndColumn() {
        const struct {
            const char16_t* xml;
            int line, column;
            const char* why;
        } files[] = {
            {u"<quiz>\n<question type=\"truefalse\">\n</quiz>\n", 3, 7, "tag mismatch"},
            {u"<quiz>\n  <question>", 2, 12, "Premature end of document"},
            {u"<quiz>\n<question>&nbsp;</question>\n</quiz>", 2, 16, "Entity 'nbsp' not declared"},
            {u"<?xml version=\"1.0\"?>\n<questions/>\n", 2, 0, "where Moodle XML has <quiz>"},
        };
        for (const auto& f : files) {
            const tool::exchange::ReadResult r = tool::moodlexml::read(QString::fromUtf16(f.xml));
            QVERIFY2(r.fatal && r.fatal->text.contains(QLatin1String(f.why)) &&
                         r.fatal->where == f.line && r.fatal->column == f.column,
                     qPrintable(r.fatal ? tool::exchange::located(u"x"_s, *r.fatal) : u"read"_s));
        }
    }

    void importRefusesWhatATestCannotHoldWithItsLine() {
        // A choice longer than its field and a character Windows-1252 lacks
        // are refused at the line they are on; the rest is kept.
        const QString tooLong(storage::TestRecord::Choice1.width + 1, u'x');
        tool::exchange::ReadResult read =
            tool::aiken::read(u"Fine?\nA) yes\nB) no\nANSWER: A\n\n"
                              "Long?\nA) "_s +
                              tooLong +
                              u"\nB) no\nANSWER: B\n\n"
                              "Snow \u2603?\nA) a\nB) b\nANSWER: A\n"_s);
        const tool::exchange::ImportSelection s =
            tool::exchange::selectForImport(read, tool::exchange::Format::Aiken, u"in.txt"_s);
        QCOMPARE(s.kept.size(), std::size_t(1));
        QCOMPARE(s.kept[0]->question.text, u"Fine?"_s);
        QCOMPARE(s.left, 2);
        QCOMPARE(s.refused.size(), 2);
        QVERIFY2(s.refused[0].startsWith(u"in.txt:7: "_s) &&
                     s.refused[1].startsWith(u"in.txt:11: "_s),
                 qPrintable(s.refused.join(u'\n')));
        QCOMPARE(s.countProblem(u"in.txt"_s), QString());

        read = tool::aiken::read(QString());
        QCOMPARE(tool::exchange::selectForImport(read, tool::exchange::Format::Aiken, u"e.txt"_s)
                     .countProblem(u"e.txt"_s),
                 u"e.txt: no questions to import"_s);
    }
};

QTEST_GUILESS_MAIN(TestFormats)
#include "tst_formats.moc"
