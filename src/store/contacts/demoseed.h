#pragma once

#include <QList>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <random>

#include "store/record/contactrecord.h"

namespace kontavo {

class ContactsDatabase;
class Locale;
struct DemoCulture;

// Deterministic, realistic demonstration contacts: English, Russian and
// German people with companies, zero to five phones written the way each
// country writes them, e-mail addresses, postal addresses with their
// country format, categories, dates, and extended properties; a quarter of
// them with a note, some of those Pocket Word Ink documents. The same seed
// always gives the same contacts. Used by kontavo-store's "seed" and by the
// application's demonstration set.
class DemoSeed {
public:
    explicit DemoSeed(uint32_t seed);

    // 10 to 20 category names, the same for a seed.
    QStringList categoryNames() const;
    // The next contact, not yet stored: its user note and extended
    // properties are set, its notes blob is not. It is put in up to three
    // of the categories at `categoryPositions`.
    ContactRecord nextContact(const QList<int>& categoryPositions);

private:
    int roll(int below);
    bool chance(int percent);
    const QString& pick(const QStringList& items);
    QString digits(const QString& pattern);

    void addNames(ContactRecord& record, const DemoCulture& culture, bool female);
    void addWork(ContactRecord& record, const DemoCulture& culture);
    void addPhones(ContactRecord& record, const DemoCulture& culture);
    void addMail(ContactRecord& record, const DemoCulture& culture);
    void addAddresses(ContactRecord& record, const DemoCulture& culture);
    void addDates(ContactRecord& record);
    void addExtras(ContactRecord& record, const DemoCulture& culture);
    void addNote(ContactRecord& record, const DemoCulture& culture);
    void addCategories(ContactRecord& record, const QList<int>& positions);

    uint32_t m_seed;
    std::mt19937 m_random;
    int m_counter = 0;
};

// Writes `count` demonstration contacts into the open database: first the
// categories (a category of the same name is reused), then the contacts in
// batches of kDemoBatchSize records, each batch one transaction, with their
// notes built from the extended properties and the category references
// counted. `progress` is told the number written after every committed
// batch. False when something cannot be written; the batches committed
// before stay.
inline constexpr int kDemoBatchSize = 1000;
using DemoSeedProgress = std::function<void(int written, int total)>;
bool seedDemoContacts(ContactsDatabase& db, int count, uint32_t seed, const Locale& locale,
                      const DemoSeedProgress& progress = {});

}  // namespace kontavo
