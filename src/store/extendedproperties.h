#pragma once

#include <QList>
#include <QString>
#include <array>
#include <cstdint>

#include "store/filetime.h"

namespace kontavo {

// A (label, value) pair: an extended phone, e-mail, web page, person, linked
// file (the value is a file path) or other property.
struct LabeledValue {
    QString label;
    QString value;

    bool operator==(const LabeledValue&) const = default;
};

// An instant-messenger account: the account is the address or number on the
// messaging service, the type names the service.
struct MessengerEntry {
    QString label;
    QString account;
    QString type;

    bool operator==(const MessengerEntry&) const = default;
};

// An extra postal address. The parts (slots 0-4) are street, city, region, postal code
// and country; the format code indexes the table of country address formats.
struct ExtendedAddress {
    static constexpr int kSlotCount = 5;

    QString label;
    std::array<QString, kSlotCount> parts;
    uint32_t formatCode = 0;

    bool allSlotsEmpty() const;
    bool operator==(const ExtendedAddress&) const = default;
};

// An extra date, kept as midnight of the day.
struct ExtendedDate {
    QString label;
    FileTime time = 0;

    bool operator==(const ExtendedDate&) const = default;
};

// What a contact keeps beyond the database's own properties: stored in the
// notes block and, serialised, in the index. A plain value.
struct ExtendedProperties {
    QList<LabeledValue> phones;
    QList<LabeledValue> emails;
    QList<LabeledValue> webPages;
    QList<LabeledValue> people;
    QList<LabeledValue> links;
    QList<LabeledValue> otherProps;
    QList<MessengerEntry> messengers;
    QList<ExtendedAddress> addresses;
    QList<ExtendedDate> dates;
    // Country format codes of the three standard addresses; 0 = not set.
    uint32_t homeAddressFormat = 0;
    uint32_t workAddressFormat = 0;
    uint32_t otherAddressFormat = 0;
    // File name of the contact's picture (no folder); empty = none.
    QString image;
    // The record checksum, set when the record is read for indexing.
    uint32_t checksum = 0;

    // True when the nine lists are empty, `image` is empty and the three
    // format codes are 0 (the checksum does not count).
    bool isEmpty() const;
    void clear() { *this = ExtendedProperties(); }
    // Every part, checksum included, lists element-wise in order.
    bool operator==(const ExtendedProperties&) const = default;
};

}  // namespace kontavo
