#include "card/addressformat.h"

#include <algorithm>

#include "card/leadingnumber.h"

namespace kontavo {

namespace {

constexpr qsizetype kCodeLength = 3;
constexpr qsizetype kNameStart = 4;

bool ordersAreConsecutive(const AddressFormat& format) {
    std::array<bool, kAddressSlotCount> seen{};
    int used = 0;
    for (const int order : format.partOrder) {
        if (order >= 0) {
            ++used;
            if (order >= kAddressSlotCount || seen[order]) {
                return false;
            }
            seen[order] = true;
        }
    }
    for (int i = 0; i < used; ++i) {
        if (!seen[i]) {
            return false;
        }
    }
    return true;
}

// Reads the slot fields that follow the country name; false on a field whose
// order is not a digit.
bool parseSlots(QStringView text, qsizetype pos, AddressFormat& format) {
    for (int slot = 0; slot < kAddressSlotCount; ++slot) {
        // A field starting in the last two characters is too short to read.
        if (pos >= text.size() - 2) {
            break;
        }
        if (text[pos] == u',') {
            ++pos;
            continue;
        }
        const QChar order = text[pos];
        if (order < u'0' || order > u'9') {
            return false;
        }
        const qsizetype labelStart = pos + 2;  // the order digit and one separator
        qsizetype labelEnd = text.indexOf(u',', labelStart);
        labelEnd = labelEnd < 0 ? text.size() : labelEnd;
        format.partOrder[slot] = order.unicode() - u'0';
        format.partLabel[slot] = text.mid(labelStart, labelEnd - labelStart).toString();
        pos = labelEnd + 1;
    }
    return true;
}

}  // namespace

std::optional<AddressFormat> parseAddressFormat(QStringView text) {
    if (text.size() <= kNameStart) {
        return std::nullopt;
    }
    AddressFormat format;
    format.code = leadingNumber(text.left(kCodeLength));
    qsizetype nameEnd = text.indexOf(u',', kNameStart);
    nameEnd = nameEnd < 0 ? text.size() : nameEnd;
    format.name = text.mid(kNameStart, nameEnd - kNameStart).toString();
    if (format.name.isEmpty() || !parseSlots(text, nameEnd + 1, format) ||
        !ordersAreConsecutive(format)) {
        return std::nullopt;
    }
    return format;
}

QList<int> layoutOrder(const AddressFormat& format) {
    QList<int> ordered;
    for (int slot = 0; slot < kAddressSlotCount; ++slot) {
        if (format.partOrder[slot] >= 0) {
            ordered.append(slot);
        }
    }
    std::stable_sort(ordered.begin(), ordered.end(),
                     [&format](int a, int b) { return format.partOrder[a] < format.partOrder[b]; });
    return ordered;
}

QString joinAddress(const AddressFormat& format, const AddressParts& parts) {
    QString line;
    for (const int slot : layoutOrder(format)) {
        if (!line.isEmpty()) {
            line += u' ';
        }
        line += parts[slot];
    }
    return line;
}

}  // namespace kontavo
