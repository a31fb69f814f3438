#include "store/sync/pimsyncblock.h"

namespace kontavo {

namespace {

uint32_t readLe32(const uint8_t* bytes) {
    return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
           uint32_t(bytes[3]) << 24;
}

void writeLe32(uint8_t* bytes, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[i] = uint8_t(value >> (8 * i));
    }
}

}  // namespace

PimSyncBlock PimSyncBlock::decode(const uint8_t* bytes) {
    PimSyncBlock block;
    for (int i = 0; i < kSlots; ++i) {
        block.windows[size_t(i)] = readLe32(bytes + 4 * i);
    }
    for (int i = 0; i < kFlags; ++i) {
        block.flags[size_t(i)] = int32_t(readLe32(bytes + kFlagsAt + 4 * i));
    }
    return block;
}

void PimSyncBlock::encode(uint8_t* bytes) const {
    for (int i = 0; i < kSlots; ++i) {
        writeLe32(bytes + 4 * i, windows[size_t(i)]);
    }
    for (int i = 0; i < kFlags; ++i) {
        writeLe32(bytes + kFlagsAt + 4 * i, uint32_t(flags[size_t(i)]));
    }
}

QList<WindowHandle> PimSyncBlock::participants() const {
    QList<WindowHandle> listed;
    for (WindowHandle window : windows) {
        if (window != 0) {
            listed.append(window);
        }
    }
    return listed;
}

void PimSyncBlock::setParticipants(const QList<WindowHandle>& participants) {
    windows.fill(0);
    for (qsizetype i = 0; i < participants.size() && i < kSlots; ++i) {
        windows[size_t(i)] = participants[i];
    }
}

}  // namespace kontavo
