#include "store/sync/pimsyncblock.h"

#include <QtEndian>

namespace kontavo {

PimSyncBlock PimSyncBlock::decode(const uint8_t* bytes) {
    PimSyncBlock block;
    for (int i = 0; i < kSlots; ++i) {
        block.windows[size_t(i)] = qFromLittleEndian<uint32_t>(bytes + 4 * i);
    }
    for (int i = 0; i < kFlags; ++i) {
        block.flags[size_t(i)] = qFromLittleEndian<int32_t>(bytes + kFlagsAt + 4 * i);
    }
    return block;
}

void PimSyncBlock::encode(uint8_t* bytes) const {
    for (int i = 0; i < kSlots; ++i) {
        qToLittleEndian<uint32_t>(windows[size_t(i)], bytes + 4 * i);
    }
    for (int i = 0; i < kFlags; ++i) {
        qToLittleEndian<int32_t>(flags[size_t(i)], bytes + kFlagsAt + 4 * i);
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
