#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace kontavo {

// The material the demonstration contacts are made of, for one culture:
// names, companies, places and the way its people write phone numbers.
// Phone patterns hold '#' for each random digit. Immutable data.
struct DemoCulture {
    QString key;  // "en", "ru", "de"
    QStringList maleFirst;
    QStringList femaleFirst;
    QStringList lastNames;    // male forms; see femaleLastName()
    QStringList patronymics;  // male forms of the middle name (Russian only)
    QStringList companies;
    QStringList jobTitles;
    QStringList departments;
    QStringList streets;
    QStringList cities;
    QStringList regions;
    QString postalPattern;
    QString country;
    uint32_t addressFormat = 0;  // index of the country in the address format table
    QStringList phonePatterns;
    QStringList mailDomains;
    QStringList noteLines;
    QStringList extraPhoneLabels;
};

// English (United States and United Kingdom), Russian and German.
const QList<DemoCulture>& demoCultures();
// Category names to draw a demonstration set from (English, Russian, German).
const QStringList& demoCategoryNames();

// A surname in its female form (Russian "Петров" → "Петрова", "-ский" → "-ская").
QString femaleLastName(const DemoCulture& culture, const QString& lastName);
// A name in Latin letters for e-mail addresses (Cyrillic transliterated,
// umlauts spelt out, other characters dropped), lower-case.
QString latinLogin(const QString& name);

}  // namespace kontavo
