#pragma once

#include "PaperTest.h"

#include <cstdint>
#include <vector>

// Versions A, B, ... of a paper test, so that neighbours in a class do not
// share an order of questions and choices.
namespace tool::paper {

// A generator whose sequence is the same on every platform and with every
// library (splitmix64, and its own draw below a bound): a teacher who kept
// the seed prints the same versions again, years later.
class SeededDraw {
public:
    explicit SeededDraw(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t next();
    // Uniform in 0 .. n - 1, for n > 0.
    std::size_t below(std::size_t n);
    // Fisher and Yates' shuffle.
    template <typename T> void shuffle(std::vector<T>& v) {
        for (std::size_t i = v.size(); i > 1; --i)
            std::swap(v[i - 1], v[below(i)]);
    }

private:
    std::uint64_t m_state;
};

// `count` versions of `test`, lettered from A, drawn one after the other
// from `seed` (so version A is the same whatever the count): each with its
// questions in an order of its own, and the choices of each multiple-choice
// question too, unless the author keeps them as entered. The right answer
// moves with its choice.
std::vector<PaperTest> drawVersions(const PaperTest& test, int count, std::uint64_t seed);

} // namespace tool::paper
