#include "Commands.h"

#include "ToolCommand.h"

#include <QGuiApplication>
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
  print TEST.tst -o OUT.pdf [--key] [--paper a4|letter]
                        the test, or its answer key, on paper
  results FOLDER|LOG... [--test NAME] --csv|--pdf -o OUT
                        the class's results from its score logs

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
    all.push_back(printCommand());
    all.push_back(resultsCommand());
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
        if (!c->paints() || qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            return c->run(a, io);
        if (QCoreApplication::instance())
            return io.failed(QStringLiteral("%1 lays out text and needs Qt GUI").arg(command));
        // Text is laid out off any screen, so that a plain terminal without
        // a display prints as well as a desktop.
        static char program[] = "quizdex-tool";
        static char platformOption[] = "-platform";
        static char offscreen[] = "offscreen";
        static char* argv[] = {program, platformOption, offscreen, nullptr};
        static int argc = 3;
        // Without a session (a terminal over ssh, a cron job) Qt warns that it
        // has no runtime folder, which the tool never uses.
        const QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
                if (!message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
                    qt_message_output(type, context, message);
            });
        const int status = [&] {
            const QGuiApplication app(argc, argv);
            return c->run(a, io);
        }();
        qInstallMessageHandler(previous);
        return status;
    }
    err << "quizdex-tool: unknown command \"" << command << "\"\n\n" << kToolHelp;
    return kUsage;
}

} // namespace tool
