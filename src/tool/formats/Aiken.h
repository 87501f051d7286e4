#pragma once

#include "Exchange.h"

#include <QString>
#include <QStringList>

// Aiken, the plain multiple-choice format: the question on one line, each
// choice on its own ("A) text" or "A. text"), then "ANSWER: A".
namespace tool::aiken {

exchange::ReadResult read(const QString& text);

// One question as Aiken lines, followed by a blank line. What Aiken has no
// place for but can leave out goes into `notes`; what keeps the question out
// altogether into `problems` (then nothing is returned).
QString write(const storage::Question& q, QStringList* notes, QStringList* problems);

} // namespace tool::aiken
