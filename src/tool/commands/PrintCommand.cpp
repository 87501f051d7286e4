#include "Command.h"
#include "CommandSteps.h"
#include "Console.h"
#include "Exchange.h"
#include "PaperTest.h"
#include "PaperVersions.h"
#include "PdfBook.h"
#include "TextRules.h"
#include "ToolFiles.h"

#include <cstdint>
#include <limits>
#include <random>

namespace tool {
namespace {

constexpr int kMostVersions = 26; // lettered A to Z

// The versions asked for: none (count 0) without --versions.
struct Versions {
    int count = 0;
    std::uint64_t seed = 0;
};

class Print : public Command {
public:
    const char* name() const override { return "print"; }
    QString synopsis() const override {
        return QStringLiteral("TEST.tst -o TEST.pdf [--key] [--versions N [--seed S]] "
                              "[--paper a4|letter] [--force]");
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
  --key       the answer key instead: each question with its right answer
              (letter and text) and its explanation.
  --versions  N versions of the test (A, B, ... up to Z) one after the other,
              each with its questions in an order of its own, and the choices
              of each multiple-choice question too unless the test keeps the
              answers in the order entered; each page names its version. With
              --key, the key of each version.
  --seed      the number the orders are drawn from: the same seed prints the
              same versions again. Without it one is drawn, and told.
  --paper     a4 or letter; without it, letter in the United States and
              Canada (by the locale), A4 elsewhere.
  --force     replaces OUT when it exists; without it, an existing OUT is kept.
A test that check finds damaged is reported, record by record, and nothing is
written. OUT appears whole or not at all.
)");
    }
    OptionNames optionsWithValue() const override {
        return {option::kOutput, option::kPaper, option::kVersions, option::kSeed};
    }
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
        const std::optional<Versions> versions = versionsAsked(a, io);
        if (!versions)
            return kUsage;
        const std::optional<paper::PaperTest> test = readTest(a.files.front(), io);
        if (!test)
            return kFailed;
        const bool key = a.flag(option::kKey);
        int pages = 0;
        const QByteArray pdf =
            versions->count == 0
                ? paper::printTest(*test, key, *size, &pages)
                : paper::printVersions(paper::drawVersions(*test, versions->count, versions->seed),
                                       key, *size, &pages);
        if (const storage::IoStatus written = writeNewOutput(*out, pdf, a.flag(option::kForce));
            !written)
            return io.failed(written);
        io.out << *out << ": " << counted(qint64(test->questions.size()), "question");
        if (versions->count > 0)
            io.out << " in " << counted(versions->count, "version") << " (seed " << versions->seed
                   << ')';
        io.out << " on " << counted(pages, "page") << '\n';
        return kDone;
    }

private:
    // --versions and --seed read; nullopt after telling the usage.
    static std::optional<Versions> versionsAsked(const Args& a, Console& io) {
        Versions v;
        if (!a.has(option::kVersions)) {
            if (a.has(option::kSeed))
                io.usage(QStringLiteral("--seed goes with --versions"));
            return a.has(option::kSeed) ? std::nullopt : std::optional(v);
        }
        bool ok = false;
        v.count = a.value(option::kVersions).toInt(&ok);
        if (!ok || v.count < 1 || v.count > kMostVersions) {
            io.usage(QStringLiteral("--versions takes a number from 1 to %1").arg(kMostVersions));
            return std::nullopt;
        }
        v.seed =
            a.has(option::kSeed) ? a.value(option::kSeed).toULongLong(&ok) : std::random_device()();
        if (!ok) {
            io.usage(QStringLiteral("--seed takes a whole number from 0 to %1")
                         .arg(std::numeric_limits<std::uint64_t>::max()));
            return std::nullopt;
        }
        return v;
    }

    // The test at `path` as it prints; nullopt after telling why it cannot.
    static std::optional<paper::PaperTest> readTest(const QString& path, Console& io) {
        const auto count = testRecordCount(path, io);
        if (!count)
            return std::nullopt;
        if (!checkedClean(path, io)) {
            io.failed(QStringLiteral("Nothing written: %1 is damaged (see quizdex-tool "
                                     "check and repair).")
                          .arg(path));
            return std::nullopt;
        }
        paper::PaperTest test;
        test.name = storage::rules::testNameFromPath(path);
        const storage::IoStatus st = toolfiles::readRecords(
            path, storage::TestRecord::kSize, *count, [&](int n, const QByteArray& b) {
                storage::TestRecord rec;
                rec.setBytes(b);
                if (n == 1) {
                    test.owner = storage::rightTrimmed(rec.text(storage::TestRecord::Owner));
                    test.keepChoiceOrder = rec.shuffleFlag() == 0;
                } else if (const auto q = exchange::questionOf(rec)) {
                    test.questions.push_back(*q);
                }
            });
        if (!st) {
            io.failed(st);
            return std::nullopt;
        }
        return test;
    }
};

} // namespace

std::unique_ptr<Command> printCommand() {
    return std::make_unique<Print>();
}

} // namespace tool
