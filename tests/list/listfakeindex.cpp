#include "listfakeindex.h"

namespace kontavo::test {

bool ListFakeIndex::insert(const IndexedContact& contact, uint64_t) {
    contacts[contact.record.oid] = contact;
    return true;
}

bool ListFakeIndex::readExtended(Oid oid, ExtendedProperties& out) {
    const auto found = contacts.find(oid);
    if (found == contacts.end()) {
        return false;
    }
    out = found->second.record.extended;
    return true;
}

std::optional<uint32_t> ListFakeIndex::storedChecksum(Oid oid) {
    const auto found = contacts.find(oid);
    return found == contacts.end() ? std::nullopt
                                   : std::optional(found->second.record.extended.checksum);
}

QList<Oid> ListFakeIndex::allOids() {
    QList<Oid> oids;
    for (const auto& entry : contacts) {
        oids.append(entry.first);
    }
    return oids;
}

bool ListFakeIndex::rebuild(ContactReader& reader, ProgressSink*, bool) {
    contacts.clear();
    return reader.readAllForIndex([this](IndexedContact&& contact, int, int) {
        contacts[contact.record.oid] = std::move(contact);
    });
}

QList<Oid> ListFakeIndex::findWords(const QString& text, Narrowing) {
    QList<Oid> found;
    const QString word = text.trimmed().toLower();
    for (const auto& [oid, contact] : contacts) {
        for (ContactField field : {ContactField::LastName, ContactField::FirstName}) {
            if (contact.record.field(field).toLower().startsWith(word)) {
                found.append(oid);
                break;
            }
        }
    }
    return found;
}

}  // namespace kontavo::test
