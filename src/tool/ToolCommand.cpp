#include "ToolCommand.h"

#include "FileCheck.h"
#include "PdfBook.h"
#include "TestRecord.h"
#include "ToolFiles.h"

#include <QFileInfo>

namespace tool {

QString counted(qint64 n, const char* thing) {
    return QStringLiteral("%1 %2%3").arg(n).arg(QLatin1String(thing)).arg(n == 1 ? "" : "s");
}

int Console::usage(const QString& message) {
    err << "quizdex-tool " << m_command << ": " << message << "\nTry \"quizdex-tool " << m_command
        << " --help\".\n";
    return kUsage;
}

int Console::failed(const QString& message) {
    err << message << '\n';
    return kFailed;
}

int Console::failed(const IoStatus& st) {
    return failed(st.path + QStringLiteral(": ") + st.reason);
}

std::optional<int> Console::testRecords(const QString& path) {
    if (!toolfiles::isFile(path)) {
        failed(IoStatus::failure(path, QStringLiteral("No such test")));
        return std::nullopt;
    }
    const IoResult<std::int16_t> count = RecordFile(path, TestRecord::kSize).count();
    if (!count) {
        failed(count.status());
        return std::nullopt;
    }
    if (*count == 0) {
        failed(IoStatus::failure(path, QStringLiteral("Empty; a test begins with its header")));
        return std::nullopt;
    }
    if (toolfiles::sizeOf(path) % TestRecord::kSize != 0)
        err << path << ": the file ends in stray bytes (see quizdex-tool check)\n";
    return *count;
}

std::optional<QString> Console::outputOf(const Args& a) {
    const QString path = a.value("--output");
    if (filecheck::kindOf(path)) {
        usage(QStringLiteral("-o %1 would write over a test or a score log").arg(path));
        return std::nullopt;
    }
    return path.isEmpty() ? QStringLiteral("-") : path;
}

IoStatus Console::deliver(const QString& path, const QString& text) {
    if (path != QLatin1String("-"))
        return toolfiles::writeOutput(path, text.toUtf8());
    out << text;
    return IoStatus::success();
}

int Console::finish(const QStringList& refused, int refusedQuestions, const QStringList& notes,
                    bool skip, const std::function<IoStatus()>& write) {
    for (const QString& r : refused)
        err << (skip ? r + QStringLiteral(" (left out)") : r) << '\n';
    if (refusedQuestions > 0 && !skip) {
        err << "Nothing written: " << refusedQuestions << " of the questions "
            << (refusedQuestions == 1 ? "does" : "do") << " not fit (--skip leaves them out).\n";
        return kFailed;
    }
    for (const QString& n : notes)
        err << n << '\n';
    const IoStatus st = write();
    return st ? kDone : failed(st);
}

IoStatus Console::writeNew(const QString& path, const QByteArray& bytes, bool replace) {
    if (replace)
        return toolfiles::writeOutput(path, bytes);
    toolfiles::NewFile file(path);
    const IoStatus st = file.append(bytes);
    return st ? file.commit(QStringLiteral("exists; --force replaces it")) : st;
}

bool Console::undamaged(const QString& path) {
    const auto kind = filecheck::kindOf(path);
    const IoResult<filecheck::Report> checked =
        filecheck::check(path, kind.value_or(filecheck::FileKind::Test));
    if (!checked) {
        failed(checked.status());
        return false;
    }
    for (const QString& f : checked->findings)
        err << path << ": " << f << '\n';
    return checked->findings.isEmpty();
}

std::optional<QString> Console::paperOutput(const Args& a) {
    const QString path = a.value("--output");
    if (path.isEmpty() || path == QLatin1String("-")) {
        usage(QStringLiteral("give the file to write: -o OUT"));
        return std::nullopt;
    }
    return outputOf(a);
}

std::optional<QPageSize> Console::paperSize(const Args& a) {
    if (!a.has("--paper"))
        return paper::localePaper();
    const QString p = a.value("--paper").toLower();
    if (p != QLatin1String("a4") && p != QLatin1String("letter")) {
        usage(QStringLiteral("--paper takes a4 or letter"));
        return std::nullopt;
    }
    return QPageSize(p == QLatin1String("a4") ? QPageSize::A4 : QPageSize::Letter);
}

} // namespace tool
