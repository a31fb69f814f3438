// Fuzz target: address-format entry parsing. Input: UTF-8 lines, one entry
// each; the first two bytes choose the locale country code.
#include <cstddef>
#include <cstdint>

#include "card/addressformattable.h"

namespace {

// Every accepted entry uses the orders 0..k-1 once each.
void checkAccepted(const kontavo::AddressFormat& format) {
    const QList<int> order = kontavo::layoutOrder(format);
    for (int position = 0; position < order.size(); ++position) {
        if (format.partOrder[order[position]] != position) {
            __builtin_trap();
        }
    }
    if (format.name.isEmpty()) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    const int country = data[0] | (data[1] << 8);
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2));
    const QStringList entries = text.split(u'\n');
    for (const QString& entry : entries) {
        if (const auto format = kontavo::parseAddressFormat(entry)) {
            checkAccepted(*format);
        }
    }
    const kontavo::AddressFormatTable table(entries, country);
    const kontavo::AddressParts parts{"street", "city", "", "code", "country"};
    for (int index = -1; index <= table.count(); ++index) {
        (void)table.oneLine(parts, index);
    }
    if (table.count() > 0 && !table.lookup(table.defaultIndex())) {
        __builtin_trap();
    }
    return 0;
}
