#pragma once

#include <QByteArray>
#include <QString>

// Text fields of the record files are one byte per character in the Windows
// ANSI code page 1252, which is what files written on the original platform hold.
namespace storage::cp1252 {

// One byte per code point; a code point the code page cannot hold becomes '?'.
QByteArray encode(const QString& text);
// Whether the code page has a byte for the code point.
bool holds(char32_t codePoint);
QString decode(const char* data, qsizetype size);
inline QString decode(const QByteArray& bytes) {
    return decode(bytes.constData(), bytes.size());
}

} // namespace storage::cp1252
