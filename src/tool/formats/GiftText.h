#pragma once

#include <optional>
#include <QString>

// The texts inside a GIFT question: escapes, line breaks and format markers.
namespace tool::gift {

enum class TextFormat { Plain, Html };

// Position of `what` at or after `from` that no backslash takes as text; -1
// when there is none.
qsizetype findUnescaped(QStringView s, QStringView what, qsizetype from = 0);

// The format a text names at its start ("[html]" and the like), and the
// marker's length; nullopt when it names none.
std::optional<TextFormat> markerAt(QStringView t, qsizetype* length);

// A text as written in the file: trimmed, its format marker, escapes and line
// breaks taken; without a marker it has the format of the question.
QString decodeText(QStringView raw, TextFormat format);

// A text as GIFT writes it: the signs GIFT reads escaped, line breaks as "\n",
// and a marker of its own in front of one that a reader would take for a
// comment or for a format marker.
QString encodeText(const QString& s);

} // namespace tool::gift
