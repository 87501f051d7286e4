// Any bytes as an answer file, paired with a log whose entries are made from
// its own records (so that runs match): every run the pairing takes is whole,
// names its entry and is asked from 1 on; the runs cover the file once, in order.
#include "AnswerFile.h"
#include "FuzzInput.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString path = inputAsFile(data, size, QStringLiteral("fuzz.answers"));
    const storage::IoResult<QList<storage::AnswerRecord>> read = storage::answers::readFile(path);
    if (!read || read->size() != qsizetype(size / storage::AnswerRecord::kSize))
        std::abort();
    const QList<storage::AnswerRecord>& records = *read;
    QList<storage::LogRecord> entries;
    for (const storage::AnswerRecord& a : records) {
        storage::LogRecord e;
        e.setRaw(storage::LogRecord::TestTaken, a.raw(storage::AnswerRecord::TestTaken));
        e.setRaw(storage::LogRecord::DateTaken, a.raw(storage::AnswerRecord::DateTaken));
        e.setRaw(storage::LogRecord::TimeTaken, a.raw(storage::AnswerRecord::TimeTaken));
        e.setNumQuestions(a.numQuestions());
        entries.append(e);
    }
    qsizetype next = 0;
    for (const storage::answers::Span& run : storage::answers::runsIn(records)) {
        if (run.first != next || run.count < 1)
            std::abort();
        next += run.count;
    }
    if (next != records.size())
        std::abort();
    const auto matched = storage::answers::matchToEntries(entries, records);
    for (std::size_t k = 0; k < matched.size(); ++k) {
        const QList<storage::AnswerRecord>& run = matched[k];
        for (qsizetype i = 0; i < run.size(); ++i)
            if (run[i].logEntry() != qsizetype(k) + 1 || run[i].asked() != i + 1 ||
                run[i].numQuestions() != run.size())
                std::abort();
    }
    return 0;
}
