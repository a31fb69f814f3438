#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

#include "store/record/extendedproperties.h"

namespace kontavo {

// The record a contact keeps in the property store ("pim_index2.dat"): its
// extended properties serialised as a 60-byte head (length, checksum, the
// three address format codes, ten section offsets) followed by the sections
// Phones, Emails, WebPages, People, Links, OtherProps, Messengers, Addresses,
// Dates and the Image string. The byte layout is written up in
// docs/formats/index-files.md.
//
// Pure functions; safe on any bytes and on any thread. Strings are stored up
// to their first NUL character (a NUL ends a stored string).
class PropsRecord {
public:
    static constexpr uint32_t kHeadBytes = 60;

    static QByteArray encode(const ExtendedProperties& properties);
    // The properties of a record; nullopt when any length, offset or string
    // leaves the record or the sections are out of order.
    static std::optional<ExtendedProperties> decode(QByteArrayView record);
    // The checksum at offset 4 (nullopt for a record shorter than its head).
    static std::optional<uint32_t> checksumOf(QByteArrayView record);
    // The Image string alone; empty when the record has none.
    static std::optional<QString> imageOf(QByteArrayView record);

    // Entry sizes in bytes, as stored at the start of each entry.
    static uint32_t pairEntryBytes(QStringView label, QStringView value);
    static uint32_t messengerEntryBytes(const MessengerEntry& messenger);
    static uint32_t addressEntryBytes(const ExtendedAddress& address);
    static uint32_t dateEntryBytes(QStringView label);
};

}  // namespace kontavo
