#include "LogDate.h"

#include <algorithm>

namespace tool::results {

namespace {

// The order of day, month and year in the locale's short date format.
QString fieldOrder(const QLocale& locale) {
    QString order;
    for (const QChar c : locale.dateFormat(QLocale::ShortFormat)) {
        if ((c == u'd' || c == u'M' || c == u'y') && !order.contains(c))
            order += c;
    }
    return order.size() == 3 ? order : QStringLiteral("dMy");
}

// A run of digits (its number, and how many digits) or of letters.
struct Part {
    QString letters;
    int number = 0;
    int digits = 0;
};

// The runs of digits and of letters in `text`; anything else separates them.
std::vector<Part> partsOf(const QString& text) {
    enum class Run { None, Digits, Letters };
    std::vector<Part> parts;
    Run in = Run::None;
    for (const QChar c : text) {
        const Run run = c.isDigit() ? Run::Digits : c.isLetter() ? Run::Letters : Run::None;
        if (run != Run::None && run != in)
            parts.emplace_back();
        if (run == Run::Digits && ++parts.back().digits <= 4)
            parts.back().number = parts.back().number * 10 + c.digitValue();
        else if (run == Run::Letters)
            parts.back().letters += c;
        in = run;
    }
    return parts;
}

} // namespace

DateReader::DateReader(QLocale locale, QDate today)
    : m_locale(std::move(locale)), m_today(today), m_orders{fieldOrder(m_locale)} {
    // On a tie the day first, then the month: a year first is rarely written
    // with two digits, which would read almost any date.
    for (const QString& other :
         {QStringLiteral("dMy"), QStringLiteral("Mdy"), QStringLiteral("yMd")}) {
        if (!m_orders.contains(other))
            m_orders << other;
    }
}

// 1 to 12 for a month's name or abbreviation, in the locale or in English (the
// C locale's "1 Mar 2026"); 0 for any other word.
int DateReader::monthNamed(const QString& word) {
    if (const auto known = m_months.constFind(word); known != m_months.constEnd())
        return *known;
    int month = 0;
    const QLocale english(QLocale::English);
    for (int m = 1; m <= 12 && month == 0; ++m) {
        for (const QLocale& l : {m_locale, english}) {
            for (const auto format : {QLocale::ShortFormat, QLocale::LongFormat}) {
                for (QString name : {l.monthName(m, format), l.standaloneMonthName(m, format)}) {
                    if (word.compare(name.remove(u'.'), Qt::CaseInsensitive) == 0)
                        month = m;
                }
            }
        }
    }
    m_months.insert(word, month);
    return month;
}

const DateReader::Readings& DateReader::readings(const QString& date) {
    if (const auto known = m_readings.constFind(date); known != m_readings.constEnd())
        return *known;
    const std::vector<Part> parts = partsOf(date);
    Readings out;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (parts[i].digits == 4)
            out.fourDigits = int(i);
    }
    for (const QString& order : m_orders) {
        int day = 0, month = 0, year = 0;
        bool fits = parts.size() == 3;
        for (std::size_t i = 0; fits && i < parts.size(); ++i) {
            const Part& p = parts[i];
            const QChar field = order.at(qsizetype(i));
            if (field == u'M')
                month =
                    !p.letters.isEmpty() ? monthNamed(p.letters) : (p.digits <= 2 ? p.number : 0);
            else if (!p.letters.isEmpty())
                fits = false; // a name where a number belongs
            else if (field == u'd')
                day = p.digits <= 2 ? p.number : 0;
            else if (p.digits == 4)
                year = p.number;
            else if (p.digits <= 2)
                year = m_today.year() + 1 - (m_today.year() + 1 - p.number) % 100;
        }
        out.dates.push_back(fits && year > 0 ? QDate(year, month, day) : QDate());
    }
    return *m_readings.insert(date, std::move(out));
}

int DateReader::orderOf(const QStringList& dates, int preferred) {
    std::vector<int> counts(std::size_t(m_orders.size()));
    for (const QString& d : dates) {
        const std::vector<QDate>& r = readings(d).dates;
        for (std::size_t o = 0; o < r.size(); ++o)
            counts[o] += r[o].isValid() ? 1 : 0;
    }
    const auto most = std::max_element(counts.begin(), counts.end());
    return counts[std::size_t(preferred)] == *most ? preferred : int(most - counts.begin());
}

QString DateReader::isoDate(const QString& date, int order) {
    const Readings& r = readings(date);
    // Another order only where the year stays in its place, or stands out
    // by its four digits: "31.02.26" is no date, not 26 February 1931.
    const qsizetype yearAt = m_orders[order].indexOf(u'y');
    for (qsizetype o = -1; o < m_orders.size(); ++o) {
        const qsizetype tried = o < 0 ? order : o;
        const qsizetype at = m_orders[tried].indexOf(u'y');
        if (r.dates[std::size_t(tried)].isValid() && (at == yearAt || at == r.fourDigits))
            return r.dates[std::size_t(tried)].toString(Qt::ISODate);
    }
    return {};
}

void fillIsoDates(std::vector<Entry>& entries, DateReader& reader) {
    QStringList all;
    for (const Entry& e : entries)
        all << e.date;
    const int classOrder = reader.orderOf(all, 0);
    for (auto first = entries.begin(); first != entries.end();) {
        const auto end = std::find_if(
            first, entries.end(), [&](const Entry& e) { return e.candidate != first->candidate; });
        QStringList dates;
        for (auto e = first; e != end; ++e)
            dates << e->date;
        const int order = reader.orderOf(dates, classOrder);
        for (auto e = first; e != end; ++e)
            e->isoDate = reader.isoDate(e->date, order);
        first = end;
    }
}

} // namespace tool::results
