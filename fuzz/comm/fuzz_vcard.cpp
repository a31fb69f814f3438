// Fuzz target: reading vCard files. Reading must not crash, and every
// contact read must write as a card (3.0 and 4.0) that reads back to the
// same contact.
#include <cstddef>
#include <cstdint>

#include "comm/vcard.h"

namespace {

void expectRoundTrip(const kontavo::VCardContact& contact, kontavo::VCardVersion version) {
    const kontavo::VCardReadResult again =
        kontavo::readVCards(kontavo::writeVCard(contact, kontavo::Locale::user(), version));
    if (again.contacts.size() != 1 || !again.contacts[0].record.equals(contact.record) ||
        again.contacts[0].categories != contact.categories ||
        again.contacts[0].picture != contact.picture) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const kontavo::VCardReadResult read = kontavo::readVCards(bytes);
    for (const kontavo::VCardContact& contact : read.contacts) {
        expectRoundTrip(contact, kontavo::VCardVersion::V30);
        expectRoundTrip(contact, kontavo::VCardVersion::V40);
    }
    return 0;
}
