#include "RunAnswers.h"

#include "ClassResults.h"

#include <algorithm>
#include <QRegularExpression>

namespace tool::answers {

namespace {

QString keyOf(const QString& test) {
    return test.toCaseFolded();
}

// What was answered to one version of a question.
struct Tally {
    struct Wrong {
        QString form;  // as answers are compared: upper case
        QString shown; // as first given
        int count = 0;
    };
    int asked = 0;
    int right = 0;
    int topAsked = 0;
    int topRight = 0;
    int bottomAsked = 0;
    int bottomRight = 0;
    std::vector<Wrong> wrong; // in the order first given

    void add(const storage::AnswerRecord& a, bool top, bool bottom) {
        const int r = a.right() ? 1 : 0;
        ++asked, right += r;
        if (top)
            ++topAsked, topRight += r;
        if (bottom)
            ++bottomAsked, bottomRight += r;
        if (r)
            return;
        const QString shown = a.text(storage::AnswerRecord::Answer);
        const QString form = shown.toUpper();
        const auto known = std::find_if(wrong.begin(), wrong.end(),
                                        [&](const Wrong& w) { return w.form == form; });
        if (known == wrong.end())
            wrong.push_back({form, shown, 1});
        else
            ++known->count;
    }
};

Item itemOf(int record, const QString& text, const QString& checksum, bool edited, const Tally& t) {
    Item item;
    item.question = record - 1;
    item.text = text;
    item.checksum = checksum;
    item.edited = edited;
    item.asked = t.asked;
    item.right = t.right;
    for (const Tally::Wrong& w : t.wrong) {
        if (w.count > item.commonWrongCount) {
            item.commonWrong = w.shown.isEmpty() ? QStringLiteral("(blank)") : w.shown;
            item.commonWrongCount = w.count;
        }
    }
    if (t.topAsked > 0 && t.bottomAsked > 0)
        item.discrimination =
            double(t.topRight) / t.topAsked - double(t.bottomRight) / t.bottomAsked;
    // Compared in whole numbers: a share of exactly 30 % or a difference of
    // exactly 0.2 is not flagged by a rounding.
    if (t.asked > 0 && 10 * t.right < 3 * t.asked)
        item.flags << QStringLiteral("facility under 30%");
    if (t.asked > 0 && 10 * t.right > 9 * t.asked)
        item.flags << QStringLiteral("facility over 90%");
    if (item.discrimination &&
        5 * (t.topRight * t.bottomAsked - t.bottomRight * t.topAsked) < t.topAsked * t.bottomAsked)
        item.flags << QStringLiteral("discrimination under 0.2");
    return item;
}

void analyse(ItemReport& report, std::vector<const Run*> runs,
             const std::vector<Question>* questions) {
    std::stable_sort(runs.begin(), runs.end(),
                     [](const Run* a, const Run* b) { return a->score > b->score; });
    const int n = static_cast<int>(runs.size());
    report.runs = n;
    report.groupSize = n < 2 ? 0 : std::max(1, (27 * n + 50) / 100);
    std::map<std::pair<int, QString>, Tally> tallies; // by record and checksum
    for (int i = 0; i < n; ++i)
        for (const storage::AnswerRecord& a : runs[static_cast<std::size_t>(i)]->answers)
            tallies[{a.questionRecord(), a.text(storage::AnswerRecord::Checksum)}].add(
                a, i < report.groupSize, i >= n - report.groupSize);
    if (questions) {
        for (const Question& q : *questions) {
            const QString text = oneLine(q.text);
            const auto now = tallies.find({q.record, q.checksum});
            report.items.push_back(itemOf(q.record, text, q.checksum, false,
                                          now == tallies.end() ? Tally() : now->second));
            if (now != tallies.end())
                tallies.erase(now);
            for (auto it = tallies.lower_bound({q.record, QString()});
                 it != tallies.end() && it->first.first == q.record; it = tallies.erase(it))
                report.items.push_back(itemOf(q.record, text, it->first.second, true, it->second));
        }
    }
    // What the test no longer holds; without the test, every version as it comes.
    for (const auto& [version, tally] : tallies)
        report.items.push_back(
            itemOf(version.first, QString(), version.second, questions != nullptr, tally));
}

} // namespace

std::optional<double> Item::facility() const {
    if (asked == 0)
        return std::nullopt;
    return double(right) / asked;
}

QString oneLine(const QString& text, int width) {
    static const QRegularExpression lineBreak(QStringLiteral("[\\r\\n]"));
    const qsizetype end = text.indexOf(lineBreak);
    QString line = (end < 0 ? text : text.left(end)).trimmed();
    bool more = end >= 0 && !text.mid(end).trimmed().isEmpty();
    if (line.size() > width) {
        line = line.left(width - 1).trimmed();
        more = true;
    }
    return more ? line + QChar(0x2026) : line;
}

std::vector<ItemReport> itemReports(const std::vector<Run>& runs, const Tests& tests) {
    std::vector<ItemReport> reports;
    std::vector<std::vector<const Run*>> answered;
    std::map<QString, std::size_t> at;
    for (const Run& run : runs) {
        const auto [it, fresh] = at.emplace(keyOf(run.test), reports.size());
        if (fresh) {
            reports.push_back({run.test, tests.count(it->first) > 0, 0, 0, 0, {}});
            answered.emplace_back();
        }
        if (run.answers.isEmpty())
            ++reports[it->second].runsWithout;
        else
            answered[it->second].push_back(&run);
    }
    for (std::size_t i = 0; i < reports.size(); ++i) {
        const auto questions = tests.find(keyOf(reports[i].test));
        analyse(reports[i], answered[i], questions == tests.end() ? nullptr : &questions->second);
    }
    return reports;
}

QString itemsCsv(const std::vector<ItemReport>& reports, const csv::Style& style) {
    QString text = style.start();
    text +=
        style.row({QStringLiteral("test"), QStringLiteral("question"), QStringLiteral("text"),
                   QStringLiteral("version"), QStringLiteral("edited since"),
                   QStringLiteral("asked"), QStringLiteral("right"), QStringLiteral("facility %"),
                   QStringLiteral("most given wrong answer"), QStringLiteral("times"),
                   QStringLiteral("discrimination"), QStringLiteral("flags")});
    for (const ItemReport& r : reports) {
        for (const Item& i : r.items) {
            const std::optional<double> facility = i.facility();
            text += style.row(
                {csv::asText(r.test), QString::number(i.question), csv::asText(i.text), i.checksum,
                 i.edited ? QStringLiteral("yes") : QString(), QString::number(i.asked),
                 QString::number(i.right),
                 facility ? style.number(results::percentText(100 * *facility)) : QString(),
                 csv::asText(i.commonWrong),
                 i.commonWrongCount ? QString::number(i.commonWrongCount) : QString(),
                 i.discrimination ? style.number(QString::number(*i.discrimination, 'f', 2))
                                  : QString(),
                 i.flags.join(QStringLiteral("; "))});
        }
    }
    return text;
}

std::vector<AnswerLine> answerLines(const Run& run, const Tests& tests) {
    if (run.answers.isEmpty())
        return {{{}, {}, {}, {}, {}, {}, QStringLiteral("no answers kept for this run")}};
    const auto test = tests.find(keyOf(run.test));
    std::vector<AnswerLine> lines;
    for (const storage::AnswerRecord& a : run.answers) {
        AnswerLine line{QString::number(a.asked()),
                        QString::number(a.questionRecord() - 1),
                        {},
                        a.text(storage::AnswerRecord::Answer).isEmpty()
                            ? QStringLiteral("(blank)")
                            : a.text(storage::AnswerRecord::Answer),
                        {},
                        a.right() ? QStringLiteral("right") : QStringLiteral("wrong"),
                        {}};
        const auto k = static_cast<std::size_t>(a.questionRecord() - 2);
        if (test == tests.end()) {
            line.note = QStringLiteral("the test is not in the folder");
        } else if (k >= test->second.size()) {
            line.note = QStringLiteral("no longer in the test");
        } else {
            const Question& q = test->second[k];
            line.text = q.text;
            line.right = q.right;
            if (q.checksum != a.text(storage::AnswerRecord::Checksum))
                line.note = QStringLiteral("edited since the run");
        }
        lines.push_back(line);
    }
    return lines;
}

QString runTitle(const Run& run) {
    return QStringLiteral("%1, %2 %3, score %4%").arg(run.test, run.date, run.time).arg(run.score);
}

QString answersCsv(const std::vector<Run>& runs, const Tests& tests, const csv::Style& style) {
    QString text = style.start();
    text += style.row({QStringLiteral("candidate"), QStringLiteral("test"), QStringLiteral("date"),
                       QStringLiteral("time"), QStringLiteral("score"), QStringLiteral("asked"),
                       QStringLiteral("question"), QStringLiteral("text"), QStringLiteral("answer"),
                       QStringLiteral("right answer"), QStringLiteral("result"),
                       QStringLiteral("note")});
    for (const Run& run : runs) {
        for (const AnswerLine& l : answerLines(run, tests))
            text += style.row({csv::asText(run.candidate), csv::asText(run.test),
                               csv::asText(run.date), csv::asText(run.time),
                               QString::number(run.score), l.place, l.question, csv::asText(l.text),
                               csv::asText(l.given), csv::asText(l.right), l.result, l.note});
    }
    return text;
}

} // namespace tool::answers
