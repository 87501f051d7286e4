#include "Csv.h"
#include "LogRecord.h"
#include "ToolCommand.h"
#include "ToolFiles.h"

#include <QFileInfo>

namespace tool {
namespace {

class Log : public Command {
public:
    const char* name() const override { return "log"; }
    QString help() const override {
        return QStringLiteral(R"(Usage: quizdex-tool log --csv NAME.log [-o OUT]

Writes every entry of the score log as a CSV row (test, date, time, questions,
score) to OUT, or to standard output, for a spreadsheet. A text that a
spreadsheet would take for a formula (=, +, -, @ first) gets a ' in front.
)");
    }
    QStringList valued() const override { return {QStringLiteral("--output")}; }
    QStringList flags() const override { return {QStringLiteral("--csv")}; }

    int run(const Args& a, Console& io) override {
        if (!a.flag("--csv"))
            return io.usage(QStringLiteral("log writes CSV only: give --csv"));
        if (a.files.size() != 1)
            return io.usage(QStringLiteral("give one score log"));
        const auto out = io.outputOf(a);
        if (!out)
            return kUsage;
        const QString path = a.files.front();
        if (!toolfiles::isFile(path))
            return io.failed(IoStatus::failure(path, QStringLiteral("No such score log")));
        const IoResult<std::int64_t> measured = RecordFile(path, LogRecord::kSize).length();
        if (!measured)
            return io.failed(measured.status());
        const std::int64_t length = *measured;
        // Whole entries only: a cut-off one holds nothing a spreadsheet can use.
        if (const std::int64_t stray = length % LogRecord::kSize; stray > 0)
            io.err << path << ": " << stray << " stray bytes after the last entry are left out "
                   << "(see quizdex-tool repair)\n";
        QString text = csv::logHeader();
        IoStatus st = toolfiles::readRecords(path, LogRecord::kSize,
                                             static_cast<int>(length / LogRecord::kSize),
                                             [&](int, const QByteArray& b) {
                                                 LogRecord rec;
                                                 rec.setBytes(b);
                                                 text += csv::logRow(rec);
                                             });
        if (!st)
            return io.failed(st);
        st = io.deliver(*out, text);
        return st ? kDone : io.failed(st);
    }
};

} // namespace

std::unique_ptr<Command> logCommand() {
    return std::make_unique<Log>();
}

} // namespace tool
