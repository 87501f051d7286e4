#pragma once

#include "Question.h"

#include <QByteArray>
#include <QPageSize>
#include <QString>
#include <vector>

// A test on paper for a class without computers, or its answer key.
namespace tool::paper {

struct PaperTest {
    QString name;  // the test's name, from its file name
    QString owner; // from the header record
    std::vector<storage::Question> questions;
};

// The paper test (a heading with a line for the candidate's name and the
// date, then each question numbered, with its choices, TRUE / FALSE or a line
// to write on), or with `key` its answer key (the right answer, letter and
// text, and the explanation), as the bytes of a PDF. `pages` gets the count.
QByteArray printTest(const PaperTest& test, bool key, const QPageSize& size, int* pages = nullptr);

} // namespace tool::paper
