#pragma once

#include "Options.h"

#include <memory>
#include <QString>
#include <vector>

// The commands of quizdex-tool, one small class each, and what they share.
namespace tool {

class Console;

inline constexpr int kDone = 0;
inline constexpr int kFailed = 1;
inline constexpr int kUsage = 2;

// One command: its name, its help, the options it takes, what it does.
class Command {
public:
    virtual ~Command() = default;
    virtual const char* name() const = 0;
    // What follows the name on its usage line.
    virtual QString synopsis() const = 0;
    // What it does, in a line of the tool's own help.
    virtual QString summary() const = 0;
    // Its help after the usage line.
    virtual QString details() const = 0;
    virtual OptionNames optionsWithValue() const { return {}; }
    virtual OptionNames flagOptions() const { return {}; }
    // Whether it lays text out on pages, which needs a QGuiApplication.
    virtual bool laysOutPages() const { return false; }
    virtual int run(const Args& a, Console& io) = 0;

    // "Usage: quizdex-tool NAME SYNOPSIS", a blank line, the details.
    QString help() const;
};

// Every command, in the order the tool's help lists them.
std::vector<std::unique_ptr<Command>> allCommands();

std::unique_ptr<Command> showCommand();
std::unique_ptr<Command> checkCommand();
std::unique_ptr<Command> exportCommand();
std::unique_ptr<Command> importCommand();
std::unique_ptr<Command> logCommand();
std::unique_ptr<Command> repairCommand();
std::unique_ptr<Command> printCommand();
std::unique_ptr<Command> resultsCommand();

} // namespace tool
