#pragma once

#include <functional>
#include <optional>
#include <QByteArray>
#include <QString>
#include <QStringView>

// Lines and blanks of the text files the tool reads.
namespace tool::lines {

// Blank, tab, CR or LF: what the text formats trim around their parts.
inline bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') ||
           c == QLatin1Char('\n');
}
QStringView trimmed(QStringView s);

// Calls `f` with each line (without its CR LF, LF or CR) and its number from 1.
void forEachLine(QStringView text, const std::function<void(QStringView, int)>& f);

// UTF-8 without its byte order mark; nullopt when it is not UTF-8, with the
// number of the first line that is not.
std::optional<QString> fromUtf8(const QByteArray& bytes, int* badLine);

} // namespace tool::lines
