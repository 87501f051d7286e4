#include "Command.h"
#include "CommandSteps.h"
#include "Console.h"
#include "Csv.h"
#include "LogRecord.h"
#include "ToolFiles.h"

#include <QFileInfo>

namespace tool {
namespace {

class Log : public Command {
public:
    const char* name() const override { return "log"; }
    QString synopsis() const override { return QStringLiteral("--csv NAME.log [-o OUT]"); }
    QString summary() const override {
        return QStringLiteral("every entry of a score log as a CSV row");
    }
    QString details() const override {
        return QStringLiteral(
            R"(Writes every entry of the score log as a CSV row (test, date, time, questions,
score) to OUT, or to standard output, for a spreadsheet. A text that a
spreadsheet would take for a formula (=, +, -, @ first) gets a ' in front.
)");
    }
    OptionNames optionsWithValue() const override { return {option::kOutput}; }
    OptionNames flagOptions() const override { return {option::kCsv}; }

    int run(const Args& a, Console& io) override {
        if (!a.flag(option::kCsv))
            return io.usage(QStringLiteral("log writes CSV only: give --csv"));
        if (a.files.size() != 1)
            return io.usage(QStringLiteral("give one score log"));
        const auto out = textOutput(a, io);
        if (!out)
            return kUsage;
        const QString path = a.files.front();
        if (!toolfiles::isFile(path))
            return io.failed(storage::IoStatus::failure(path, QStringLiteral("No such score log")));
        const storage::IoResult<std::int64_t> measured =
            storage::RecordFile(path, storage::LogRecord::kSize).length();
        if (!measured)
            return io.failed(measured.status());
        const std::int64_t length = *measured;
        // Whole entries only: a cut-off one holds nothing a spreadsheet can use.
        if (const std::int64_t stray = length % storage::LogRecord::kSize; stray > 0)
            io.err << path << ": " << stray << " stray bytes after the last entry are left out "
                   << "(see quizdex-tool repair)\n";
        QString text = csv::logHeader();
        storage::IoStatus st = toolfiles::readRecords(
            path, storage::LogRecord::kSize, static_cast<int>(length / storage::LogRecord::kSize),
            [&](int, const QByteArray& b) {
                storage::LogRecord rec;
                rec.setBytes(b);
                text += csv::logRow(rec);
            });
        if (!st)
            return io.failed(st);
        st = deliver(*out, text, io);
        return st ? kDone : io.failed(st);
    }
};

} // namespace

std::unique_ptr<Command> logCommand() {
    return std::make_unique<Log>();
}

} // namespace tool
