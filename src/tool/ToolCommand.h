#pragma once

#include "RecordFile.h"
#include "ToolArgs.h"

#include <functional>
#include <memory>
#include <optional>
#include <QPageSize>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <vector>

namespace tool::exchange {
enum class Format;
}

// What every command of quizdex-tool shares: where it writes, how it tells
// a failure, the files it reads and writes.
namespace tool {

inline constexpr int kDone = 0;
inline constexpr int kFailed = 1;
inline constexpr int kUsage = 2;

// "1 question", "2 questions".
QString counted(qint64 n, const char* thing);

// A command's output and errors, and what its commands do alike.
class Console {
public:
    Console(QTextStream& out, QTextStream& err, QString command)
        : out(out), err(err), m_command(std::move(command)) {}

    int usage(const QString& message);
    int failed(const QString& message);
    int failed(const IoStatus& st);

    // The questions of a test file: its record count as the program takes it.
    std::optional<int> testRecords(const QString& path);
    // Where export and log write: standard output ("-"), or a file that is not
    // one of the program's own.
    std::optional<QString> outputOf(const Args& a);
    IoStatus deliver(const QString& out, const QString& text);
    // Writes (through `write`) when nothing was refused, or when --skip says
    // to leave out what was; tells what was left out and what is not kept.
    int finish(const QStringList& refused, int refusedQuestions, const QStringList& notes,
               bool skip, const std::function<IoStatus()>& write);

    // The PDF or CSV of print and results, whole or not at all: an existing
    // file is replaced only when `replace` says so.
    IoStatus writeNew(const QString& path, const QByteArray& bytes, bool replace);
    // Whether `path` is whole as check finds it; what check finds is told,
    // file and record, when it is not.
    bool undamaged(const QString& path);
    // The -o of print and results: given, and not a test or a score log.
    std::optional<QString> paperOutput(const Args& a);
    // The paper `--paper` names (a4 or letter), else the locale's; none after
    // telling the usage when it names another.
    std::optional<QPageSize> paperSize(const Args& a);

    QTextStream& out;
    QTextStream& err;

private:
    QString m_command;
};

// One command: its name, its help, the options it takes, what it does.
class Command {
public:
    virtual ~Command() = default;
    virtual const char* name() const = 0;
    virtual QString help() const = 0;
    virtual QStringList valued() const { return {}; }
    virtual QStringList flags() const { return {}; }
    // Whether it lays out text, which needs a QGuiApplication.
    virtual bool paints() const { return false; }
    virtual int run(const Args& a, Console& io) = 0;
};

// The format and the one file of export and import; nullopt after telling
// what is wrong with them (`give` says what to give).
std::optional<std::pair<tool::exchange::Format, QString>>
formatAndFile(const Args& a, const char* give, Console& io);

std::unique_ptr<Command> showCommand();
std::unique_ptr<Command> checkCommand();
std::unique_ptr<Command> exportCommand();
std::unique_ptr<Command> importCommand();
std::unique_ptr<Command> logCommand();
std::unique_ptr<Command> repairCommand();
std::unique_ptr<Command> printCommand();
std::unique_ptr<Command> resultsCommand();

} // namespace tool
