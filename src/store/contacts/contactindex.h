#pragma once

#include <QList>
#include <QString>
#include <cstdint>
#include <optional>

#include "store/contacts/contactreader.h"
#include "store/record/extendedproperties.h"

namespace kontavo {

class ContactObserver;
class ProgressSink;

// The program's own index of all contacts (the two index files): extended
// properties per contact, and the word trees that answer the search.
// Owned by the contact manager; UI thread only, except the background
// write-back the implementation runs itself.
class ContactIndex {
public:
    enum class OpenResult {
        Rebuild = 0,  // missing or unusable: rebuild completely
        Current = 1,  // usable and current
        Stale = 2,    // usable, but the database changed: synchronise
    };
    enum class SyncResult { Done, NeedsRebuild, Failed };
    // Which contacts a lookup may return: every indexed contact, or the
    // second Oid list of the index.
    enum class Narrowing { All = 0, List1 = 1 };

    virtual ~ContactIndex() = default;

    // Loads both stores and compares them with the database's current
    // record count and last-modified time.
    virtual OpenResult open(const DbInfo& database) = 0;
    // Starts any pending write-back, waits for it, and releases the stores.
    virtual void close() = 0;
    virtual void deleteFiles() = 0;

    // Each change brackets itself with the busy flag and records
    // `databaseTime` in the header: the database's last-modified time as of
    // the last change the index has taken in, never a later one (a later
    // time would hide the changes not yet applied). False when the change
    // could not be applied.
    virtual bool insert(const IndexedContact& contact, uint64_t databaseTime) = 0;
    virtual bool update(const IndexedContact& contact, uint64_t databaseTime) = 0;
    virtual bool remove(Oid oid, uint64_t databaseTime) = 0;
    // Records `databaseTime` as the time the index is current to, without
    // changing a contact: every change up to it has been applied.
    virtual bool recordTime(uint64_t databaseTime) = 0;
    // Loads both stores for reading only, as a program that is not the
    // master does: usable whenever the stores are intact, whatever the
    // database's state or the file flags. Never writes, never rebuilds.
    virtual bool attach() = 0;

    virtual bool readExtended(Oid oid, ExtendedProperties& out) = 0;
    virtual QString pictureName(Oid oid) = 0;
    virtual std::optional<uint32_t> storedChecksum(Oid oid) = 0;
    // Every indexed contact, ascending.
    virtual QList<Oid> allOids() = 0;

    // Full rebuild from the database ("Reindex database" in `progress`).
    // With `userRequested`, both index files are first marked as possibly
    // incomplete in the settings. The index open until then is dropped
    // without being written back.
    virtual bool rebuild(ContactReader& reader, ProgressSink* progress, bool userRequested) = 0;
    // Brings a stale index up to date record by record ("Update indexes"),
    // or tells that a full rebuild is needed (more than 10 changes, 11 or
    // more deletions, an empty or damaged Oid list).
    virtual SyncResult synchronize(ContactReader& reader, ProgressSink* progress) = 0;
    // Rebuilds only the word trees after the letter groups changed,
    // reporting 0..20 through observer->onIndexProgress.
    virtual bool rebuildWords(ContactReader& reader, ContactObserver* observer) = 0;

    // Stops a background write-back in progress and waits for it (called
    // before every change); starts the background write-back of both stores.
    virtual void stopFlush() = 0;
    virtual void startFlush() = 0;

    // Lookups for the search, each sorted ascending without duplicates.
    // Every word of `text` (split at the separators) must prefix an indexed
    // word of the contact.
    virtual QList<Oid> findWords(const QString& text, Narrowing narrowing = Narrowing::All) = 0;
    // Prefix match of a group-rewritten key (the ABC bar's quick search).
    virtual QList<Oid> findGroupKey(const QString& key, Narrowing narrowing = Narrowing::All) = 0;
};

}  // namespace kontavo
