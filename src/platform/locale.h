#pragma once

#include <QCollator>
#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>
#include <cstdint>

namespace kontavo {

class AnsiCodec;

// Order of day, month and year in the short date format.
enum class DateOrder { MonthDayYear = 0, DayMonthYear = 1, YearMonthDay = 2 };

// The user's regional settings as the handheld reports them: language id
// (LCID), country code in telephone numbering (1 US, 7 Russia, 49 Germany),
// the ANSI code page, date formats and locale-aware comparison.
//
// Built from QLocale; KONTAVO_LOCALE (for example "de_DE") overrides the
// system locale so that tests can choose. A system locale of C or POSIX
// counts as English (United States), whose collation is Unicode's root one.
// Immutable; thread-safe except compare(), which uses a shared collator and
// must stay on one thread.
class Locale {
public:
    explicit Locale(const QLocale& locale);
    // The process-wide user locale (created on first use).
    static const Locale& user();
    // The locale the program uses for the system locale `system`: English
    // (United States) for C or POSIX, else `system` itself.
    static QLocale forSystem(const QLocale& system);

    const QLocale& qlocale() const { return m_locale; }
    // Windows language id, e.g. 0x0419 Russian, 0x0407 German, 0x0409 English.
    uint16_t languageId() const { return m_lcid; }
    // Primary language part of the language id (low 10 bits).
    uint16_t primaryLanguage() const { return m_lcid & 0x3FF; }
    // Telephone country code of the locale's territory; 1 when unknown.
    int countryCode() const { return m_countryCode; }
    int ansiCodePage() const { return m_codePage; }
    const AnsiCodec& ansiCodec() const;

    // Locale-aware, case-sensitive comparison (<0, 0, >0).
    int compare(const QString& a, const QString& b) const;

    // The short date picture in Windows notation ("M/d/yyyy", "dd.MM.yyyy").
    QString shortDatePicture() const;
    DateOrder dateOrder() const;
    QChar dateSeparator() const;

    // Windows-style pictures: d dd ddd dddd M MM MMM MMMM y yy yyyy for dates,
    // h hh H HH m mm s ss t tt for times; text in single quotes is literal,
    // '' is a quote; every other character stands for itself.
    QString formatDate(const QString& picture, const QDate& date) const;
    QString formatTime(const QString& picture, const QTime& time) const;

private:
    QLocale m_locale;
    uint16_t m_lcid;
    int m_countryCode;
    int m_codePage;
    mutable QCollator m_collator;
};

}  // namespace kontavo
