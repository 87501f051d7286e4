#include "GiftText.h"

#include "TextLines.h"

#include <QRegularExpression>

namespace tool::gift {

namespace {

const QString kSpecials = QStringLiteral("\\~=#{}:");
const QString kFormats[] = {QStringLiteral("[html]"), QStringLiteral("[moodle]"),
                            QStringLiteral("[plain]"), QStringLiteral("[markdown]")};

QString htmlToText(const QString& html) {
    static const QRegularExpression spaces(QStringLiteral("\\s+"));
    static const QRegularExpression breaks(
        QStringLiteral("<\\s*br\\s*/?\\s*>|</\\s*(p|div|li|h[1-6]|tr)\\s*>"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression tags(QStringLiteral("<[^>]*>"));
    static const QRegularExpression blanksAroundBreaks(QStringLiteral(" *\r\n *"));
    static const QRegularExpression entity(QStringLiteral("&(#[0-9]+|#[xX][0-9a-fA-F]+|[a-z]+);"));
    QString s = html;
    s.replace(spaces, QStringLiteral(" ")); // as a browser shows them
    s.replace(breaks, QStringLiteral("\r\n"));
    s.remove(tags);
    s.replace(blanksAroundBreaks, QStringLiteral("\r\n"));
    QString out;
    qsizetype done = 0;
    for (auto it = entity.globalMatch(s); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QString name = m.captured(1);
        char32_t cp = 0;
        if (name.startsWith(QLatin1String("#x")) || name.startsWith(QLatin1String("#X")))
            cp = name.mid(2).toUInt(nullptr, 16);
        else if (name.startsWith(QLatin1Char('#')))
            cp = name.mid(1).toUInt();
        else if (name == QLatin1String("amp"))
            cp = U'&';
        else if (name == QLatin1String("lt"))
            cp = U'<';
        else if (name == QLatin1String("gt"))
            cp = U'>';
        else if (name == QLatin1String("quot"))
            cp = U'"';
        else if (name == QLatin1String("apos"))
            cp = U'\'';
        else if (name == QLatin1String("nbsp"))
            cp = 0xA0;
        out += s.mid(done, m.capturedStart() - done);
        out += cp > 0 && cp <= 0x10FFFF ? QString::fromUcs4(&cp, 1) : m.captured();
        done = m.capturedEnd();
    }
    out += s.mid(done);
    return lines::trimmed(out).toString();
}

} // namespace

qsizetype findUnescaped(QStringView s, QStringView what, qsizetype from) {
    for (qsizetype i = from; i < s.size(); ++i) {
        if (s[i] == QLatin1Char('\\')) {
            ++i;
            continue;
        }
        if (s.mid(i).startsWith(what))
            return i;
    }
    return -1;
}

std::optional<TextFormat> markerAt(QStringView t, qsizetype* length) {
    for (const QString& f : kFormats) {
        if (t.startsWith(f, Qt::CaseInsensitive)) {
            *length = f.size();
            return f == QLatin1String("[html]") ? TextFormat::Html : TextFormat::Plain;
        }
    }
    return std::nullopt;
}

QString decodeText(QStringView raw, TextFormat format) {
    QStringView t = lines::trimmed(raw);
    qsizetype marker = 0;
    if (const auto named = markerAt(t, &marker)) {
        format = *named;
        t = t.mid(marker);
    }
    QString out;
    out.reserve(t.size());
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c == QLatin1Char('\\') && i + 1 < t.size()) {
            const QChar next = t[i + 1];
            if (next == QLatin1Char('n')) {
                out += QLatin1String("\r\n");
                ++i;
                continue;
            }
            if (kSpecials.contains(next)) {
                out += next;
                ++i;
                continue;
            }
        }
        if (c == QLatin1Char('\n'))
            out += QLatin1String("\r\n");
        else
            out += c;
    }
    return format == TextFormat::Html ? htmlToText(out) : out;
}

QString encodeText(const QString& s) {
    QString out;
    out.reserve(s.size() + 8);
    const QStringView t = lines::trimmed(s);
    qsizetype marker = 0;
    if (t.startsWith(QLatin1String("//")) || markerAt(t, &marker))
        out += QLatin1String("[moodle]");
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            out += QLatin1String("\\n");
            if (c == QLatin1Char('\r') && i + 1 < s.size() && s.at(i + 1) == QLatin1Char('\n'))
                ++i;
            continue;
        }
        if (kSpecials.contains(c))
            out += QLatin1Char('\\');
        out += c;
    }
    return out;
}

} // namespace tool::gift
