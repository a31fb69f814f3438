#include "platform/locale.h"

#include "platform/ansicodec.h"
#include "platform/localetables.h"

namespace kontavo {

namespace {

QLocale userQLocale() {
    const QString overrideName = qEnvironmentVariable("KONTAVO_LOCALE");
    return overrideName.isEmpty() ? Locale::forSystem(QLocale::system()) : QLocale(overrideName);
}

// Length of the run of `c` starting at `pos`.
qsizetype runLength(const QString& picture, qsizetype pos) {
    qsizetype end = pos;
    while (end < picture.size() && picture[end] == picture[pos]) {
        ++end;
    }
    return end - pos;
}

QString twoDigits(int value) { return QString::number(value).rightJustified(2, QLatin1Char('0')); }

// Walks a Windows picture: quoted text is literal, runs of field letters
// are handed to `field`, everything else is copied.
template <typename Field>
QString expandPicture(const QString& picture, const QString& letters, Field field) {
    QString out;
    for (qsizetype i = 0; i < picture.size();) {
        const QChar c = picture[i];
        if (c == QLatin1Char('\'')) {
            qsizetype j = i + 1;
            if (j < picture.size() && picture[j] == QLatin1Char('\'')) {
                out += QLatin1Char('\'');
                i = j + 1;
                continue;
            }
            // Quoted text runs to the next lone quote; a doubled quote
            // inside it stands for one quote.
            while (j < picture.size()) {
                if (picture[j] == QLatin1Char('\'')) {
                    if (j + 1 < picture.size() && picture[j + 1] == QLatin1Char('\'')) {
                        out += QLatin1Char('\'');
                        j += 2;
                        continue;
                    }
                    break;
                }
                out += picture[j++];
            }
            i = j + 1;
            continue;
        }
        if (letters.contains(c)) {
            const qsizetype n = runLength(picture, i);
            out += field(c, int(n));
            i += n;
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}

}  // namespace

Locale::Locale(const QLocale& locale)
    : m_locale(locale),
      m_lcid(localetables::languageId(locale)),
      m_countryCode(localetables::countryCode(locale.territory())),
      m_codePage(localetables::ansiCodePage(m_lcid & 0x3FF)),
      m_collator(locale) {
    if (m_countryCode == 0) {
        m_countryCode = 1;
    }
    if ((m_lcid & 0x3FF) == 0x04) {
        const auto t = locale.territory();
        m_codePage = (t == QLocale::Taiwan || t == QLocale::HongKong) ? 950 : 936;
    }
    m_collator.setCaseSensitivity(Qt::CaseSensitive);
}

// The C and POSIX locales order by code point ("Brown" before "Bäckerei",
// "Zoe" before "adam") and know no language; people expect the root
// collation, which English uses, and English formats.
QLocale Locale::forSystem(const QLocale& system) {
    if (system.language() == QLocale::C) {
        return QLocale(QLocale::English, QLocale::UnitedStates);
    }
    return system;
}

const Locale& Locale::user() {
    static const Locale instance(userQLocale());
    return instance;
}

const AnsiCodec& Locale::ansiCodec() const { return AnsiCodec::forCodePage(m_codePage); }

int Locale::compare(const QString& a, const QString& b) const { return m_collator.compare(a, b); }

QString Locale::shortDatePicture() const {
    // Qt's pattern letters for the fields we use match the Windows ones.
    QString picture = m_locale.dateFormat(QLocale::ShortFormat);
    picture.replace(QStringLiteral("yyyy"), QStringLiteral("\x01"));
    picture.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    picture.replace(QStringLiteral("\x01"), QStringLiteral("yyyy"));
    return picture;
}

DateOrder Locale::dateOrder() const {
    const QString picture = shortDatePicture();
    const qsizetype d = picture.indexOf(QLatin1Char('d'));
    const qsizetype m = picture.indexOf(QLatin1Char('M'));
    const qsizetype y = picture.indexOf(QLatin1Char('y'));
    if (y >= 0 && y < m && y < d) {
        return DateOrder::YearMonthDay;
    }
    return (d >= 0 && d < m) ? DateOrder::DayMonthYear : DateOrder::MonthDayYear;
}

QChar Locale::dateSeparator() const {
    for (QChar c : shortDatePicture()) {
        if (!c.isLetter() && c != QLatin1Char('\'')) {
            return c;
        }
    }
    return QLatin1Char('/');
}

QString Locale::formatDate(const QString& picture, const QDate& date) const {
    return expandPicture(picture, QStringLiteral("dMyg"), [&](QChar c, int n) -> QString {
        switch (c.unicode()) {
            case 'd':
                if (n == 1) return QString::number(date.day());
                if (n == 2) return twoDigits(date.day());
                return m_locale.dayName(date.dayOfWeek(),
                                        n == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
            case 'M':
                if (n == 1) return QString::number(date.month());
                if (n == 2) return twoDigits(date.month());
                return m_locale.monthName(date.month(),
                                          n == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
            case 'y':
                if (n == 1) return QString::number(date.year() % 100);
                if (n == 2) return twoDigits(date.year() % 100);
                return QString::number(date.year()).rightJustified(4, QLatin1Char('0'));
            default:
                return QString();  // era ("gg") is not used on this platform
        }
    });
}

QString Locale::formatTime(const QString& picture, const QTime& time) const {
    return expandPicture(picture, QStringLiteral("hHmst"), [&](QChar c, int n) -> QString {
        const auto pad = [n](int v) { return n >= 2 ? twoDigits(v) : QString::number(v); };
        switch (c.unicode()) {
            case 'h': {
                const int h12 = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
                return pad(h12);
            }
            case 'H':
                return pad(time.hour());
            case 'm':
                return pad(time.minute());
            case 's':
                return pad(time.second());
            default: {
                const QString marker = time.hour() < 12 ? m_locale.amText() : m_locale.pmText();
                return n == 1 ? marker.left(1) : marker;
            }
        }
    });
}

}  // namespace kontavo
