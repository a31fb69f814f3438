#pragma once

#include <QList>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

#include "platform/objectstore.h"
#include "store/record/contactrecord.h"

namespace kontavo {

// One contact as the index takes it: the record read with all properties,
// its extended properties parsed from the notes and its checksum set
// (record.extended.checksum), and the plain text of its notes.
struct IndexedContact {
    ContactRecord record;
    QString notesText;
};

// Reads the contacts database for the index's rebuilds and synchronisation
// (implemented over the object store by the contacts database layer).
// UI thread only.
class ContactReader {
public:
    virtual ~ContactReader() = default;

    // Record count and last-modified time of the contacts database.
    virtual std::optional<DbInfo> databaseInfo() = 0;
    // Every record Oid of the database, ascending.
    virtual std::optional<QList<Oid>> databaseOids() = 0;
    // Visits every record in database order with the checksum computed from
    // its raw properties (read with no property list). False when a read
    // fails with anything but "no more items".
    virtual bool scanChecksums(const std::function<void(Oid, uint32_t)>& visit) = 0;
    // The records created, changed or deleted since the database had the
    // last-modified time `since`, ascending, each once; nullopt when the
    // object store's change log no longer reaches back to that time (or
    // cannot be read), so that only comparing every record tells.
    virtual std::optional<QList<Oid>> changedSince(uint64_t since) = 0;
    // The checksum of record `oid` computed from its raw properties, as
    // scanChecksums() gives it; nullopt in `checksum` when there is no such
    // record. False when it cannot be read.
    virtual bool readChecksum(Oid oid, std::optional<uint32_t>& checksum) = 0;
    // Reads one record completely (notes parsed, checksum set). False when
    // it cannot be read.
    virtual bool readForIndex(Oid oid, IndexedContact& out) = 0;
    // Visits every record, read completely, in database order; `done` counts
    // the records visited so far and `total` is the record count at the
    // start. False when a read fails with anything but "no more items".
    virtual bool readAllForIndex(
        const std::function<void(IndexedContact&& contact, int done, int total)>& visit) = 0;
};

}  // namespace kontavo
