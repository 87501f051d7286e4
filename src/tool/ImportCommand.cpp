#include "Cp1252.h"
#include "ExchangeFormat.h"
#include "HeaderRecord.h"
#include "TextLines.h"
#include "ToolCommand.h"
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
    QString help() const override {
        return QStringLiteral(
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
Windows-1252 has no place for, a text longer than its field (%1 for the
question and the explanation, %2 for a choice), more than five choices, more
than one right answer, a kind the test has no place for (numerical, matching,
essay). Then nothing is written, unless --skip leaves such questions out (they
are listed).
)")
            .arg(TestRecord::QuestionText.width)
            .arg(TestRecord::Choice1.width);
    }
    QStringList valued() const override {
        return {QStringLiteral("--format"), QStringLiteral("--output"), QStringLiteral("--owner"),
                QStringLiteral("--password")};
    }
    QStringList flags() const override { return {QStringLiteral("--skip")}; }

    int run(const Args& a, Console& io) override {
        const auto chosen = formatAndFile(a, "give one file to import", io);
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
            return io.usage(QStringLiteral("-o names the new test: NAME.tst"));
        const QString testName = rightTrimmed(name.chopped(4));
        if (testName.isEmpty() || !storage::testNameProblem(testName).isEmpty())
            return io.usage(QStringLiteral("\"%1\" cannot name a test. %2")
                                .arg(name, storage::testNameProblem(testName)));
        if (!a.has("--password") && password.isEmpty())
            return io.usage(
                QStringLiteral("give --password, or set %1").arg(QLatin1String(kPasswordVariable)));
        for (const auto& [option, value] :
             {std::pair{"--owner", owner}, std::pair{"--password", password}}) {
            if (rightTrimmed(value).isEmpty())
                return io.usage(QStringLiteral("%1 must not be empty").arg(QLatin1String(option)));
            const QByteArray stored = storage::cp1252::encode(value);
            if (storage::cp1252::decode(stored) != value || stored.size() > TestRecord::Owner.width)
                return io.usage(QStringLiteral("%1 takes at most %2 characters of Windows-1252")
                                    .arg(QLatin1String(option))
                                    .arg(TestRecord::Owner.width));
        }
        if (const QString taken = toolfiles::sameNameIgnoringCase(out); !taken.isEmpty())
            return io.failed(IoStatus::failure(taken, kTestExists));

        const IoResult<QByteArray> bytes = toolfiles::readInput(in);
        if (!bytes)
            return io.failed(bytes.status());
        int badLine = 0;
        const auto text = lines::fromUtf8(*bytes, &badLine);
        if (!text)
            return io.failed(QStringLiteral("%1:%2: not UTF-8").arg(in).arg(badLine));
        exchange::ReadResult read = exchange::readFormat(format, *text);
        if (read.fatal)
            return io.failed(
                QStringLiteral("%1:%2: %3").arg(in).arg(read.fatal->where).arg(read.fatal->text));

        const exchange::ImportSelection s = exchange::selectForImport(read, format, in);
        if (s.refused.isEmpty() || a.flag("--skip")) {
            if (const QString problem = s.countProblem(in); !problem.isEmpty())
                return io.failed(problem);
        }
        return io.finish(s.refused, s.left, s.notes, a.flag("--skip"), [&] {
            toolfiles::NewFile file(out);
            TestRecord header;
            storage::fillNewHeader(header, owner, password);
            IoStatus st = file.append(header.bytes());
            const auto roundTrip = exchange::roundTripOf(format);
            for (std::size_t k = 1; st && k <= s.kept.size(); ++k)
                st = file.append(
                    exchange::questionRecord(*s.kept[k - 1], static_cast<int>(k), roundTrip)
                        .bytes());
            if (st)
                st = file.commit(kTestExists);
            if (st)
                io.out << out << ": " << counted(qint64(s.kept.size()), "question") << '\n';
            return st;
        });
    }
};

} // namespace

std::unique_ptr<Command> importCommand() {
    return std::make_unique<Import>();
}

} // namespace tool
