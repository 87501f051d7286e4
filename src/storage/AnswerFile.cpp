#include "AnswerFile.h"

#include "RecordFile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <limits>

namespace storage::answers {

namespace {

constexpr std::array<std::uint32_t, 256> kCrcTable = [] {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}();

// A run's answers go down in pieces of this many bytes at most, so that a
// run of thousands of questions needs no copy of all its records at once.
// Each piece is whole or absent; a run cut between pieces is not whole.
constexpr qsizetype kPieceBytes = 1 << 20;

// Unlike a log, the answer file has no 16-bit counter to keep.
constexpr int kMaxAnswerRecords = std::numeric_limits<int>::max();

std::int16_t toInt16(qsizetype n) {
    return static_cast<std::int16_t>(std::clamp<qsizetype>(
        n, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

bool sameRun(const AnswerRecord& a, const AnswerRecord& b) {
    return std::memcmp(a.data(), b.data(), AnswerRecord::kRunKeySize) == 0;
}

bool logs(const LogRecord& entry, const AnswerRecord& answer) {
    return entry.raw(LogRecord::TestTaken) == answer.raw(AnswerRecord::TestTaken) &&
           entry.raw(LogRecord::DateTaken) == answer.raw(AnswerRecord::DateTaken) &&
           entry.raw(LogRecord::TimeTaken) == answer.raw(AnswerRecord::TimeTaken) &&
           entry.numQuestions() == answer.numQuestions();
}

IoStatus appendAnswers(const QString& logPath, const LogRecord& entry,
                       const std::vector<Given>& answers) {
    const IoResult<std::int16_t> count = RecordFile(logPath, LogRecord::kSize).count();
    // A log that cannot take the entry says so itself; answers no entry
    // can claim are not worth keeping.
    if (!count || *count >= kMaxRecordCount)
        return IoStatus::success();
    RecordFile file(pathForLog(logPath), AnswerRecord::kSize);
    QByteArray piece;
    for (std::size_t i = 0; i < answers.size(); ++i) {
        piece += makeRecord(entry, *count + 1, static_cast<int>(i + 1), answers[i]).bytes();
        if (piece.size() + AnswerRecord::kSize > kPieceBytes || i + 1 == answers.size()) {
            if (const IoResult<int> appended = file.appendAtCount(piece, kMaxAnswerRecords);
                !appended)
                return appended.status();
            piece.clear();
        }
    }
    return IoStatus::success();
}

} // namespace

std::uint32_t checksum(const char* data, qsizetype size) {
    std::uint32_t c = 0xFFFFFFFFu;
    for (qsizetype i = 0; i < size; ++i)
        c = kCrcTable[(c ^ static_cast<unsigned char>(data[i])) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

QString checksumText(std::uint32_t checksum) {
    return QStringLiteral("%1").arg(checksum, 8, 16, QLatin1Char('0')).toUpper();
}

QString pathForLog(const QString& logPath) {
    const QString stem = logPath.endsWith(QLatin1String(".log")) ? logPath.chopped(4) : logPath;
    return stem + QStringLiteral(".answers");
}

AnswerRecord makeRecord(const LogRecord& entry, int logEntry, int asked, const Given& given) {
    AnswerRecord rec; // Reserved stays NULs
    rec.setRaw(AnswerRecord::TestTaken, entry.raw(LogRecord::TestTaken));
    rec.setRaw(AnswerRecord::DateTaken, entry.raw(LogRecord::DateTaken));
    rec.setRaw(AnswerRecord::TimeTaken, entry.raw(LogRecord::TimeTaken));
    rec.setInt16(AnswerRecord::kLogEntryOffset, toInt16(logEntry));
    rec.setInt16(AnswerRecord::kNumQuestionsOffset, entry.numQuestions());
    rec.setInt16(AnswerRecord::kAskedOffset, toInt16(asked));
    rec.setInt16(AnswerRecord::kQuestionRecordOffset, toInt16(given.questionRecord));
    rec.setText(AnswerRecord::Checksum, checksumText(given.checksum));
    rec.setInt16(AnswerRecord::kChoiceOffset, toInt16(given.choice));
    rec.setInt16(AnswerRecord::kRightOffset, given.right ? 1 : 0);
    rec.setText(AnswerRecord::Answer, given.text);
    return rec;
}

RunWritten appendRun(const QString& logPath, const LogRecord& entry,
                     const std::vector<Given>& answers) {
    IoStatus kept = answers.empty() ? IoStatus::success() : appendAnswers(logPath, entry, answers);
    return {std::move(kept), RecordFile(logPath, LogRecord::kSize).appendAtCount(entry.bytes())};
}

std::vector<Span> runsIn(const QList<AnswerRecord>& records) {
    std::vector<Span> runs;
    for (qsizetype first = 0, end = 0; first < records.size(); first = end) {
        end = first + 1;
        if (records[first].asked() == 1) // else the rest of a run cut short, or stray bytes
            while (end < records.size() && sameRun(records[end], records[first]) &&
                   records[end].asked() == records[end - 1].asked() + 1)
                ++end;
        runs.push_back({first, end - first});
    }
    return runs;
}

std::vector<QList<AnswerRecord>> matchToEntries(const QList<LogRecord>& entries,
                                                const QList<AnswerRecord>& records) {
    std::vector<QList<AnswerRecord>> matched(static_cast<std::size_t>(entries.size()));
    for (const Span& run : runsIn(records)) {
        const AnswerRecord& head = records[run.first];
        const int entry = head.logEntry();
        if (head.asked() == 1 && run.count == head.numQuestions() && entry >= 1 &&
            entry <= entries.size() && logs(entries[entry - 1], head))
            matched[static_cast<std::size_t>(entry - 1)] = records.mid(run.first, run.count);
    }
    return matched;
}

IoResult<QList<AnswerRecord>> readFile(const QString& path) {
    const RecordFile file(path, AnswerRecord::kSize);
    const IoResult<std::int64_t> length = file.length();
    if (!length)
        return length.status();
    const std::int64_t whole = *length / AnswerRecord::kSize;
    if (whole > std::numeric_limits<int>::max())
        return IoStatus::systemFailure(path, EFBIG);
    if (whole == 0)
        return QList<AnswerRecord>();
    const IoResult<QByteArray> read = file.readRecords(1, static_cast<int>(whole));
    const QList<AnswerRecord> records = recordsIn<AnswerRecord>(read.value());
    if (!read)
        return {records, read.status()};
    return records;
}

} // namespace storage::answers
