#pragma once

#include <QList>

#include "platform/objectstore.h"
#include "store/contacts/categoryfilter.h"
#include "store/contacts/listentry.h"

namespace kontavo {

// The list queries of the contacts database: for each candidate record the
// seven list properties are read and turned into a ListEntry, kept when the
// category filter accepts its mask. Entries come in database order.
//
// A query fails (false) when a read fails with anything but "no more
// items", leaving the entries found so far in `out`; a record deleted by
// another program while the query runs is skipped. Works on a handle the
// caller owns and moves its position. UI thread only.
class ListQuery {
public:
    // Below this many list entries fewer than the database's records, an Oid
    // list is answered by seeking each Oid; otherwise by one scan.
    static constexpr int kScanMargin = 10;

    explicit ListQuery(ObjectDatabase& db) : m_db(db) {}

    // Every record.
    bool all(const CategoryFilter& filter, QList<ListEntry>& out);
    // The records whose Oids `oids` holds. With at least (record count − 10)
    // Oids, the list is sorted and the whole database scanned, keeping the
    // records found in it by bisection; otherwise each Oid is sought and
    // read, skipping those that cannot be sought.
    bool ofOids(const QList<Oid>& oids, const CategoryFilter& filter, QList<ListEntry>& out);

    // The entry for the seven properties of listEntryTags() as read.
    static ListEntry entryOf(const DbRecord& read);

private:
    bool scan(const QList<Oid>* sortedOids, const CategoryFilter& filter, QList<ListEntry>& out);
    bool seekEach(const QList<Oid>& sortedOids, const CategoryFilter& filter,
                  QList<ListEntry>& out);
    void keep(const DbRecord& read, const CategoryFilter& filter, QList<ListEntry>& out);

    ObjectDatabase& m_db;
};

}  // namespace kontavo
