#pragma once

#include "Exchange.h"

#include <QString>

// GIFT, the text format of Moodle's question banks: questions separated by
// blank lines, "//" comment lines, an optional "::title::", the answers in
// braces ({T}, {=answer}, {=right ~wrong}), "####" before the general
// feedback, and "\" before any of ~ = # { } : taken as text.
namespace tool::gift {

exchange::ReadResult read(const QString& text);

// One question as a GIFT block without the blank line that ends it; the
// extras, when there are any, go on a "// quizdex:" comment line before it,
// which Moodle passes over.
QString write(const storage::Question& q, const exchange::Extras& extras);

// A text as it comes back after write and read.
QString roundTrip(const QString& text);

} // namespace tool::gift
