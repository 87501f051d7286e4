#include "Command.h"
#include "CommandSteps.h"
#include "Console.h"
#include "FileCheck.h"

namespace tool {
namespace {

class Check : public Command {
public:
    const char* name() const override { return "check"; }
    QString synopsis() const override { return QStringLiteral("FILE..."); }
    QString summary() const override {
        return QStringLiteral("tests, logs and answer files checked record by record");
    }
    QString details() const override {
        return QStringLiteral(
            R"(Checks tests (.tst), score logs (.log) and answer files (.answers) record by
record and prints one line per finding: a length that is not a whole number of
records, more records than the program can count, feedback flags that are not
four characters of 0 and 1, a passing score outside 50 to 100, unknown question
kinds, questions without a marked answer, scores that are not 0 to 100, answers
that no run could have written.
Exit status: 0 when every file is clean, 1 when something was found or a file
cannot be read, 2 on wrong usage.
)");
    }

    int run(const Args& a, Console& io) override {
        if (a.files.isEmpty())
            return io.usage(QStringLiteral("give the tests, score logs or answer files to check"));
        for (const QString& path : a.files) {
            if (!filecheck::kindOf(path))
                return io.usage(
                    QStringLiteral("%1 is no test (.tst), score log (.log) or answer file (.answers)")
                        .arg(path));
        }
        int status = kDone;
        for (const QString& path : a.files) {
            const storage::IoResult<filecheck::Report> checked =
                filecheck::check(path, *filecheck::kindOf(path));
            if (!checked) {
                status = io.failed(checked.status());
                continue;
            }
            const filecheck::Report& report = *checked;
            for (const QString& f : report.findings)
                io.out << path << ": " << f << '\n';
            if (report.findings.isEmpty())
                io.out << path << ": clean, " << counted(report.wholeRecords, "record") << '\n';
            else
                status = kFailed;
        }
        return status;
    }
};

} // namespace

std::unique_ptr<Command> checkCommand() {
    return std::make_unique<Check>();
}

} // namespace tool
