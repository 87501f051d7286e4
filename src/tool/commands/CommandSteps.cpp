#include "CommandSteps.h"

#include "Command.h"
#include "Console.h"
#include "ExchangeFormat.h"
#include "FileCheck.h"
#include "PdfBook.h"
#include "RecordFile.h"
#include "TestRecord.h"
#include "ToolFiles.h"

namespace tool {

std::optional<int> testRecordCount(const QString& path, Console& io) {
    if (!toolfiles::isFile(path)) {
        io.failed(storage::IoStatus::failure(path, QStringLiteral("No such test")));
        return std::nullopt;
    }
    const storage::IoResult<std::int16_t> count =
        storage::RecordFile(path, storage::TestRecord::kSize).count();
    if (!count) {
        io.failed(count.status());
        return std::nullopt;
    }
    if (*count == 0) {
        io.failed(storage::IoStatus::failure(
            path, QStringLiteral("Empty; a test begins with its header")));
        return std::nullopt;
    }
    if (toolfiles::sizeOf(path) % storage::TestRecord::kSize != 0)
        io.err << path << ": the file ends in stray bytes (see quizdex-tool check)\n";
    return *count;
}

std::optional<QString> textOutput(const Args& a, Console& io) {
    const QString path = a.value(option::kOutput);
    if (filecheck::kindOf(path)) {
        io.usage(QStringLiteral("-o %1 would write over a file of the program").arg(path));
        return std::nullopt;
    }
    return path.isEmpty() ? QStringLiteral("-") : path;
}

storage::IoStatus deliver(const QString& path, const QString& text, Console& io) {
    if (path != QLatin1String("-"))
        return toolfiles::writeOutput(path, text.toUtf8());
    io.out << text;
    return storage::IoStatus::success();
}

int writeUnlessRefused(const QStringList& refused, int refusedQuestions, const QStringList& notes,
                       bool skip, const std::function<storage::IoStatus()>& write, Console& io) {
    for (const QString& r : refused)
        io.err << (skip ? r + QStringLiteral(" (left out)") : r) << '\n';
    if (refusedQuestions > 0 && !skip) {
        io.err << "Nothing written: " << refusedQuestions << " of the questions "
               << (refusedQuestions == 1 ? "does" : "do") << " not fit (--skip leaves them out).\n";
        return kFailed;
    }
    for (const QString& n : notes)
        io.err << n << '\n';
    const storage::IoStatus st = write();
    return st ? kDone : io.failed(st);
}

std::optional<std::pair<exchange::Format, QString>> formatAndFile(const Args& a, const char* give,
                                                                  Console& io) {
    const auto format = exchange::formatNamed(a.value(option::kFormat));
    if (!format)
        io.usage(QStringLiteral("%1 takes %2")
                     .arg(QLatin1String(option::kFormat), exchange::formatChoices()));
    else if (a.files.size() != 1)
        io.usage(QLatin1String(give));
    else
        return std::pair{*format, a.files.front()};
    return std::nullopt;
}

bool checkedClean(const QString& path, Console& io) {
    const auto kind = filecheck::kindOf(path);
    const storage::IoResult<filecheck::Report> checked =
        filecheck::check(path, kind.value_or(filecheck::FileKind::Test));
    if (!checked) {
        io.failed(checked.status());
        return false;
    }
    for (const QString& f : checked->findings)
        io.err << path << ": " << f << '\n';
    return checked->findings.isEmpty();
}

std::optional<QString> paperOutput(const Args& a, Console& io) {
    const QString path = a.value(option::kOutput);
    if (path.isEmpty() || path == QLatin1String("-")) {
        io.usage(QStringLiteral("give the file to write: -o OUT"));
        return std::nullopt;
    }
    return textOutput(a, io);
}

std::optional<QPageSize> paperSize(const Args& a, Console& io) {
    if (!a.has(option::kPaper))
        return paper::localePaper();
    const QString p = a.value(option::kPaper).toLower();
    if (p != QLatin1String("a4") && p != QLatin1String("letter")) {
        io.usage(QStringLiteral("%1 takes a4 or letter").arg(QLatin1String(option::kPaper)));
        return std::nullopt;
    }
    return QPageSize(p == QLatin1String("a4") ? QPageSize::A4 : QPageSize::Letter);
}

storage::IoStatus writeNewOutput(const QString& path, const QByteArray& bytes, bool replace) {
    if (replace)
        return toolfiles::writeOutput(path, bytes);
    toolfiles::NewFile file(path);
    const storage::IoStatus st = file.append(bytes);
    return st ? file.commit(QStringLiteral("exists; --force replaces it")) : st;
}

} // namespace tool
