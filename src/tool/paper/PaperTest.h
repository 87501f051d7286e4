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
    bool keepChoiceOrder = false; // the author's answer order: as entered
    QString version;              // "A", "B"...; empty for the test as written
};

// The paper test (a heading with a line for the candidate's name and the
// date, then each question numbered, with its choices, TRUE / FALSE or a line
// to write on), or with `key` its answer key (the right answer, letter and
// text, and the explanation), as the bytes of a PDF. `pages` gets the count.
QByteArray printTest(const PaperTest& test, bool key, const QPageSize& size, int* pages = nullptr);
// Versions of a test one after the other, each from a page of its own, its
// heading and every footer naming it ("Version A, page 1 of 2").
QByteArray printVersions(const std::vector<PaperTest>& versions, bool key, const QPageSize& size,
                         int* pages = nullptr);

} // namespace tool::paper
