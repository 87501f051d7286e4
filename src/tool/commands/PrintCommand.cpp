#include "Command.h"
#include "CommandSteps.h"
#include "Console.h"
#include "Exchange.h"
#include "PaperTest.h"
#include "PdfBook.h"
#include "TextRules.h"
#include "ToolFiles.h"

namespace tool {
namespace {

class Print : public Command {
public:
    const char* name() const override { return "print"; }
    QString synopsis() const override {
        return QStringLiteral("TEST.tst -o TEST.pdf [--key] [--paper a4|letter] [--force]");
    }
    QString summary() const override {
        return QStringLiteral("the test, or its answer key, on paper");
    }
    QString details() const override {
        return QStringLiteral(
            R"(Writes the test as a PDF to print for a class without computers: a heading
with the test's name and owner, lines for the candidate's name and the date,
then the questions numbered in file order. Multiple-choice choices are lettered
A to E, empty ones left out; a true/false question shows TRUE / FALSE to
circle; a typed-answer question a line to write on. No question is split
across pages; each page says "Page 2 of 5".
  --key     the answer key instead: each question with its right answer
            (letter and text) and its explanation.
  --paper   a4 or letter; without it, letter in the United States and Canada
            (by the locale), A4 elsewhere.
  --force   replaces OUT when it exists; without it, an existing OUT is kept.
A test that check finds damaged is reported, record by record, and nothing is
written. OUT appears whole or not at all.
)");
    }
    OptionNames optionsWithValue() const override { return {option::kOutput, option::kPaper}; }
    OptionNames flagOptions() const override { return {option::kKey, option::kForce}; }

    bool laysOutPages() const override { return true; }

    int run(const Args& a, Console& io) override {
        if (a.files.size() != 1)
            return io.usage(QStringLiteral("give one test"));
        const auto out = paperOutput(a, io);
        if (!out)
            return kUsage;
        const std::optional<QPageSize> size = paperSize(a, io);
        if (!size)
            return kUsage;
        const QString path = a.files.front();
        const auto count = testRecordCount(path, io);
        if (!count)
            return kFailed;
        if (!checkedClean(path, io))
            return io.failed(QStringLiteral("Nothing written: %1 is damaged (see quizdex-tool "
                                            "check and repair).")
                                 .arg(path));
        paper::PaperTest test;
        test.name = storage::rules::testNameFromPath(path);
        const IoStatus st = toolfiles::readRecords(
            path, TestRecord::kSize, *count, [&](int n, const QByteArray& b) {
                TestRecord rec;
                rec.setBytes(b);
                if (n == 1)
                    test.owner = rightTrimmed(rec.text(TestRecord::Owner));
                else if (const auto q = exchange::questionOf(rec))
                    test.questions.push_back(*q);
            });
        if (!st)
            return io.failed(st);
        int pages = 0;
        const QByteArray pdf = paper::printTest(test, a.flag(option::kKey), *size, &pages);
        if (const IoStatus written = writeNewOutput(*out, pdf, a.flag(option::kForce)); !written)
            return io.failed(written);
        io.out << *out << ": " << counted(qint64(test.questions.size()), "question") << " on "
               << counted(pages, "page") << '\n';
        return kDone;
    }
};

} // namespace

std::unique_ptr<Command> printCommand() {
    return std::make_unique<Print>();
}

} // namespace tool
