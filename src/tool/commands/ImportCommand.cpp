#include "Command.h"
#include "CommandSteps.h"
#include "Console.h"
#include "Cp1252.h"
#include "ExchangeFormat.h"
#include "HeaderRecord.h"
#include "TextLines.h"
#include "ToolFiles.h"

#include <QFileInfo>

namespace tool {

using exchange::Format;

namespace {

// Import never puts a test in place of another.
const QLatin1String kTestExists("A test of this name exists; import never replaces one");
// Where import finds the password when --password is not given.
constexpr char kPasswordVariable[] = "QUIZDEX_PASSWORD";

class Import : public Command {
public:
    const char* name() const override { return "import"; }
    QString synopsis() const override {
        return QStringLiteral("--format %1 IN -o NAME.tst --owner NAME [--password WORD] [--skip]")
            .arg(exchange::formatList());
    }
    QString summary() const override {
        return QStringLiteral("a new test made of the questions in IN");
    }
    QString details() const override {
        return QStringLiteral(
                   R"(Makes the new test NAME.tst of the questions in IN (UTF-8; "-" reads standard
input; a CSV file also in Windows-1252 or UTF-16, with its cells separated by
",", ";" or tabs, as spreadsheets save it), with the header a new test gets in
the program: the owner and password given, feedback "Correct!" after a right
answer and "Incorrect!", the explanation and the right answer after a wrong
one, answers shuffled. The passing score is set in the program's properties
window.
Without --password the password is taken from the environment variable
QUIZDEX_PASSWORD, which other users cannot read as they can a command line.
An existing test is never replaced. The test appears whole or not at all.
A question that a test cannot hold is reported with its line (and a CSV
row's row): a character Windows-1252 has no place for, a text longer than its
field (%1 for the question and the explanation, %2 for a choice), more than
five choices, more than one right answer, a typed answer with several accepted
answers, a kind the test has no place for (numerical, matching, essay), and
what quizdex-tool check would report: no right answer, or a right choice that
is empty. Then nothing is written, unless --skip leaves such questions out
(they are listed). What a test has no place for but can do without is told:
categories, titles, images, the feedback of each answer.
)")
            .arg(storage::TestRecord::QuestionText.width)
            .arg(storage::TestRecord::Choice1.width);
    }
    OptionNames optionsWithValue() const override {
        return {option::kFormat, option::kOutput, option::kOwner, option::kPassword};
    }
    OptionNames flagOptions() const override { return {option::kSkip}; }

    int run(const Args& a, Console& io) override {
        const auto chosen = formatAndFile(a, "give one file to import", io);
        if (!chosen)
            return kUsage;
        const auto test = newTestOf(a, io);
        if (!test)
            return kUsage;
        if (const QString taken = toolfiles::sameNameIgnoringCase(test->path); !taken.isEmpty())
            return io.failed(storage::IoStatus::failure(taken, kTestExists));
        const auto [format, in] = *chosen;
        const storage::IoResult<QByteArray> bytes = toolfiles::readInput(in);
        if (!bytes)
            return io.failed(bytes.status());
        QStringList taken;
        int badLine = 0;
        const auto text = exchange::textOf(format, *bytes, &taken, &badLine);
        if (!text)
            return io.failed(QStringLiteral("%1:%2: not UTF-8").arg(in).arg(badLine));
        exchange::ReadResult read = exchange::readFormat(format, *text);
        // One line for how the file was read where that is not the default.
        taken << read.taken;
        if (!taken.isEmpty())
            io.err << in << ": read " << taken.join(QLatin1Char(' ')) << '\n';
        if (read.fatal)
            return io.failed(exchange::located(in, *read.fatal));

        const exchange::ImportSelection s = exchange::selectForImport(read, format, in);
        if (s.refused.isEmpty() || a.flag(option::kSkip)) {
            if (const QString problem = s.countProblem(in); !problem.isEmpty())
                return io.failed(problem);
        }
        return writeUnlessRefused(
            s.refused, s.left, s.notes, a.flag(option::kSkip),
            [&, format = format] {
                return write(*test, s.kept, exchange::roundTripOf(format), io);
            },
            io);
    }

private:
    struct NewTest {
        QString path, owner, password;
    };

    // The new test that -o, --owner and --password name; nullopt after
    // telling the usage.
    static std::optional<NewTest> newTestOf(const Args& a, Console& io) {
        // The environment keeps the password out of the process list, where
        // every user of the machine can read a command line.
        const NewTest t{a.value(option::kOutput), a.value(option::kOwner),
                        a.has(option::kPassword) ? a.value(option::kPassword)
                                                 : qEnvironmentVariable(kPasswordVariable)};
        const QString name = QFileInfo(t.path).fileName();
        if (!name.endsWith(QLatin1String(".tst"), Qt::CaseInsensitive))
            return io.usage(QStringLiteral("-o names the new test: NAME.tst")), std::nullopt;
        const QString testName = storage::rightTrimmed(name.chopped(4));
        if (testName.isEmpty() || !storage::testNameProblem(testName).isEmpty())
            return io.usage(QStringLiteral("\"%1\" cannot name a test. %2")
                                .arg(name, storage::testNameProblem(testName))),
                   std::nullopt;
        if (!a.has(option::kPassword) && t.password.isEmpty())
            return io.usage(QStringLiteral("give %1, or set %2")
                                .arg(QLatin1String(option::kPassword),
                                     QLatin1String(kPasswordVariable))),
                   std::nullopt;
        for (const auto& [given, value] :
             {std::pair{option::kOwner, t.owner}, std::pair{option::kPassword, t.password}}) {
            if (storage::rightTrimmed(value).isEmpty())
                return io.usage(QStringLiteral("%1 must not be empty").arg(QLatin1String(given))),
                       std::nullopt;
            const QByteArray stored = storage::cp1252::encode(value);
            if (storage::cp1252::decode(stored) != value ||
                stored.size() > storage::TestRecord::Owner.width)
                return io.usage(QStringLiteral("%1 takes at most %2 characters of Windows-1252")
                                    .arg(QLatin1String(given))
                                    .arg(storage::TestRecord::Owner.width)),
                       std::nullopt;
        }
        return t;
    }

    // The test made of the new header and the questions kept, whole or not at all.
    static storage::IoStatus write(const NewTest& t,
                                   const std::vector<const exchange::Entry*>& kept,
                                   const exchange::TextRoundTrip& roundTrip, Console& io) {
        toolfiles::NewFile file(t.path);
        storage::TestRecord header;
        storage::fillNewHeader(header, t.owner, t.password);
        storage::IoStatus st = file.append(header.bytes());
        for (std::size_t k = 1; st && k <= kept.size(); ++k)
            st = file.append(
                exchange::questionRecord(*kept[k - 1], static_cast<int>(k), roundTrip).bytes());
        if (st)
            st = file.commit(kTestExists);
        if (st)
            io.out << t.path << ": " << counted(qint64(kept.size()), "question") << '\n';
        return st;
    }
};

} // namespace

std::unique_ptr<Command> importCommand() {
    return std::make_unique<Import>();
}

} // namespace tool
