#include "store/contacts/categorymask.h"

#include <algorithm>

namespace kontavo::categorymask {

namespace {

constexpr int kWordBytes = 4;

}  // namespace

bool hasBit(const QByteArray& mask, int position) {
    if (position < 0 || position / 8 >= mask.size()) {
        return false;
    }
    return (uint8_t(mask[position / 8]) >> (position % 8)) & 1;
}

QList<int> positions(const QByteArray& mask) {
    QList<int> result;
    for (qsizetype byte = 0; byte < mask.size(); ++byte) {
        const uint8_t bits = uint8_t(mask[byte]);
        for (int bit = 0; bit < 8; ++bit) {
            if ((bits >> bit) & 1) {
                result.append(int(byte * 8 + bit));
            }
        }
    }
    return result;
}

QByteArray fromPositions(const QList<int>& positions) {
    int highest = -1;
    for (int position : positions) {
        if (position >= 0 && position <= kMaxPosition) {
            highest = std::max(highest, position);
        }
    }
    if (highest < 0) {
        return QByteArray(1, '\0');
    }
    const int words = highest / 32 + 1;
    QByteArray mask(words * kWordBytes, '\0');
    for (int position : positions) {
        if (position >= 0 && position <= kMaxPosition) {
            mask[position / 8] = char(uint8_t(mask[position / 8]) | (1 << (position % 8)));
        }
    }
    return mask;
}

bool isNone(const QByteArray& mask) {
    return std::all_of(mask.begin(), mask.end(), [](char byte) { return byte == '\0'; });
}

bool intersects(const QByteArray& a, const QByteArray& b) {
    const qsizetype length = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < length; ++i) {
        if ((uint8_t(a[i]) & uint8_t(b[i])) != 0) {
            return true;
        }
    }
    return false;
}

}  // namespace kontavo::categorymask
