#include "TextLines.h"

#include <QList>
#include <QStringDecoder>

namespace tool::lines {

QStringView trimmed(QStringView s) {
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && isBlank(s[begin]))
        ++begin;
    while (end > begin && isBlank(s[end - 1]))
        --end;
    return s.mid(begin, end - begin);
}

void forEachLine(QStringView text, const std::function<void(QStringView, int)>& f) {
    int number = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != QLatin1Char('\n') && text[i] != QLatin1Char('\r'))
            continue;
        if (i == text.size() && start == i)
            break; // no line after the last line break
        f(text.mid(start, i - start), ++number);
        if (i + 1 < text.size() && text[i] == QLatin1Char('\r') && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
}

std::optional<QString> fromUtf8(const QByteArray& bytes, int* badLine) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder(bytes);
    if (decoder.hasError()) {
        // The line of the first byte that is not UTF-8: decode line by line.
        int line = 0;
        for (const QByteArray& part : bytes.split('\n')) {
            ++line;
            QStringDecoder one(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            const QString decoded = one(part);
            if (one.hasError())
                break;
        }
        *badLine = line;
        return std::nullopt;
    }
    return text; // the decoder drops a byte order mark
}

} // namespace tool::lines
