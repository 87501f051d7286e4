#pragma once

#include "Exchange.h"

#include <QString>

// Moodle XML, the format Moodle's question bank exports by default: a <quiz>
// of <question type="..."> elements, each with its <name>, <questiontext>,
// <generalfeedback> and <answer fraction="..."> elements. A test's questions
// go as multichoice (one right answer), truefalse and shortanswer (one
// accepted answer), their texts as plain text.
namespace tool::moodlexml {

// The questions of a file; a file that is not well-formed XML is fatal, with
// its line and column.
exchange::ReadResult read(const QString& text);

// What comes before the questions and after them.
QString fileStart();
QString fileEnd();
// One question as a <question> element; the extras, when there are any, go
// into a "quizdex:" comment before it, which Moodle passes over.
QString write(const storage::Question& q, const exchange::Extras& extras);

// A text as it comes back after write and read.
QString roundTrip(const QString& text);

} // namespace tool::moodlexml
