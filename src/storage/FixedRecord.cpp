#include "FixedRecord.h"

namespace storage {

QString rightTrimmed(const QString& s) {
    qsizetype n = s.size();
    while (n > 0 && s.at(n - 1) == QLatin1Char(' '))
        --n;
    return s.left(n);
}

QByteArray rightTrimmedBytes(const QByteArray& b) {
    qsizetype n = b.size();
    while (n > 0 && b.at(n - 1) == ' ')
        --n;
    return b.left(n);
}

} // namespace storage
