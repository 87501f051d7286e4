#include "Records.h"

#include <cstring>
#include <QDir>
#include <QFile>
#include <QtEndian>

namespace testing {

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QStringList namesIn(const QString& dir, const QStringList& filters) {
    return QDir(dir).entryList(filters, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden |
                                            QDir::System);
}

QString systemText(int err) {
    return QString::fromLocal8Bit(std::strerror(err));
}

QByteArray cp1252(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out += char(c);
            continue;
        }
        const qsizetype high = kCp1252High.indexOf(text[i]);
        out += high >= 0 ? char(0x80 + high) : '?';
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i; // one character, one '?'
    }
    return out;
}

void putText(QByteArray& record, int offset, int width, const QString& text) {
    record.replace(offset, width, cp1252(text).leftJustified(width, ' ', true));
}

void putInt16(QByteArray& record, int offset, int value) {
    qToLittleEndian(qint16(value), record.data() + offset);
}

QByteArray headerRecord(const Header& h) {
    QByteArray r(kTestRecord, '\0');
    const QString fields[] = {h.owner, h.password, h.right, h.wrong};
    for (int i = 0; i < 4; ++i)
        putText(r, 512 + 200 * i, 200, fields[i]);
    if (h.passing)
        putText(r, 1312, 200, *h.passing);
    putInt16(r, 2512, h.shuffle);
    return r;
}

QByteArray questionRecord(int number, const Fields& q, QByteArray base) {
    putInt16(base, 0, number);
    putText(base, 2, 500, q.text);
    putText(base, 502, 10, q.type);
    for (int i = 0; i < 5; ++i)
        putText(base, 512 + 200 * i, 200, q.choices.value(i));
    if (q.right)
        putText(base, 1512, 200, *q.right);
    putText(base, 1712, 500, q.explanation);
    return base;
}

QByteArray testFile(const Header& header, const QList<Fields>& questions) {
    QByteArray out = headerRecord(header);
    for (qsizetype k = 1; k <= questions.size(); ++k)
        out += questionRecord(int(k), questions[k - 1], out.right(kTestRecord));
    return out;
}

QByteArray testFile(const Header& header, const std::vector<storage::Question>& questions) {
    QList<Fields> fields;
    for (const storage::Question& q : questions) {
        static const QString kinds[] = {QStringLiteral("TRUE/FALSE"), QStringLiteral("TYPED"),
                                        QStringLiteral("MULTIPLE")};
        const QStringList choices(q.choices.begin(), q.choices.end());
        fields.append({kinds[int(q.kind)], q.text, choices,
                       q.correct >= 1 && q.correct <= 5 ? std::optional(choices[q.correct - 1])
                                                        : std::nullopt,
                       q.explanation});
    }
    return testFile(header, fields);
}

QList<Fields> numberedQuestions(int n) {
    QList<Fields> out;
    for (int k = 1; k <= n; ++k)
        out.append({.text = QStringLiteral("Q%1").arg(k),
                    .choices = {QStringLiteral("TRUE"), QStringLiteral("FALSE")},
                    .right = QStringLiteral("TRUE")});
    return out;
}

QByteArray logEntry(const Entry& e) {
    QByteArray r(kLogEntry, '\0');
    putText(r, 30, 10, e.date);
    putText(r, 40, 15, e.time);
    putText(r, 55, 50, e.test);
    putText(r, 105, 6, e.score);
    putInt16(r, 111, e.questions);
    return r;
}

QByteArray answerRecord(const Answer& a) {
    QByteArray r(kAnswerRecord, '\0');
    putText(r, 0, 50, a.run.test);
    putText(r, 50, 10, a.run.date);
    putText(r, 60, 15, a.run.time);
    const int numbers[] = {a.entry, a.run.questions, a.asked, a.record};
    for (int i = 0; i < 4; ++i)
        putInt16(r, 75 + 2 * i, numbers[i]);
    putText(r, 83, 8, a.checksum);
    putInt16(r, 91, a.choice);
    putInt16(r, 93, a.right);
    putText(r, 95, 200, a.text);
    return r;
}

} // namespace testing
