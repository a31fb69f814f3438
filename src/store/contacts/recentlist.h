#pragma once

#include <QList>
#include <QString>

#include "store/record/proptag.h"

namespace kontavo {

class Registry;

// A short list of Oids kept in the settings under a key of its own: "Count"
// and one DWORD per entry named "0", "1", ... Two such lists exist:
// - "Categories": the recently chosen categories of the list's category
//   filter, oldest first; a chosen entry moves to the end, and when the list
//   is full the first (oldest) is dropped. Its capacity is what the filter's
//   pop-up menu can show (categoryMenuCapacity()).
// - "Categories\Recent": the recently used contacts, most recent first; a
//   used entry moves to the front, and when the list is full the last is
//   dropped. Capacity 20.
// Oid 0 is never an entry, and no Oid appears twice. Changes stay in memory
// until save(). UI thread only; `registry` must outlive the list.
class RecentList {
public:
    enum class Order { OldestFirst, NewestFirst };

    // The recently chosen categories, holding at most `capacity` entries.
    static RecentList categories(Registry& registry, int capacity);
    // The recently used contacts.
    static RecentList contacts(Registry& registry);

    RecentList(Registry& registry, QString subkey, int capacity, Order order);

    // Replaces the entries by the stored ones, skipping zeros and repeats
    // and keeping the newest `capacity` of them.
    void load();
    // Deletes every value of the key (not the keys below it), then writes
    // "Count" and the entries.
    bool save();

    // Records `oid` as used now. Oid 0 is ignored.
    void touch(Oid oid);
    void remove(const QList<Oid>& oids);
    // Drops every entry that is not among `oids` (for example, Oids that no
    // longer name a contact or a category).
    void retainOnly(const QList<Oid>& oids);

    const QList<Oid>& entries() const { return m_entries; }
    int capacity() const { return m_capacity; }
    bool isFull() const { return m_entries.size() >= m_capacity; }

private:
    void trim();

    Registry& m_registry;
    QString m_subkey;
    int m_capacity;
    Order m_order;
    QList<Oid> m_entries;
};

// How many categories the filter menu can list: ⌊available height / menu
// line height⌋ − 4 (room for "Recent", "All Contacts", "No Categories" and
// "More..."), never below 0.
int categoryMenuCapacity(int availableHeight, int menuLineHeight);

}  // namespace kontavo
