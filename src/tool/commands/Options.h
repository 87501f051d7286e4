#pragma once

#include <map>
#include <QString>
#include <QStringList>
#include <set>
#include <vector>

namespace tool {

// The options of every command, each name written once.
namespace option {
inline constexpr char kOutput[] = "--output"; // -o for short
inline constexpr char kFormat[] = "--format";
inline constexpr char kOwner[] = "--owner";
inline constexpr char kPassword[] = "--password";
inline constexpr char kPaper[] = "--paper";
inline constexpr char kTest[] = "--test";
inline constexpr char kSkip[] = "--skip";
inline constexpr char kKey[] = "--key";
inline constexpr char kForce[] = "--force";
inline constexpr char kCsv[] = "--csv";
inline constexpr char kPdf[] = "--pdf";
inline constexpr char kExcel[] = "--excel";
inline constexpr char kVersions[] = "--versions";
inline constexpr char kSeed[] = "--seed";
inline constexpr char kItems[] = "--items";
inline constexpr char kAnswers[] = "--answers";
} // namespace option

using OptionNames = std::vector<const char*>;

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

// `args` read against the options a command takes: `withValue` take a value
// (as the next argument or after "="), `flags` take none; "--" ends the options.
Args parseArgs(const QStringList& args, const OptionNames& withValue, const OptionNames& flags);

} // namespace tool
