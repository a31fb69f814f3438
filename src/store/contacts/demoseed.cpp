#include "store/contacts/demoseed.h"

#include <QDate>
#include <algorithm>

#include "diag/resources.h"
#include "store/contacts/categorymask.h"
#include "store/contacts/contactsdatabase.h"
#include "store/contacts/democulture.h"
#include "store/notes/extendedblock.h"
#include "store/notes/inkdocumentedit.h"
#include "store/notes/pocketwordink.h"
#include "store/notes/utf16note.h"

namespace kontavo {

namespace {

using F = ContactField;

// Standard phone fields in the order a contact's numbers fill them.
const QList<F> kPhoneSlots = {F::MobilePhone, F::WorkPhone,  F::HomePhone, F::WorkFax,
                              F::WorkPhone2,  F::HomePhone2, F::Pager,     F::CarPhone};

// A Pocket Word Ink user note: the empty note template with one paragraph per line.
QByteArray inkNote(const QStringList& lines) {
    const std::optional<QByteArray> base = loadResource(QStringLiteral("NOTE"), 170);
    if (!base) {
        return {};
    }
    QList<QByteArray> paragraphs;
    for (const QString& line : lines) {
        paragraphs.append(ink::plainParagraphText(line));
    }
    return ink::appendInkParagraphs(*base, paragraphs).value_or(QByteArray());
}

FileTime midnight(int year, int month, int day) {
    return fileTimeFromDate(QDate(year, month, day)).value_or(0);
}

}  // namespace

DemoSeed::DemoSeed(uint32_t seed) : m_seed(seed), m_random(seed) {}

int DemoSeed::roll(int below) {
    return below <= 0 ? 0 : int(m_random() % uint32_t(below));
}

bool DemoSeed::chance(int percent) {
    return roll(100) < percent;
}

const QString& DemoSeed::pick(const QStringList& items) {
    return items[roll(int(items.size()))];
}

QString DemoSeed::digits(const QString& pattern) {
    QString text = pattern;
    for (QChar& c : text) {
        if (c == QLatin1Char('#')) {
            c = QChar(u'0' + roll(10));
        }
    }
    return text;
}

QStringList DemoSeed::categoryNames() const {
    std::mt19937 random(m_seed ^ 0x5EEDCA75u);
    QStringList names = demoCategoryNames();
    for (qsizetype i = names.size() - 1; i > 0; --i) {
        std::swap(names[i], names[qsizetype(random() % uint32_t(i + 1))]);
    }
    return names.mid(0, 10 + qsizetype(random() % 11));
}

ContactRecord DemoSeed::nextContact(const QList<int>& categoryPositions) {
    ++m_counter;
    const QList<DemoCulture>& cultures = demoCultures();
    const DemoCulture& culture = cultures[roll(int(cultures.size()))];
    ContactRecord record;
    addNames(record, culture, chance(50));
    addWork(record, culture);
    addPhones(record, culture);
    addMail(record, culture);
    addAddresses(record, culture);
    addDates(record);
    addExtras(record, culture);
    addNote(record, culture);
    addCategories(record, categoryPositions);
    if (chance(20)) {
        if (const std::optional<uint32_t> item = record.nextPreferredItem(1)) {
            record.preferredItemTag = *item;
        }
    }
    return record;
}

void DemoSeed::addNames(ContactRecord& record, const DemoCulture& culture, bool female) {
    const QString first = pick(female ? culture.femaleFirst : culture.maleFirst);
    const QString last =
        female ? femaleLastName(culture, pick(culture.lastNames)) : pick(culture.lastNames);
    const bool companyOnly = chance(4);
    if (!companyOnly) {
        record.setField(F::FirstName, first);
        record.setField(F::LastName, last);
        record.setField(F::FileAs, last + QStringLiteral(", ") + first);
    }
    if (!culture.patronymics.isEmpty() && chance(45)) {
        QString middle = pick(culture.patronymics);
        if (female) {
            middle = middle.chopped(2) + QStringLiteral("на");
        }
        record.setField(F::MiddleName, middle);
    } else if (chance(8)) {
        record.setField(F::MiddleName, QString(QChar(u'A' + roll(26))) + QLatin1Char('.'));
    }
    if (chance(7)) {
        record.setField(F::Title, culture.key == QLatin1String("de") ? QStringLiteral("Dr.")
                                                                     : QStringLiteral("Prof."));
    }
    if (chance(2)) {
        record.setField(F::Suffix, QStringLiteral("Jr."));
    }
    if (companyOnly) {
        record.setField(F::Company, pick(culture.companies));
        record.setField(F::FileAs, record.field(F::Company));
    }
}

void DemoSeed::addWork(ContactRecord& record, const DemoCulture& culture) {
    if (record.field(F::Company).isEmpty() && chance(60)) {
        record.setField(F::Company, pick(culture.companies));
    }
    if (chance(50)) {
        record.setField(F::JobTitle, pick(culture.jobTitles));
    }
    if (chance(25)) {
        record.setField(F::Department, pick(culture.departments));
    }
    if (chance(10)) {
        record.setField(
            F::Office,
            QStringLiteral("%1%2").arg(1 + roll(9)).arg(roll(40), 2, 10, QLatin1Char('0')));
    }
}

void DemoSeed::addPhones(ContactRecord& record, const DemoCulture& culture) {
    const int count = roll(6);
    for (int i = 0; i < count; ++i) {
        const QString number = digits(pick(culture.phonePatterns));
        if (i < 3 || chance(50)) {
            record.setField(kPhoneSlots[std::min(i, int(kPhoneSlots.size()) - 1)], number);
        } else {
            record.extended.phones.append({pick(culture.extraPhoneLabels), number});
        }
    }
    if (chance(3)) {
        record.setField(F::AssistantName, pick(culture.femaleFirst));
        record.setField(F::AssistantPhone, digits(pick(culture.phonePatterns)));
    }
}

void DemoSeed::addMail(ContactRecord& record, const DemoCulture& culture) {
    QString login = latinLogin(record.field(F::FirstName));
    const QString last = latinLogin(record.field(F::LastName));
    login = login.isEmpty() ? QStringLiteral("info") : login + QLatin1Char('.') + last;
    const QString numbered = login + QString::number(m_counter % 100);
    if (chance(70)) {
        record.setField(F::Email1, login + QLatin1Char('@') + pick(culture.mailDomains));
    }
    if (chance(20)) {
        record.setField(F::Email2, numbered + QLatin1Char('@') + pick(culture.mailDomains));
    }
    if (chance(8)) {
        record.extended.emails.append(
            {QStringLiteral("Private"), numbered + QStringLiteral("@example.net")});
    }
    if (chance(15)) {
        record.setField(F::WebPage, QStringLiteral("http://www.") + pick(culture.mailDomains));
    }
    if (chance(4)) {
        record.extended.webPages.append(
            {QStringLiteral("Blog"), QStringLiteral("https://blog.example.org/") + login});
    }
}

void DemoSeed::addAddresses(ContactRecord& record, const DemoCulture& culture) {
    struct Slots {
        F street, city, region, postal, country;
        uint32_t ExtendedProperties::*format;
        int percent;
    };
    const Slots addresses[] = {{F::HomeStreet, F::HomeCity, F::HomeRegion, F::HomePostalCode,
                                F::HomeCountry, &ExtendedProperties::homeAddressFormat, 40},
                               {F::WorkStreet, F::WorkCity, F::WorkRegion, F::WorkPostalCode,
                                F::WorkCountry, &ExtendedProperties::workAddressFormat, 30},
                               {F::OtherStreet, F::OtherCity, F::OtherRegion, F::OtherPostalCode,
                                F::OtherCountry, &ExtendedProperties::otherAddressFormat, 4}};
    for (const Slots& a : addresses) {
        if (!chance(a.percent)) {
            continue;
        }
        record.setField(a.street, pick(culture.streets));
        record.setField(a.city, pick(culture.cities));
        record.setField(a.region, pick(culture.regions));
        record.setField(a.postal, digits(culture.postalPattern));
        record.setField(a.country, culture.country);
        if (chance(80)) {
            record.extended.*a.format = culture.addressFormat;
        }
    }
    if (chance(4)) {
        record.extended.addresses.append({QStringLiteral("Dacha"),
                                          {pick(culture.streets), pick(culture.cities), QString(),
                                           digits(culture.postalPattern), culture.country},
                                          culture.addressFormat});
    }
}

void DemoSeed::addDates(ContactRecord& record) {
    if (chance(35)) {
        record.birthday = midnight(1945 + roll(60), 1 + roll(12), 1 + roll(28));
    }
    if (chance(8)) {
        record.anniversary = midnight(1970 + roll(50), 1 + roll(12), 1 + roll(28));
    }
    if (chance(4)) {
        record.extended.dates.append(
            {QStringLiteral("Name day"), midnight(2000, 1 + roll(12), 1 + roll(28))});
    }
}

void DemoSeed::addExtras(ContactRecord& record, const DemoCulture& culture) {
    if (chance(10)) {
        record.setField(F::Spouse, pick(chance(50) ? culture.femaleFirst : culture.maleFirst));
    }
    if (chance(5)) {
        record.setField(F::Children,
                        pick(culture.femaleFirst) + QStringLiteral(", ") + pick(culture.maleFirst));
    }
    if (chance(10)) {
        const QStringList services = {"ICQ", "Skype", "Jabber", "AIM", "MSN"};
        const QString& type = pick(services);
        const QString account =
            type == QLatin1String("ICQ")
                ? digits(QStringLiteral("#########"))
                : latinLogin(record.field(F::LastName)) + QString::number(roll(1000));
        record.extended.messengers.append({QStringLiteral("IM"), account, type});
    }
    if (chance(5)) {
        record.extended.people.append({QStringLiteral("Friend"), pick(culture.maleFirst)});
    }
    if (chance(3)) {
        record.extended.links.append(
            {QStringLiteral("Contract"),
             QStringLiteral("\\My Documents\\Contract %1.doc").arg(2000 + roll(25))});
    }
    if (chance(5)) {
        record.extended.otherProps.append(
            {QStringLiteral("Cust.ID"), digits(QStringLiteral("C-#####"))});
    }
}

void DemoSeed::addNote(ContactRecord& record, const DemoCulture& culture) {
    if (!chance(25)) {
        return;
    }
    QStringList lines = {pick(culture.noteLines)};
    if (chance(40)) {
        lines.append(pick(culture.noteLines));
    }
    record.userNote = chance(40) ? inkNote(lines) : utf16Note(lines.join(QStringLiteral("\r\n")));
}

void DemoSeed::addCategories(ContactRecord& record, const QList<int>& positions) {
    if (positions.isEmpty() || chance(40)) {
        return;
    }
    QList<int> chosen;
    const int count = 1 + roll(3);
    for (int i = 0; i < count; ++i) {
        chosen.append(positions[roll(int(positions.size()))]);
    }
    record.categoryMask = categorymask::fromPositions(chosen);
}

namespace {

bool seedCategories(ContactsDatabase& db, const DemoSeed& seed, QList<int>& positions) {
    CategoriesDBManager& categories = db.categories();
    for (const QString& name : seed.categoryNames()) {
        Oid oid = 0;
        if (categories.addCategory(name, &oid) == CategoriesDBManager::AddResult::Failed) {
            return false;
        }
        const std::optional<std::pair<QString, int>> category = categories.readCategory(oid);
        if (!category || category->second < 0) {
            return false;
        }
        positions.append(category->second);
    }
    return true;
}

bool seedBatch(ContactsDatabase& db, DemoSeed& seed, const QList<int>& positions, int count,
               const Locale& locale) {
    return db.store().runBatch([&] {
        for (int i = 0; i < count; ++i) {
            ContactRecord record = seed.nextContact(positions);
            const std::optional<QByteArray> notes =
                writeBlock(record.userNote, record.extended, locale);
            if (!notes) {
                return false;
            }
            record.notesBlob = *notes;
            if (!db.createRecord(record)) {
                return false;
            }
        }
        return true;
    });
}

}  // namespace

bool seedDemoContacts(ContactsDatabase& db, int count, uint32_t seed, const Locale& locale,
                      const DemoSeedProgress& progress) {
    DemoSeed generator(seed);
    QList<int> positions;
    if (!db.isOpen() || !seedCategories(db, generator, positions)) {
        return false;
    }
    for (int written = 0; written < count;) {
        const int batch = std::min(kDemoBatchSize, count - written);
        if (!seedBatch(db, generator, positions, batch, locale)) {
            return false;
        }
        written += batch;
        if (progress) {
            progress(written, count);
        }
    }
    return true;
}

}  // namespace kontavo
