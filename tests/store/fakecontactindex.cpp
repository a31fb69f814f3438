#include "fakecontactindex.h"

#include "diag/fatal.h"

namespace kontavo::test {

ContactIndex::OpenResult FakeContactIndex::open(const DbInfo&) {
    calls.append("open");
    return openResult;
}

void FakeContactIndex::close() {
    calls.append("close");
}

bool FakeContactIndex::insert(const IndexedContact& contact, uint64_t databaseTime) {
    calls.append("insert");
    if (throwOnInsert) {
        raiseFatal(FatalCode::OutOfMemory);
    }
    if (failInsert) {
        return false;
    }
    lastDatabaseTime = databaseTime;
    contacts[contact.record.oid] = contact;
    return true;
}

bool FakeContactIndex::update(const IndexedContact& contact, uint64_t databaseTime) {
    calls.append("update");
    if (throwOnUpdate) {
        raiseFatal(FatalCode::OutOfMemory);
    }
    if (failUpdate || contacts.count(contact.record.oid) == 0) {
        return false;
    }
    lastDatabaseTime = databaseTime;
    contacts[contact.record.oid] = contact;
    return true;
}

bool FakeContactIndex::remove(Oid oid, uint64_t databaseTime) {
    calls.append("remove");
    if (failRemove) {
        return false;
    }
    lastDatabaseTime = databaseTime;
    return contacts.erase(oid) == 1;
}

bool FakeContactIndex::recordTime(uint64_t databaseTime) {
    calls.append("recordTime");
    lastDatabaseTime = databaseTime;
    return true;
}

bool FakeContactIndex::attach() {
    calls.append("attach");
    return attachable;
}

bool FakeContactIndex::readExtended(Oid oid, ExtendedProperties& out) {
    const auto it = contacts.find(oid);
    if (it == contacts.end()) {
        return false;
    }
    out = it->second.record.extended;
    return true;
}

QString FakeContactIndex::pictureName(Oid oid) {
    const auto it = contacts.find(oid);
    return it == contacts.end() ? QString() : it->second.record.extended.image;
}

std::optional<uint32_t> FakeContactIndex::storedChecksum(Oid oid) {
    const auto it = contacts.find(oid);
    if (it == contacts.end()) {
        return std::nullopt;
    }
    return it->second.record.extended.checksum;
}

QList<Oid> FakeContactIndex::allOids() {
    QList<Oid> oids;
    for (const auto& entry : contacts) {
        oids.append(entry.first);
    }
    return oids;
}

bool FakeContactIndex::rebuild(ContactReader& reader, ProgressSink*, bool userRequested) {
    calls.append("rebuild");
    lastRebuildUserRequested = userRequested;
    contacts.clear();
    if (duringRebuild) {
        duringRebuild();
    }
    return reader.readAllForIndex([this](IndexedContact&& contact, int, int) {
        contacts[contact.record.oid] = std::move(contact);
    });
}

ContactIndex::SyncResult FakeContactIndex::synchronize(ContactReader&, ProgressSink*) {
    calls.append("synchronize");
    return syncResult;
}

bool FakeContactIndex::rebuildWords(ContactReader&, ContactObserver*) {
    calls.append("rebuildWords");
    return true;
}

QList<Oid> FakeContactIndex::findWords(const QString& text, Narrowing) {
    QList<Oid> oids;
    for (const auto& [oid, contact] : contacts) {
        if (contact.notesText.contains(text, Qt::CaseInsensitive)) {
            oids.append(oid);
        }
    }
    return oids;
}

}  // namespace kontavo::test
