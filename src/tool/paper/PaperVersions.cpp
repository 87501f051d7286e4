#include "PaperVersions.h"

#include <limits>

namespace tool::paper {

using storage::Question;

std::uint64_t SeededDraw::next() {
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

std::size_t SeededDraw::below(std::size_t n) {
    // Draws at or above the last whole multiple of n are drawn again, so that
    // every value is as likely as the others.
    const std::uint64_t bound = n;
    const std::uint64_t rest = (std::numeric_limits<std::uint64_t>::max() % bound + 1) % bound;
    std::uint64_t x = next();
    while (rest != 0 && x > std::numeric_limits<std::uint64_t>::max() - rest)
        x = next();
    return static_cast<std::size_t>(x % bound);
}

namespace {

// The question with its filled choices in a drawn order, the empty ones
// after them; the right answer follows its choice.
Question withChoicesDrawn(const Question& q, SeededDraw& draw) {
    std::vector<std::size_t> filled, order;
    for (std::size_t i = 0; i < q.choices.size(); ++i)
        (q.choices[i].isEmpty() ? order : filled).push_back(i);
    draw.shuffle(filled);
    order.insert(order.begin(), filled.begin(), filled.end());
    Question out = q;
    for (std::size_t k = 0; k < order.size(); ++k) {
        out.choices[k] = q.choices[order[k]];
        if (q.correct == int(order[k]) + 1)
            out.correct = int(k) + 1;
    }
    return out;
}

} // namespace

std::vector<PaperTest> drawVersions(const PaperTest& test, int count, std::uint64_t seed) {
    SeededDraw draw(seed);
    std::vector<PaperTest> versions;
    for (int v = 0; v < count; ++v) {
        PaperTest version = test;
        version.version = QChar(char16_t(u'A' + v));
        draw.shuffle(version.questions);
        for (Question& q : version.questions) {
            if (q.kind == storage::QuestionKind::Multiple && !test.keepChoiceOrder)
                q = withChoicesDrawn(q, draw);
        }
        versions.push_back(std::move(version));
    }
    return versions;
}

} // namespace tool::paper
