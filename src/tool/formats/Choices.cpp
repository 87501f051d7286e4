#include "Choices.h"

#include <algorithm>
#include <QRegularExpression>

namespace tool::choices {

std::array<QString, kMost> letters(const storage::Question& q) {
    std::array<QString, kMost> out;
    char16_t next = u'A';
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (!q.choices[i].isEmpty())
            out[i] = QChar(next++);
    }
    return out;
}

int shown(const storage::Question& q) {
    return static_cast<int>(std::count_if(q.choices.begin(), q.choices.end(),
                                          [](const QString& c) { return !c.isEmpty(); }));
}

bool namesSeveral(QStringView answer, const std::function<bool(QStringView)>& isOne) {
    static const QRegularExpression separators(QStringLiteral("[ ,;/&]+"));
    const auto parts = answer.split(separators);
    return parts.size() > 1 && std::all_of(parts.begin(), parts.end(), isOne);
}

QString tooManyChoices() {
    return QStringLiteral("more than five choices; a test holds at most five");
}

QString severalRight() {
    return QStringLiteral("more than one right answer; a test marks one");
}

} // namespace tool::choices
