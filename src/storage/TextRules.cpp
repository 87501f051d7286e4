#include "TextRules.h"

#include "FileNames.h"

#include <climits>
#include <cmath>
#include <limits>
#include <QCoreApplication>

namespace storage::rules {

double roundHalfEven(double x) {
    return std::nearbyint(x);
} // default FE_TONEAREST mode

std::int64_t roundedRecordCount(std::int64_t length, int recordLength) {
    if (length <= 0 || recordLength <= 0)
        return 0;
    std::int64_t q = length / recordLength;
    const std::int64_t twiceRest = 2 * (length % recordLength);
    if (twiceRest > recordLength || (twiceRest == recordLength && (q % 2) == 1))
        ++q;
    return q;
}

std::optional<std::int16_t> recordCountForLength(std::int64_t length, int recordLength) {
    const std::int64_t q = roundedRecordCount(length, recordLength);
    if (q > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(q);
}

QString numberText(long long n) {
    return n < 0 ? QString::number(n) : QLatin1Char(' ') + QString::number(n);
}

QString numberText(double x) {
    const QString digits = QString::number(x, 'g', 15);
    return x < 0 ? digits : QLatin1Char(' ') + digits;
}

double leadingNumber(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && (text.at(i) == QLatin1Char(' ') || text.at(i) == QLatin1Char('\t')))
        ++i;
    const qsizetype start = i;
    if (i < text.size() && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
        ++i;
    bool anyDigit = false;
    while (i < text.size() && text.at(i).isDigit() && text.at(i).unicode() < 128) {
        ++i;
        anyDigit = true;
    }
    if (i < text.size() && text.at(i) == QLatin1Char('.')) {
        ++i;
        while (i < text.size() && text.at(i).isDigit() && text.at(i).unicode() < 128) {
            ++i;
            anyDigit = true;
        }
    }
    if (!anyDigit)
        return 0.0;
    bool ok = false;
    const double v = text.mid(start, i - start).toDouble(&ok);
    return (ok && std::isfinite(v)) ? v : 0.0;
}

double passingScore(const QString& passingScoreField) {
    const double p = leadingNumber(passingScoreField);
    return p == 0 ? 75 : p;
}

bool passes(double score, double passing) {
    return !(score < passing);
}

int exactPercentage(int correct, int toTake) {
    if (correct <= 0 || toTake <= 0)
        return 0;
    return static_cast<int>((100LL * correct) / toTake);
}

QString testNameFromPath(const QString& path) {
    const qsizetype cut =
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    const QString file = path.mid(cut + 1);
    return file.left(std::max<qsizetype>(0, file.size() - 4));
}

QString fileNameProblem(const QString& name, const QString& extension) {
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return QCoreApplication::translate("TextRules", "The name contains \"/\" or \"\\\".");
    if (name.contains(QChar(0)))
        return QCoreApplication::translate("TextRules", "The name contains a NUL character.");
    if (filename::toNative(name + extension).size() > NAME_MAX)
        return QCoreApplication::translate("TextRules", "The name is too long for a file name.");

    return {};
}

} // namespace storage::rules
