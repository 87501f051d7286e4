#include "Commands.h"

#include "Aiken.h"
#include "Cp1252.h"
#include "Csv.h"
#include "Exchange.h"
#include "FileCheck.h"
#include "Gift.h"
#include "HeaderRecord.h"
#include "RecordLimits.h"
#include "LogRecord.h"
#include "TestText.h"
#include "TextLines.h"
#include "ToolFiles.h"

#include <map>
#include <QFileInfo>
#include <QTextStream>
#include <set>

namespace tool {

using exchange::Extras;
using exchange::Item;
using exchange::ReadResult;

namespace {

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;
// Import never puts a test in place of another.
const QLatin1String kTestExists("A test of this name exists; import never replaces one");

// "1 question", "2 questions".
QString counted(qint64 n, const char* thing) {
    return QStringLiteral("%1 %2%3").arg(n).arg(QLatin1String(thing)).arg(n == 1 ? "" : "s");
}

const char kToolHelp[] = R"(Usage: quizdex-tool COMMAND [OPTIONS] FILE...

Works on Quizdex tests (.tst) and score logs (.log).

Commands:
  show TEST.tst         the test as readable text
  check FILE...         tests and score logs checked record by record
  export --format gift|aiken|csv TEST.tst [-o OUT]
                        the questions for Moodle or a spreadsheet
  import --format gift|aiken|csv IN -o NAME.tst --owner NAME [--password WORD]
                        a new test made of the questions in IN
  log --csv NAME.log [-o OUT]
                        every entry of a score log as a CSV row
  repair FILE           stray bytes at the end moved into FILE.stray

"quizdex-tool COMMAND --help" tells more about each.
Exit status: 0 done, 1 failed (check: something found), 2 wrong usage.
)";

const char kShowHelp[] = R"(Usage: quizdex-tool show TEST.tst

Shows the test as text: its owner (never the password), the feedback after a
right and a wrong answer, the passing score, the answer order, then each
question with its kind, its choices, the one that is right and the explanation.
)";

const char kCheckHelp[] = R"(Usage: quizdex-tool check FILE...

Checks tests (.tst) and score logs (.log) record by record and prints one line
per finding: a length that is not a whole number of records, more records than
the program can count, feedback flags that are not four characters of 0 and 1,
a passing score outside 50 to 100, unknown question kinds, questions without a
marked answer, scores that are not 0 to 100.
Exit status: 0 when every file is clean, 1 when something was found or a file
cannot be read, 2 on wrong usage.
)";

const char kExportHelp[] =
    R"(Usage: quizdex-tool export --format gift|aiken|csv TEST.tst [-o OUT] [--skip]

Writes the questions of TEST.tst in UTF-8 to OUT, or to standard output.
  gift   Moodle's GIFT: {T} and {F}, {=answer}, {=right ~wrong}, the
         explanation as general feedback (####).
  aiken  multiple-choice questions only ("A) ...", "ANSWER: A"); what Aiken has
         no place for (explanations, empty choices, line breaks) is reported.
  csv    one question a row under a header row: kind, question, choice 1 to
         choice 5, right choice, explanation, quizdex. A text a spreadsheet
         would run as a formula ("=...") goes behind an apostrophe, which
         import takes off again.
GIFT and CSV keep every byte of every question: what their text cannot hold
(the answer-order flag and the reserved fields the editor leaves in a question
record, blanks GIFT trims) goes into a "// quizdex:" comment line or the
"quizdex" column, which import reads back and Moodle passes over.
A question the format cannot hold stops the export, and nothing is written;
--skip leaves such questions out and lists them.
)";

// Where import finds the password when --password is not given.
constexpr char kPasswordVariable[] = "QUIZDEX_PASSWORD";

const char kImportHelp[] =
    R"(Usage: quizdex-tool import --format gift|aiken|csv IN -o NAME.tst --owner NAME [--password WORD] [--skip]

Makes the new test NAME.tst of the questions in IN (UTF-8; "-" reads standard
input), with the header a new test gets in the program: the owner and password
given, feedback "Correct!" after a right answer and "Incorrect!", the
explanation and the right answer after a wrong one, answers shuffled. The
passing score is set in the program's properties window.
Without --password the password is taken from the environment variable
QUIZDEX_PASSWORD, which other users cannot read as they can a command line.
An existing test is never replaced. The test appears whole or not at all.
A question that a test cannot hold is reported with its line: a character
Windows-1252 has no place for, a text longer than its field (500 for the
question and the explanation, 200 for a choice), more than five choices, more
than one right answer, a kind the test has no place for (numerical, matching,
essay). Then nothing is written, unless --skip leaves such questions out (they
are listed).
)";

const char kLogHelp[] = R"(Usage: quizdex-tool log --csv NAME.log [-o OUT]

Writes every entry of the score log as a CSV row (test, date, time, questions,
score) to OUT, or to standard output, for a spreadsheet. A text that a
spreadsheet would take for a formula (=, +, -, @ first) gets a ' in front.
)";

const char kRepairHelp[] = R"(Usage: quizdex-tool repair FILE

Keeps every whole record of the test (.tst) or score log (.log) and moves the
stray bytes after the last one into FILE.stray beside it. A write that a kill
interrupted is put back first, as the program does. FILE.stray is made anew;
when it exists already, nothing is done.
)";

enum class Format { Gift, Aiken, Csv };

struct Args {
    QStringList files;
    std::map<QString, QString> values;
    std::set<QString> flags;
    QString error;
    bool help = false;

    QString value(const char* name) const {
        const auto it = values.find(QLatin1String(name));
        return it == values.end() ? QString() : it->second;
    }
    bool has(const char* name) const { return values.count(QLatin1String(name)) > 0; }
    bool flag(const char* name) const { return flags.count(QLatin1String(name)) > 0; }
};

Args parseArgs(const QStringList& args, const QStringList& valued, const QStringList& flags) {
    Args a;
    bool filesOnly = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (filesOnly || arg == QLatin1String("-") || !arg.startsWith(QLatin1Char('-'))) {
            a.files << arg;
            continue;
        }
        if (arg == QLatin1String("--")) {
            filesOnly = true;
            continue;
        }
        QString name = arg;
        std::optional<QString> inlineValue;
        if (const qsizetype eq = arg.indexOf(QLatin1Char('=')); eq > 0 && arg.startsWith("--")) {
            name = arg.left(eq);
            inlineValue = arg.mid(eq + 1);
        }
        if (name == QLatin1String("-o"))
            name = QStringLiteral("--output");
        if (name == QLatin1String("-h") || name == QLatin1String("--help")) {
            a.help = true;
        } else if (valued.contains(name)) {
            if (!inlineValue && i + 1 >= args.size()) {
                a.error = QStringLiteral("%1 needs a value").arg(arg);
                return a;
            }
            a.values[name] = inlineValue ? *inlineValue : args[++i];
        } else if (flags.contains(name) && !inlineValue) {
            a.flags.insert(name);
        } else {
            a.error = QStringLiteral("unknown option %1").arg(arg);
            return a;
        }
    }
    return a;
}

std::optional<Format> formatNamed(const QString& name) {
    if (name == QLatin1String("gift"))
        return Format::Gift;
    if (name == QLatin1String("aiken"))
        return Format::Aiken;
    if (name == QLatin1String("csv"))
        return Format::Csv;
    return std::nullopt;
}

QString formatTitle(Format f) {
    return f == Format::Gift    ? QStringLiteral("GIFT")
           : f == Format::Aiken ? QStringLiteral("Aiken")
                                : QStringLiteral("CSV");
}

exchange::TextRoundTrip roundTripOf(Format f) {
    if (f == Format::Gift)
        return gift::roundTrip;
    if (f == Format::Csv)
        return csv::roundTrip;
    return [](const QString& s) { return s; };
}

ReadResult readFormat(Format f, const QString& text) {
    return f == Format::Gift    ? gift::read(text)
           : f == Format::Aiken ? aiken::read(text)
                                : csv::readQuestions(text);
}

class Runner {
public:
    Runner(QTextStream& out, QTextStream& err) : m_out(out), m_err(err) {}

    int run(const QStringList& args) {
        if (args.isEmpty() || args.front() == QLatin1String("--help") ||
            args.front() == QLatin1String("-h")) {
            (args.isEmpty() ? m_err : m_out) << kToolHelp;
            return args.isEmpty() ? kUsage : kDone;
        }
        const QString command = args.front();
        const QStringList rest = args.mid(1);
        struct Command {
            const char* name;
            const char* help;
            QStringList valued;
            QStringList flags;
            int (Runner::*handler)(const Args&);
        };
        const Command commands[] = {
            {"show", kShowHelp, {}, {}, &Runner::show},
            {"check", kCheckHelp, {}, {}, &Runner::check},
            {"export",
             kExportHelp,
             {QStringLiteral("--format"), QStringLiteral("--output")},
             {QStringLiteral("--skip")},
             &Runner::exportTest},
            {"import",
             kImportHelp,
             {QStringLiteral("--format"), QStringLiteral("--output"), QStringLiteral("--owner"),
              QStringLiteral("--password")},
             {QStringLiteral("--skip")},
             &Runner::importTest},
            {"log",
             kLogHelp,
             {QStringLiteral("--output")},
             {QStringLiteral("--csv")},
             &Runner::log},
            {"repair", kRepairHelp, {}, {}, &Runner::repair},
        };
        for (const Command& c : commands) {
            if (command != QLatin1String(c.name))
                continue;
            m_command = command;
            const Args a = parseArgs(rest, c.valued, c.flags);
            if (a.help) {
                m_out << c.help;
                return kDone;
            }
            if (!a.error.isEmpty())
                return usage(a.error);
            return (this->*c.handler)(a);
        }
        m_err << "quizdex-tool: unknown command \"" << command << "\"\n\n" << kToolHelp;
        return kUsage;
    }

private:
    int usage(const QString& message) {
        m_err << "quizdex-tool " << m_command << ": " << message << "\nTry \"quizdex-tool "
              << m_command << " --help\".\n";
        return kUsage;
    }
    int failed(const QString& message) {
        m_err << message << '\n';
        return kFailed;
    }
    int failed(const IoStatus& st) { return failed(st.path + QStringLiteral(": ") + st.reason); }

    // The questions of a test file: its record count as the program takes it.
    std::optional<int> testRecords(const QString& path) {
        if (!QFileInfo(path).isFile()) {
            failed(IoStatus::failure(path, QStringLiteral("No such test")));
            return std::nullopt;
        }
        const IoResult<std::int16_t> count = RecordFile(path, TestRecord::kSize).count();
        if (!count) {
            failed(count.status());
            return std::nullopt;
        }
        if (*count == 0) {
            failed(IoStatus::failure(path, QStringLiteral("Empty; a test begins with its header")));
            return std::nullopt;
        }
        if (QFileInfo(path).size() % TestRecord::kSize != 0)
            m_err << path << ": the file ends in stray bytes (see quizdex-tool check)\n";
        return *count;
    }

    int show(const Args& a) {
        if (a.files.size() != 1)
            return usage(QStringLiteral("give one test"));
        const QString path = a.files.front();
        const auto count = testRecords(path);
        if (!count)
            return kFailed;
        QString text;
        const IoStatus st = toolfiles::readRecords(
            path, TestRecord::kSize, *count, [&](int n, const QByteArray& b) {
                TestRecord rec;
                rec.setBytes(b);
                text += n == 1 ? testtext::header(rec, path, *count - 1)
                               : testtext::question(rec, n - 1);
            });
        if (!st)
            return failed(st);
        m_out << text;
        return kDone;
    }

    int check(const Args& a) {
        if (a.files.isEmpty())
            return usage(QStringLiteral("give the tests and score logs to check"));
        for (const QString& path : a.files) {
            if (!filecheck::kindOf(path))
                return usage(
                    QStringLiteral("%1 is neither a test (.tst) nor a score log (.log)").arg(path));
        }
        int status = kDone;
        for (const QString& path : a.files) {
            const IoResult<filecheck::Report> checked =
                filecheck::check(path, *filecheck::kindOf(path));
            if (!checked) {
                status = failed(checked.status());
                continue;
            }
            const filecheck::Report& report = *checked;
            for (const QString& f : report.findings)
                m_out << path << ": " << f << '\n';
            if (report.findings.isEmpty())
                m_out << path << ": clean, " << counted(report.wholeRecords, "record") << '\n';
            else
                status = kFailed;
        }
        return status;
    }

    // Question k in `format`, every byte of its record carried (GIFT, CSV).
    QString exactly(Format format, const storage::Question& q, const TestRecord& rec, int k,
                    QStringList* problems) {
        const auto roundTrip = roundTripOf(format);
        auto write = [&](const Extras& extras) {
            return format == Format::Gift ? gift::write(q, extras) : csv::questionRow(q, extras);
        };
        auto readBack = [&](const QString& text) -> std::optional<Item> {
            const ReadResult r = format == Format::Gift
                                     ? gift::read(text)
                                     : csv::readQuestions(csv::questionHeader() + text);
            if (r.fatal || r.items.size() != 1)
                return std::nullopt;
            return r.items.front();
        };
        // The text alone first; then what it lacks, in the extras.
        QString text = write({});
        auto back = readBack(text);
        if (back) {
            const Extras extras = exchange::extrasFor(rec, back->entry, k, roundTrip);
            if (!extras.empty()) {
                text = write(extras);
                back = readBack(text);
            }
        }
        // Exactly as import will read it, refusals included.
        if (back && back->problems.empty() &&
            exchange::storageProblems(back->entry, roundTrip).empty() &&
            exchange::questionRecord(back->entry, k, roundTrip) == rec)
            return text;
        QStringList why;
        if (back) {
            for (const auto& p : back->problems)
                why << p.text;
            for (const auto& p : exchange::storageProblems(back->entry, roundTrip))
                why << p.text;
            if (why.isEmpty()) {
                for (const auto& [name, value] :
                     exchange::extrasFor(rec, back->entry, k, roundTrip))
                    why << name;
            }
        }
        problems->append(QStringLiteral("%1 cannot carry it byte for byte (%2)")
                             .arg(formatTitle(format), why.join(QStringLiteral("; "))));
        return {};
    }

    // The format and the one file of export and import; nullopt after telling
    // what is wrong with them.
    std::optional<std::pair<Format, QString>> formatAndFile(const Args& a, const char* give) {
        const auto format = formatNamed(a.value("--format"));
        if (!format)
            usage(QStringLiteral("--format takes gift, aiken or csv"));
        else if (a.files.size() != 1)
            usage(QLatin1String(give));
        else
            return std::pair{*format, a.files.front()};
        return std::nullopt;
    }

    int exportTest(const Args& a) {
        const auto chosen = formatAndFile(a, "give one test");
        if (!chosen)
            return kUsage;
        const auto out = outputOf(a);
        if (!out)
            return kUsage;
        const Format format = chosen->first;
        const QString path = chosen->second;
        const auto count = testRecords(path);
        if (!count)
            return kFailed;

        QString text = format == Format::Csv ? csv::questionHeader() : QString();
        QStringList refused, notes;
        int written = 0;
        int left = 0;
        const IoStatus st = toolfiles::readRecords(
            path, TestRecord::kSize, *count, [&](int n, const QByteArray& b) {
                if (n == 1)
                    return;
                const int k = n - 1;
                TestRecord rec;
                rec.setBytes(b);
                QStringList problems, qNotes;
                QString one;
                const auto q = exchange::questionOf(rec);
                if (!q)
                    problems << QStringLiteral("its kind \"%1\" is none of %2, %3 and %4")
                                    .arg(filecheck::visible(rec.text(TestRecord::QuestionType)),
                                         kTypeTrueFalse, kTypeTyped, kTypeMultiple);
                else if (format == Format::Aiken)
                    one = aiken::write(*q, &qNotes, &problems);
                else
                    one = exactly(format, *q, rec, k, &problems);
                if (format == Format::Gift && written > 0 && problems.isEmpty())
                    one.prepend(QLatin1Char('\n')); // a blank line between questions
                const QString where = QStringLiteral("%1: question %2: ").arg(path).arg(k);
                for (const QString& p : problems)
                    refused << where + p;
                for (const QString& p : qNotes)
                    notes << where + p;
                if (problems.isEmpty()) {
                    text += one;
                    ++written;
                } else {
                    ++left;
                }
            });
        if (!st)
            return failed(st);
        return finish(refused, left, notes, a.flag("--skip"), [&] { return deliver(*out, text); });
    }

    // Where export and log write: standard output, or a file that is not one
    // of the program's own.
    std::optional<QString> outputOf(const Args& a) {
        const QString out = a.value("--output");
        if (filecheck::kindOf(out)) {
            usage(QStringLiteral("-o %1 would write over a test or a score log").arg(out));
            return std::nullopt;
        }
        return out.isEmpty() ? QStringLiteral("-") : out;
    }

    IoStatus deliver(const QString& out, const QString& text) {
        if (out != QLatin1String("-"))
            return toolfiles::writeOutput(out, text.toUtf8());
        m_out << text;
        return IoStatus::success();
    }

    // Writes (through `write`) when nothing was refused, or when --skip says
    // to leave out what was; tells what was left out and what is not kept.
    int finish(const QStringList& refused, int refusedQuestions, const QStringList& notes,
               bool skip, const std::function<IoStatus()>& write) {
        for (const QString& r : refused)
            m_err << (skip ? r + QStringLiteral(" (left out)") : r) << '\n';
        if (refusedQuestions > 0 && !skip) {
            m_err << "Nothing written: " << refusedQuestions << " of the questions "
                  << (refusedQuestions == 1 ? "does" : "do")
                  << " not fit (--skip leaves them out).\n";
            return kFailed;
        }
        for (const QString& n : notes)
            m_err << n << '\n';
        const IoStatus st = write();
        return st ? kDone : failed(st);
    }

    int importTest(const Args& a) {
        const auto chosen = formatAndFile(a, "give one file to import");
        if (!chosen)
            return kUsage;
        const Format format = chosen->first;
        const QString in = chosen->second;
        const QString out = a.value("--output");
        const QString owner = a.value("--owner");
        // The environment keeps the password out of the process list, where
        // every user of the machine can read a command line.
        const QString password =
            a.has("--password") ? a.value("--password") : qEnvironmentVariable(kPasswordVariable);
        const QString name = QFileInfo(out).fileName();
        if (!name.endsWith(QLatin1String(".tst"), Qt::CaseInsensitive))
            return usage(QStringLiteral("-o names the new test: NAME.tst"));
        const QString testName = rightTrimmed(name.chopped(4));
        if (testName.isEmpty() || !storage::testNameProblem(testName).isEmpty())
            return usage(QStringLiteral("\"%1\" cannot name a test. %2")
                             .arg(name, storage::testNameProblem(testName)));
        if (!a.has("--password") && password.isEmpty())
            return usage(
                QStringLiteral("give --password, or set %1").arg(QLatin1String(kPasswordVariable)));
        for (const auto& [option, value] :
             {std::pair{"--owner", owner}, std::pair{"--password", password}}) {
            if (rightTrimmed(value).isEmpty())
                return usage(QStringLiteral("%1 must not be empty").arg(QLatin1String(option)));
            const QByteArray stored = cp1252::encode(value);
            if (cp1252::decode(stored) != value || stored.size() > TestRecord::Owner.width)
                return usage(QStringLiteral("%1 takes at most 200 characters of Windows-1252")
                                 .arg(QLatin1String(option)));
        }
        if (const QString taken = toolfiles::sameNameIgnoringCase(out); !taken.isEmpty())
            return failed(IoStatus::failure(taken, kTestExists));

        const IoResult<QByteArray> bytes = toolfiles::readInput(in);
        if (!bytes)
            return failed(bytes.status());
        int badLine = 0;
        const auto text = lines::fromUtf8(*bytes, &badLine);
        if (!text)
            return failed(QStringLiteral("%1:%2: not UTF-8").arg(in).arg(badLine));
        ReadResult read = readFormat(format, *text);
        if (read.fatal)
            return failed(
                QStringLiteral("%1:%2: %3").arg(in).arg(read.fatal->where).arg(read.fatal->text));

        QStringList refused, notes;
        std::vector<const exchange::Entry*> kept;
        int left = 0;
        for (Item& item : read.items) {
            for (const auto& p : exchange::storageProblems(item.entry, roundTripOf(format)))
                item.problems.push_back(p);
            for (const auto& p : item.problems)
                refused << QStringLiteral("%1:%2: %3").arg(in).arg(p.where).arg(p.text);
            if (item.problems.empty())
                kept.push_back(&item.entry);
            else
                ++left;
        }
        for (const auto& n : read.notes)
            notes << QStringLiteral("%1:%2: %3").arg(in).arg(n.where).arg(n.text);
        if (refused.isEmpty() || a.flag("--skip")) {
            if (kept.empty())
                return failed(QStringLiteral("%1: no questions to import").arg(in));
            if (kept.size() > static_cast<std::size_t>(kMaxQuestions))
                return failed(QStringLiteral("%1: %2 questions; a test holds at most %3")
                                  .arg(in)
                                  .arg(kept.size())
                                  .arg(kMaxQuestions));
        }
        return finish(refused, left, notes, a.flag("--skip"), [&] {
            toolfiles::NewFile file(out);
            TestRecord header;
            storage::fillNewHeader(header, owner, password);
            IoStatus st = file.append(header.bytes());
            const auto roundTrip = roundTripOf(format);
            for (std::size_t k = 1; st && k <= kept.size(); ++k)
                st = file.append(
                    exchange::questionRecord(*kept[k - 1], static_cast<int>(k), roundTrip).bytes());
            if (st)
                st = file.commit(kTestExists);
            if (st)
                m_out << out << ": " << counted(qint64(kept.size()), "question") << '\n';
            return st;
        });
    }

    int log(const Args& a) {
        if (!a.flag("--csv"))
            return usage(QStringLiteral("log writes CSV only: give --csv"));
        if (a.files.size() != 1)
            return usage(QStringLiteral("give one score log"));
        const auto out = outputOf(a);
        if (!out)
            return kUsage;
        const QString path = a.files.front();
        if (!QFileInfo(path).isFile())
            return failed(IoStatus::failure(path, QStringLiteral("No such score log")));
        const IoResult<std::int64_t> measured = RecordFile(path, LogRecord::kSize).length();
        if (!measured)
            return failed(measured.status());
        const std::int64_t length = *measured;
        // Whole entries only: a cut-off one holds nothing a spreadsheet can use.
        if (const std::int64_t stray = length % LogRecord::kSize; stray > 0)
            m_err << path << ": " << stray << " stray bytes after the last entry are left out "
                  << "(see quizdex-tool repair)\n";
        QString text = csv::logHeader();
        IoStatus st = toolfiles::readRecords(path, LogRecord::kSize,
                                             static_cast<int>(length / LogRecord::kSize),
                                             [&](int, const QByteArray& b) {
                                                 LogRecord rec;
                                                 rec.setBytes(b);
                                                 text += csv::logRow(rec);
                                             });
        if (!st)
            return failed(st);
        st = deliver(*out, text);
        return st ? kDone : failed(st);
    }

    int repair(const Args& a) {
        if (a.files.size() != 1)
            return usage(QStringLiteral("give one test or score log"));
        const QString path = a.files.front();
        const auto kind = filecheck::kindOf(path);
        if (!kind)
            return usage(
                QStringLiteral("%1 is neither a test (.tst) nor a score log (.log)").arg(path));
        const IoResult<toolfiles::Repair> repaired =
            toolfiles::repair(path, filecheck::recordLength(*kind));
        if (!repaired)
            return failed(repaired.status());
        const toolfiles::Repair& r = *repaired;
        if (r.strayBytes == 0)
            m_out << path << ": nothing to repair; " << counted(r.wholeRecords, "whole record")
                  << '\n';
        else
            m_out << path << ": kept " << counted(r.wholeRecords, "whole record") << "; moved "
                  << r.strayBytes << " stray bytes to " << r.strayPath << '\n';
        return kDone;
    }

    QTextStream& m_out;
    QTextStream& m_err;
    QString m_command;
};

} // namespace

int run(const QStringList& args, QTextStream& out, QTextStream& err) {
    return Runner(out, err).run(args);
}

} // namespace tool
