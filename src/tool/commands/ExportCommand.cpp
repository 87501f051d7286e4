#include "Command.h"
#include "CommandSteps.h"
#include "Console.h"
#include "Csv.h"
#include "ExchangeFormat.h"
#include "ToolFiles.h"

namespace tool {

using exchange::Format;

namespace {

class Export : public Command {
public:
    const char* name() const override { return "export"; }
    QString synopsis() const override {
        return QStringLiteral("--format %1 TEST.tst [-o OUT] [--skip]").arg(exchange::formatList());
    }
    QString summary() const override {
        return QStringLiteral("the questions for Moodle or a spreadsheet");
    }
    QString details() const override {
        return QStringLiteral(
            R"(Writes the questions of TEST.tst in UTF-8 to OUT, or to standard output.
  gift   Moodle's GIFT: {T} and {F}, {=answer}, {=right ~wrong}, the
         explanation as general feedback (####).
  aiken  multiple-choice questions only ("A) ...", "ANSWER: A"); what Aiken has
         no place for (explanations, empty choices, line breaks) is reported.
  csv    one question a row under a header row: kind, question, choice 1 to
         choice 5, right choice, explanation, quizdex. A text a spreadsheet
         would run as a formula ("=...") goes behind an apostrophe, which
         import takes off again.
  moodlexml  Moodle XML, as Moodle's question bank exports it: multichoice,
         truefalse and shortanswer questions, the explanation as general
         feedback, the texts as plain text.
GIFT, CSV and Moodle XML keep every byte of every question: what their text
cannot hold (the answer-order flag and the reserved fields the editor leaves in
a question record, blanks Moodle trims, where blank choices were) goes into a
"// quizdex:" comment line, a "quizdex:" XML comment or the "quizdex" column,
which import reads back and Moodle passes over. GIFT and Moodle XML leave blank
choices out, as Moodle takes no answer without text.
A question the format cannot hold stops the export, and nothing is written;
so does one that quizdex-tool check finds damaged (no right answer, or an empty
one). --skip leaves such questions out and lists them.
)");
    }
    OptionNames optionsWithValue() const override { return {option::kFormat, option::kOutput}; }
    OptionNames flagOptions() const override { return {option::kSkip}; }

    int run(const Args& a, Console& io) override {
        const auto chosen = formatAndFile(a, "give one test", io);
        if (!chosen)
            return kUsage;
        const auto out = textOutput(a, io);
        if (!out)
            return kUsage;
        const Format format = chosen->first;
        const QString path = chosen->second;
        const auto count = testRecordCount(path, io);
        if (!count)
            return kFailed;

        QString text = exchange::fileStart(format);
        QStringList refused, notes;
        int written = 0;
        int left = 0;
        const storage::IoStatus st = toolfiles::readRecords(
            path, storage::TestRecord::kSize, *count, [&](int n, const QByteArray& b) {
                if (n == 1)
                    return;
                const int k = n - 1;
                storage::TestRecord rec;
                rec.setBytes(b);
                QStringList problems, qNotes;
                QString one = exchange::exportQuestion(format, rec, k, &problems, &qNotes);
                if ((format == Format::Gift || format == Format::MoodleXml) && written > 0 &&
                    problems.isEmpty())
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
        text += exchange::fileEnd(format);
        return writeUnlessRefused(
            refused, left, notes, a.flag(option::kSkip), [&] { return deliver(*out, text, io); },
            io);
    }
};

} // namespace

std::unique_ptr<Command> exportCommand() {
    return std::make_unique<Export>();
}

} // namespace tool
