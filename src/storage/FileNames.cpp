#include "FileNames.h"

namespace storage::filename {

namespace {

constexpr char16_t kCarriedFirst = 0xDC80;
constexpr char16_t kCarriedLast = 0xDCFF;

bool isCarried(char16_t c) {
    return c >= kCarriedFirst && c <= kCarriedLast;
}

// Length of the valid UTF-8 sequence at data[i] (its code point in *cp), or 0.
int validSequence(const unsigned char* data, qsizetype size, qsizetype i, char32_t* cp) {
    const unsigned char b = data[i];
    int len = 0;
    unsigned char lo = 0x80, hi = 0xBF; // allowed range of the second byte
    if (b >= 0xC2 && b <= 0xDF) {
        len = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        len = 3;
        lo = b == 0xE0 ? 0xA0 : 0x80; // no overlong forms
        hi = b == 0xED ? 0x9F : 0xBF; // no surrogates
    } else if (b >= 0xF0 && b <= 0xF4) {
        len = 4;
        lo = b == 0xF0 ? 0x90 : 0x80;
        hi = b == 0xF4 ? 0x8F : 0xBF; // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (i + len > size || data[i + 1] < lo || data[i + 1] > hi)
        return 0;
    char32_t v = b & (0x7F >> len);
    for (int k = 1; k < len; ++k) {
        if ((data[i + k] & 0xC0) != 0x80)
            return 0;
        v = (v << 6) | (data[i + k] & 0x3F);
    }
    *cp = v;
    return len;
}

} // namespace

QByteArray toNative(const QString& name) {
    QByteArray out;
    out.reserve(name.size());
    qsizetype plain = 0; // start of the run not yet converted
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name.at(i).unicode();
        if (!isCarried(c) || (i > 0 && name.at(i - 1).isHighSurrogate()))
            continue;
        out += QStringView(name).mid(plain, i - plain).toUtf8();
        out += static_cast<char>(c - 0xDC00);
        plain = i + 1;
    }
    out += QStringView(name).mid(plain).toUtf8();
    return out;
}

QString fromNative(const QByteArray& bytes) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype size = bytes.size();
    QString out;
    out.reserve(size);
    for (qsizetype i = 0; i < size;) {
        if (data[i] < 0x80) {
            out += QChar(data[i++]);
            continue;
        }
        char32_t cp = 0;
        if (const int len = validSequence(data, size, i, &cp)) {
            out += QString::fromUcs4(&cp, 1);
            i += len;
        } else {
            out += QChar(char16_t(0xDC00 + data[i++]));
        }
    }
    return out;
}

QString shown(const QString& name) {
    QString out = name;
    for (qsizetype i = 0; i < out.size(); ++i) {
        if (isCarried(out.at(i).unicode()) && !(i > 0 && out.at(i - 1).isHighSurrogate()))
            out[i] = QChar::ReplacementCharacter;
    }
    return out;
}

} // namespace storage::filename
