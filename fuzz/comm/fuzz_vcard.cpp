// Fuzz target: reading vCard files. Reading must not crash, and every
// contact read must write as a card that reads back to the same contact.
#include <cstddef>
#include <cstdint>

#include "comm/vcard.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const kontavo::VCardReadResult read = kontavo::readVCards(bytes);
    for (const kontavo::VCardContact& contact : read.contacts) {
        const kontavo::VCardReadResult again = kontavo::readVCards(kontavo::writeVCard(contact));
        if (again.contacts.size() != 1 || !again.contacts[0].record.equals(contact.record) ||
            again.contacts[0].categories != contact.categories) {
            __builtin_trap();
        }
    }
    return 0;
}
