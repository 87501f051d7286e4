#pragma once

#include "AnswerRecord.h"
#include "IoResult.h"
#include "LogRecord.h"
#include "TestRecord.h"

#include <cstdint>
#include <QList>
#include <QString>
#include <vector>

// Each answer of a finished run, kept in NAME.answers beside the score log
// NAME.log. A run's answers count only once its log entry is there: they go
// down first, naming the entry they are for, so that a run killed between the
// two leaves answers that no entry claims, and the next run's take their place.
namespace storage::answers {

// One answer as the run hands it over.
struct Given {
    int questionRecord = 0;     // the question's record in the test file
    std::uint32_t checksum = 0; // of that record as it was asked
    int choice = 0;             // see AnswerRecord::choice
    QString text;               // as chosen or typed
    bool right = false;
};

// CRC-32 (as zip has it) of a question record.
std::uint32_t checksum(const char* data, qsizetype size);
inline std::uint32_t checksum(const TestRecord& r) {
    return checksum(r.data(), TestRecord::kSize);
}
QString checksumText(std::uint32_t checksum);

// NAME.answers beside the score log NAME.log.
QString pathForLog(const QString& logPath);

// The record of `given`, question `asked` of the run whose entry is to be
// record `logEntry` of its log.
AnswerRecord makeRecord(const LogRecord& entry, int logEntry, int asked, const Given& given);

struct RunWritten {
    IoStatus answers;    // whether the answers were kept
    IoResult<int> entry; // the entry's record number
};
// A finished run's answers, then its entry `entry`, appended to the log at
// `logPath` and its answer file.
RunWritten appendRun(const QString& logPath, const LogRecord& entry,
                     const std::vector<Given>& answers);

// The records of one run in an answer file: `count` from index `first`.
struct Span {
    qsizetype first = 0;
    qsizetype count = 0;
};
// The runs of an answer file in the order written: records of one run follow
// one another, from question 1 on. A run cut short is a span of its own, and
// so is each record that starts no run.
std::vector<Span> runsIn(const QList<AnswerRecord>& records);

// The answers of each log entry: element k holds those of entry k + 1 in the
// order asked, none for a run that kept none. A run counts only whole: all of
// its questions, naming an entry that logs the same test, date, time and
// number of questions. Of runs naming one entry the last one written wins.
std::vector<QList<AnswerRecord>> matchToEntries(const QList<LogRecord>& entries,
                                                const QList<AnswerRecord>& records);

// The whole records of the answer file at `path`; a missing file holds none.
IoResult<QList<AnswerRecord>> readFile(const QString& path);

} // namespace storage::answers
