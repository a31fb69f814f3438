#pragma once

#include <QByteArray>
#include <QCollatorSortKey>
#include <QString>
#include <optional>
#include <vector>

#include "platform/objectstore.h"

namespace kontavo {

class ObjectStoreCore;

// The records of one database ordered by one property, read at one moment.
// Records without the property come last; equal values are ordered by Oid.
// Integers and FILETIMEs compare as numbers, blobs bytewise, strings by the
// user's locale (then by code unit, so that only equal strings are equal).
class ObjectStoreSortOrder {
public:
    struct Entry {
        Oid oid = 0;
        bool present = false;
        int64_t number = 0;  // Int16, Int32; FileTime as its 64 bits
        QString text;
        QByteArray bytes;
        std::optional<QCollatorSortKey> key;  // strings only
    };

    explicit ObjectStoreSortOrder(PropTag tag) : m_tag(tag) {}

    // Reads the sort value of every record of `db`. A record whose bytes
    // cannot be decoded is ordered as one without the property.
    bool build(ObjectStoreCore& core, Oid db, DbError& error);

    PropTag tag() const { return m_tag; }
    qsizetype size() const { return qsizetype(m_entries.size()); }
    const Entry& at(qsizetype index) const { return m_entries[size_t(index)]; }
    // The index of `oid`, -1 when it is not in the order.
    qsizetype indexOf(Oid oid) const;
    // The first index whose value equals `value` exactly, -1 when none.
    qsizetype firstEqual(const PropValue& value) const;
    // The first index ordered after `entry` (taken from any order of the
    // same property).
    qsizetype firstAfter(const Entry& entry) const;

private:
    Entry entryFor(Oid oid, const std::optional<PropValue>& value) const;
    bool less(const Entry& a, const Entry& b) const;
    int compareValues(const Entry& a, const Entry& b) const;

    PropTag m_tag;
    std::vector<Entry> m_entries;
};

}  // namespace kontavo
