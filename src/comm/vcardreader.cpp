// readVCards(): the contacts of a vCard file.
#include "comm/vcard.h"
#include "comm/vcardcardreader.h"
#include "comm/vcardparser.h"

namespace kontavo {

VCardReadResult readVCards(const QByteArray& bytes) {
    VCardParser parser;
    const QList<VCardCard> cards = parser.parse(bytes);
    VCardReadResult result;
    for (const VCardCard& card : cards) {
        VCardContact contact = VCardCardReader().read(card);
        if (contact.record.isEmpty() && !contact.picture && contact.categories.isEmpty()) {
            ++result.unreadableCards;
        } else {
            result.contacts.append(std::move(contact));
        }
    }
    result.skippedLines = parser.skippedLines();
    return result;
}

std::optional<VCardVersion> vcardVersionNamed(const QString& name) {
    if (name == QLatin1String("3.0")) {
        return VCardVersion::V30;
    }
    if (name == QLatin1String("4.0")) {
        return VCardVersion::V40;
    }
    return std::nullopt;
}

}  // namespace kontavo
