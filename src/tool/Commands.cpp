#include "Commands.h"

#include "ToolCommand.h"

#include <QTextStream>

namespace tool {

namespace {

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

std::vector<std::unique_ptr<Command>> allCommands() {
    std::vector<std::unique_ptr<Command>> all;
    all.push_back(showCommand());
    all.push_back(checkCommand());
    all.push_back(exportCommand());
    all.push_back(importCommand());
    all.push_back(logCommand());
    all.push_back(repairCommand());
    return all;
}

} // namespace

int run(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.isEmpty() || args.front() == QLatin1String("--help") ||
        args.front() == QLatin1String("-h")) {
        (args.isEmpty() ? err : out) << kToolHelp;
        return args.isEmpty() ? kUsage : kDone;
    }
    const QString command = args.front();
    for (const auto& c : allCommands()) {
        if (command != QLatin1String(c->name()))
            continue;
        Console io(out, err, command);
        const Args a = parseArgs(args.mid(1), c->valued(), c->flags());
        if (a.help) {
            out << c->help();
            return kDone;
        }
        if (!a.error.isEmpty())
            return io.usage(a.error);
        return c->run(a, io);
    }
    err << "quizdex-tool: unknown command \"" << command << "\"\n\n" << kToolHelp;
    return kUsage;
}

} // namespace tool
