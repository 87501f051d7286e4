#pragma once

#include <map>
#include <QString>
#include <QStringList>
#include <set>

namespace tool {

// A command's arguments: the files, the options that take a value (-o is
// --output) and the flags given.
struct Args {
    QStringList files;
    std::map<QString, QString> values;
    std::set<QString> flags;
    QString error; // why the arguments cannot be read; empty when they can
    bool help = false;

    QString value(const char* name) const;
    bool has(const char* name) const;
    bool flag(const char* name) const;
};

// `args` read against the options a command takes: `valued` take a value (as
// the next argument or after "="), `flags` take none; "--" ends the options.
Args parseArgs(const QStringList& args, const QStringList& valued, const QStringList& flags);

} // namespace tool
