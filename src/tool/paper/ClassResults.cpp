#include "ClassResults.h"

#include "TextRules.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace tool::results {

bool judge(const QString& score, std::optional<double> passing) {
    return storage::rules::passes(storage::rules::leadingNumber(score),
                                  passing.value_or(storage::rules::passingScore({})));
}

QString percentText(double percent) {
    // Rounded first, so that 69.96 is "70", not "70.0".
    const double tenths = std::round(percent * 10);
    return QString::number(tenths / 10, 'f', std::fmod(tenths, 10) == 0 ? 0 : 1);
}

QString csvText(const std::vector<Entry>& entries, const csv::Style& style) {
    QString text = style.start();
    text.reserve(qsizetype(entries.size()) * 80);
    text += style.row({QStringLiteral("candidate"), QStringLiteral("test"), QStringLiteral("date"),
                       QStringLiteral("ISO date"), QStringLiteral("time"),
                       QStringLiteral("questions"), QStringLiteral("score"),
                       QStringLiteral("passing score"), QStringLiteral("result")});
    for (const Entry& e : entries) {
        const QString passing =
            e.passing ? style.number(storage::rules::numberText(*e.passing).trimmed()) : QString();
        text += style.row({csv::asText(e.candidate), csv::asText(e.test), csv::asText(e.date),
                           e.isoDate, csv::asText(e.time), QString::number(e.questions),
                           csv::asText(style.number(e.score)), passing,
                           e.passed ? QStringLiteral("pass") : QStringLiteral("fail")});
    }
    return text;
}

std::vector<TestReport> reports(const std::vector<Entry>& entries) {
    std::vector<TestReport> out;
    std::map<QString, std::size_t> testAt;
    std::vector<std::map<QString, std::size_t>> candidateAt;
    for (const Entry& e : entries) {
        // Test names are file names, which letter case does not tell apart.
        const QString key = e.test.toCaseFolded();
        auto t = testAt.find(key);
        if (t == testAt.end()) {
            t = testAt.emplace(key, out.size()).first;
            out.push_back({e.test, e.passing, e.passingFrom, {}, 0, 0, 0});
            candidateAt.emplace_back();
        }
        TestReport& r = out[t->second];
        if (!r.passing) {
            r.passing = e.passing;
            r.passingFrom = e.passingFrom;
        }
        auto& at = candidateAt[t->second];
        auto c = at.find(e.candidate);
        if (c == at.end()) {
            c = at.emplace(e.candidate, r.candidates.size()).first;
            r.candidates.push_back({e.candidate, 0, 0, 0, false});
        }
        Standing& s = r.candidates[c->second];
        const double score = storage::rules::leadingNumber(e.score);
        s.best = s.entries == 0 ? score : std::max(s.best, score);
        s.latest = score;
        s.passed = e.passed;
        ++s.entries;
    }
    for (TestReport& r : out) {
        std::vector<double> latest;
        for (const Standing& s : r.candidates) {
            latest.push_back(s.latest);
            r.passedCount += s.passed ? 1 : 0;
        }
        std::sort(latest.begin(), latest.end());
        const std::size_t n = latest.size();
        double sum = 0;
        for (const double x : latest)
            sum += x;
        r.mean = n > 0 ? sum / double(n) : 0;
        r.median = n == 0 ? 0 : n % 2 ? latest[n / 2] : (latest[n / 2 - 1] + latest[n / 2]) / 2;
    }
    return out;
}

} // namespace tool::results
