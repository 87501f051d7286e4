#pragma once

#include "IoResult.h"
#include "Options.h"

#include <functional>
#include <optional>
#include <QPageSize>
#include <QString>
#include <QStringList>
#include <utility>

namespace tool::exchange {
enum class Format;
}

// Steps several commands take alike, each telling the user through the
// console when it cannot go on.
namespace tool {

class Console;

// The record count of a test file as the program takes it; nullopt after
// telling why it is not a test.
std::optional<int> testRecordCount(const QString& path, Console& io);

// Where export and log write: standard output ("-"), or a file that is not
// one of the program's own.
std::optional<QString> textOutput(const Args& a, Console& io);
// `text` to standard output ("-") or as the file `path`, whole.
storage::IoStatus deliver(const QString& path, const QString& text, Console& io);
// Writes (through `write`) when nothing was refused, or when --skip says to
// leave out what was; tells what was left out and what is not kept.
int writeUnlessRefused(const QStringList& refused, int refusedQuestions, const QStringList& notes,
                       bool skip, const std::function<storage::IoStatus()>& write, Console& io);

// The format and the one file of export and import; nullopt after telling
// what is wrong with them (`give` says what to give).
std::optional<std::pair<exchange::Format, QString>> formatAndFile(const Args& a, const char* give,
                                                                  Console& io);

// Whether `path` is whole as check finds it; what check finds is told, file
// and record, when it is not.
bool checkedClean(const QString& path, Console& io);
// The -o of print and results: given, and not a test or a score log.
std::optional<QString> paperOutput(const Args& a, Console& io);
// The paper --paper names (a4 or letter), else the locale's; none after
// telling the usage when it names another.
std::optional<QPageSize> paperSize(const Args& a, Console& io);
// The PDF or CSV of print and results, whole or not at all: an existing file
// is replaced only when `replace` says so.
storage::IoStatus writeNewOutput(const QString& path, const QByteArray& bytes, bool replace);

} // namespace tool
