#pragma once

#include <QList>
#include <QString>
#include <QStringView>
#include <array>
#include <optional>

namespace kontavo {

// The five parts of a postal address, the same fixed slots for every country.
enum AddressSlot : int {
    kSlotStreet = 0,
    kSlotCity = 1,
    kSlotRegion = 2,
    kSlotPostalCode = 3,
    kSlotCountry = 4,
    kAddressSlotCount = 5
};

// The values of an address by slot.
using AddressParts = std::array<QString, kAddressSlotCount>;

// How one country writes an address: which slots it uses, what it calls them
// and in which order they are laid out. For every accepted entry the orders
// of the used slots are exactly 0..k-1 for k used slots.
struct AddressFormat {
    int code = 0;  // the country's telephone code; 0 where none is assigned
    QString name;  // the country name the format chooser lists
    // Per slot: the part's name ("Street", "PostalCode"); empty when unused.
    std::array<QString, kAddressSlotCount> partLabel;
    // Per slot: the 0-based layout position, or -1 when unused.
    std::array<int, kAddressSlotCount> partOrder{-1, -1, -1, -1, -1};

    bool operator==(const AddressFormat&) const = default;
};

// Parses one entry text: "049 Germany,0 Street,2 City,,1 PostalCode,3 Country"
// (docs/address-formats.md). nullopt when the entry is rejected: 4 characters
// or fewer, an empty country name, an order that is not a digit, or orders of
// the used slots that are not exactly 0..k-1.
std::optional<AddressFormat> parseAddressFormat(QStringView text);

// The used slots sorted by their layout position.
QList<int> layoutOrder(const AddressFormat& format);

// The address on one line: the parts in layout order, each after the first
// non-empty one preceded by one space (so empty parts still add their space).
QString joinAddress(const AddressFormat& format, const AddressParts& parts);

}  // namespace kontavo
