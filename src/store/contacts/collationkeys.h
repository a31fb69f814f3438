#pragma once

#include <QCollator>
#include <QCollatorSortKey>
#include <QHash>
#include <QList>
#include <QString>
#include <vector>

namespace kontavo {

class Locale;

// The collator the contact list sorts with: the locale's, case-sensitive.
QCollator listCollator(const Locale& locale);

// Sort keys of the list collator, each distinct text keyed once, so that a
// sort of many strings does not collate pair by pair. An absent (null)
// string keys as the empty one. Keys compare as the collator compares their
// texts. Not thread-safe.
class CollationKeys {
public:
    explicit CollationKeys(const Locale& locale) : m_collator(listCollator(locale)) {}

    // The key number of `text`; equal texts share one.
    int indexOf(const QString& text);
    // Negative, zero or positive as the texts of keys `a` and `b` collate.
    int compare(int a, int b) const { return a == b ? 0 : m_keys[a].compare(m_keys[b]); }
    // The number of distinct keys.
    int size() const { return int(m_keys.size()); }

private:
    QCollator m_collator;
    QHash<QString, int> m_index;
    QList<QCollatorSortKey> m_keys;
};

}  // namespace kontavo
