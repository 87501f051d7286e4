#include "Csv.h"
#include "ExchangeFormat.h"
#include "ToolCommand.h"
#include "ToolFiles.h"

namespace tool {

using exchange::Format;

std::optional<std::pair<Format, QString>> formatAndFile(const Args& a, const char* give,
                                                        Console& io) {
    const auto format = exchange::formatNamed(a.value("--format"));
    if (!format)
        io.usage(QStringLiteral("--format takes gift, aiken or csv"));
    else if (a.files.size() != 1)
        io.usage(QLatin1String(give));
    else
        return std::pair{*format, a.files.front()};
    return std::nullopt;
}

namespace {

class Export : public Command {
public:
    const char* name() const override { return "export"; }
    QString help() const override {
        return QStringLiteral(
            R"(Usage: quizdex-tool export --format gift|aiken|csv TEST.tst [-o OUT] [--skip]

Writes the questions of TEST.tst in UTF-8 to OUT, or to standard output.
  gift   Moodle's GIFT: {T} and {F}, {=answer}, {=right ~wrong}, the
         explanation as general feedback (####).
  aiken  multiple-choice questions only ("A) ...", "ANSWER: A"); what Aiken has
         no place for (explanations, empty choices, line breaks) is reported.
  csv    one question a row under a header row: kind, question, choice 1 to
         choice 5, right choice, explanation, quizdex. A text a spreadsheet
         would run as a formula ("=...") goes behind an apostrophe, which
         import takes off again.
GIFT and CSV keep every byte of every question: what their text cannot hold
(the answer-order flag and the reserved fields the editor leaves in a question
record, blanks GIFT trims) goes into a "// quizdex:" comment line or the
"quizdex" column, which import reads back and Moodle passes over.
A question the format cannot hold stops the export, and nothing is written;
--skip leaves such questions out and lists them.
)");
    }
    QStringList valued() const override {
        return {QStringLiteral("--format"), QStringLiteral("--output")};
    }
    QStringList flags() const override { return {QStringLiteral("--skip")}; }

    int run(const Args& a, Console& io) override {
        const auto chosen = formatAndFile(a, "give one test", io);
        if (!chosen)
            return kUsage;
        const auto out = io.outputOf(a);
        if (!out)
            return kUsage;
        const Format format = chosen->first;
        const QString path = chosen->second;
        const auto count = io.testRecords(path);
        if (!count)
            return kFailed;

        QString text = format == Format::Csv ? csv::questionHeader() : QString();
        QStringList refused, notes;
        int written = 0;
        int left = 0;
        const IoStatus st = toolfiles::readRecords(
            path, TestRecord::kSize, *count, [&](int n, const QByteArray& b) {
                if (n == 1)
                    return;
                const int k = n - 1;
                TestRecord rec;
                rec.setBytes(b);
                QStringList problems, qNotes;
                QString one = exchange::exportQuestion(format, rec, k, &problems, &qNotes);
                if (format == Format::Gift && written > 0 && problems.isEmpty())
                    one.prepend(QLatin1Char('\n')); // a blank line between questions
                const QString where = QStringLiteral("%1: question %2: ").arg(path).arg(k);
                for (const QString& p : problems)
                    refused << where + p;
                for (const QString& p : qNotes)
                    notes << where + p;
                if (problems.isEmpty()) {
                    text += one;
                    ++written;
                } else {
                    ++left;
                }
            });
        if (!st)
            return io.failed(st);
        return io.finish(refused, left, notes, a.flag("--skip"),
                         [&] { return io.deliver(*out, text); });
    }
};

} // namespace

std::unique_ptr<Command> exportCommand() {
    return std::make_unique<Export>();
}

} // namespace tool
