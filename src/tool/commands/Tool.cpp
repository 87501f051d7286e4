#include "Tool.h"

#include "Command.h"
#include "Console.h"

#include <QGuiApplication>
#include <QTextStream>

namespace tool {

namespace {

constexpr qsizetype kSummaryColumn = 24;
constexpr qsizetype kLineWidth = 79;

// `start`, then the command's usage, wrapped at the line width; a wrapped
// line goes on after four blanks.
QString usageLines(QString start, const Command& c) {
    start += QLatin1Char(' ') + QLatin1String(c.name());
    qsizetype lineStart = 0;
    for (const QString& word : c.synopsis().split(QLatin1Char(' '))) {
        if (start.size() - lineStart + 1 + word.size() > kLineWidth) {
            start += QStringLiteral("\n    ");
            lineStart = start.size() - 4;
        } else {
            start += QLatin1Char(' ');
        }
        start += word;
    }
    return start;
}

// A command's usage as the tool's help lists it, its summary in a column of
// its own.
QString listed(const Command& c) {
    QString out = usageLines(QStringLiteral(" "), c);
    if (!out.contains(QLatin1Char('\n')) && out.size() + 2 <= kSummaryColumn)
        out = out.leftJustified(kSummaryColumn, QLatin1Char(' '));
    else
        out += QLatin1Char('\n') + QString(kSummaryColumn, QLatin1Char(' '));
    return out + c.summary() + QLatin1Char('\n');
}

QString toolHelp() {
    QString out =
        QStringLiteral("Usage: quizdex-tool COMMAND [OPTIONS] FILE...\n\n"
                       "Works on Quizdex tests (.tst), score logs (.log) and the answers\n"
                       "kept beside them (.answers).\n\n"
                       "Commands:\n");
    for (const auto& c : allCommands())
        out += listed(*c);
    return out + QStringLiteral(
                     "\n\"quizdex-tool COMMAND --help\" tells more about each.\n"
                     "Exit status: 0 done, 1 failed (check: something found), 2 wrong usage.\n");
}

// Qt's start-up looks into the session's runtime folder (to learn whether it
// runs in a sandbox) and warns when there is none (a terminal over ssh, a cron
// job) or it is not this user's own (after su or sudo). The tool never uses
// that folder, so these warnings tell the user nothing.
bool isRuntimeFolderWarning(const QString& message) {
    return message.startsWith(QLatin1String("QStandardPaths: ")) &&
           (message.contains(QLatin1String("XDG_RUNTIME_DIR")) ||
            message.contains(QLatin1String("runtime director")));
}

// Runs `c` with a QGuiApplication on the offscreen platform, so that a plain
// terminal without a display lays text out as well as a desktop.
int runWithGui(Command& c, const Args& a, Console& io) {
    static char program[] = "quizdex-tool";
    static char platformOption[] = "-platform";
    static char offscreen[] = "offscreen";
    static char* argv[] = {program, platformOption, offscreen, nullptr};
    static int argc = 3;
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (!isRuntimeFolderWarning(message))
                qt_message_output(type, context, message);
        });
    const int status = [&] {
        const QGuiApplication app(argc, argv);
        return c.run(a, io);
    }();
    qInstallMessageHandler(previous);
    return status;
}

int runCommand(Command& c, const QStringList& args, Console& io) {
    const Args a = parseArgs(args, c.optionsWithValue(), c.flagOptions());
    if (a.help) {
        io.out << c.help();
        return kDone;
    }
    if (!a.error.isEmpty())
        return io.usage(a.error);
    if (!c.laysOutPages() || qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return c.run(a, io);
    if (QCoreApplication::instance())
        return io.failed(QStringLiteral("%1 lays out text and needs Qt GUI").arg(c.name()));
    return runWithGui(c, a, io);
}

} // namespace

QString Command::help() const {
    return usageLines(QStringLiteral("Usage: quizdex-tool"), *this) + QStringLiteral("\n\n") +
           details();
}

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

int run(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.isEmpty() || args.front() == QLatin1String("--help") ||
        args.front() == QLatin1String("-h")) {
        (args.isEmpty() ? err : out) << toolHelp();
        return args.isEmpty() ? kUsage : kDone;
    }
    const QString command = args.front();
    for (const auto& c : allCommands()) {
        if (command == QLatin1String(c->name())) {
            Console io(out, err, command);
            return runCommand(*c, args.mid(1), io);
        }
    }
    err << "quizdex-tool: unknown command \"" << command << "\"\n\n" << toolHelp();
    return kUsage;
}

} // namespace tool
