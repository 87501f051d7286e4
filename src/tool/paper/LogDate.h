#pragma once

#include "ClassResults.h"

#include <QDate>
#include <QHash>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <vector>

namespace tool::results {

// Score log dates read back as ISO 8601 ("2026-03-01") from the text the
// program wrote in the short date format of its LC_TIME ("3/1/26",
// "01.03.26", "1 Mar 2026", "2026-03-01"...). Whether "3/1/26" is the first
// of March or the third of January depends on the locale that wrote it,
// which the log does not say: the order is the one under which most of a
// log's dates read, else most of the class's, else the one of `locale`.
class DateReader {
public:
    // A two-digit year is the latest year ending in those digits that is not
    // past the year after `today`'s (no run is taken in the future).
    explicit DateReader(QLocale locale = QLocale::system(), QDate today = QDate::currentDate());

    // An order of day, month and year (0 the locale's): the one under which
    // the most of `dates` read, `preferred` when it reads as many.
    int orderOf(const QStringList& dates, int preferred);
    // The date in `order`, or in the first order in which it reads; empty
    // when it reads in none.
    QString isoDate(const QString& date, int order);

private:
    // The date as each order reads it, invalid where it does not, and which
    // part has four digits (-1 for none).
    struct Readings {
        std::vector<QDate> dates;
        int fourDigits = -1;
    };
    const Readings& readings(const QString& date);
    int monthNamed(const QString& word);

    QLocale m_locale;
    QDate m_today;
    QStringList m_orders; // "dMy", "Mdy", "yMd": the locale's first
    QHash<QString, Readings> m_readings;
    QHash<QString, int> m_months;
};

// Every entry's ISO date, the entries of one log (one candidate in a row)
// read in one order.
void fillIsoDates(std::vector<Entry>& entries, DateReader& reader);

} // namespace tool::results
