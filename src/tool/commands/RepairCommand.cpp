#include "Command.h"
#include "CommandSteps.h"
#include "Console.h"
#include "FileCheck.h"
#include "ToolFiles.h"

namespace tool {
namespace {

class Repair : public Command {
public:
    const char* name() const override { return "repair"; }
    QString synopsis() const override { return QStringLiteral("FILE"); }
    QString summary() const override {
        return QStringLiteral("stray bytes at the end moved into FILE.stray");
    }
    QString details() const override {
        return QStringLiteral(
            R"(Keeps every whole record of the test (.tst), score log (.log) or answer file
(.answers) and moves the stray bytes after the last one into FILE.stray beside
it. A write that a kill interrupted is put back first, as the program does.
FILE.stray is made anew, whole or not at all; when it exists already, nothing
is done, unless it holds only the start of the same bytes (a repair cut
short), which is made again.
)");
    }

    int run(const Args& a, Console& io) override {
        if (a.files.size() != 1)
            return io.usage(QStringLiteral("give one test, score log or answer file"));
        const QString path = a.files.front();
        const auto kind = filecheck::kindOf(path);
        if (!kind)
            return io.usage(
                QStringLiteral("%1 is no test (.tst), score log (.log) or answer file (.answers)")
                    .arg(path));
        const storage::IoResult<toolfiles::Repair> repaired =
            toolfiles::repair(path, filecheck::recordLength(*kind));
        if (!repaired)
            return io.failed(repaired.status());
        const toolfiles::Repair& r = *repaired;
        if (r.strayBytes == 0)
            io.out << path << ": nothing to repair; " << counted(r.wholeRecords, "whole record")
                   << '\n';
        else
            io.out << path << ": kept " << counted(r.wholeRecords, "whole record") << "; moved "
                   << r.strayBytes << " stray bytes to " << r.strayPath << '\n';
        return kDone;
    }
};

} // namespace

std::unique_ptr<Command> repairCommand() {
    return std::make_unique<Repair>();
}

} // namespace tool
