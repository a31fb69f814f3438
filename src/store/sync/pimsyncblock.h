#pragma once

#include <QList>
#include <array>
#include <cstdint>

#include "platform/windowmessage.h"

namespace kontavo {

// The coordination block of the programs sharing one index
// (docs/formats/pimsync-block.md): 68 bytes of shared memory, all integers
// 32-bit little-endian. Offset 0: the window list, ten main windows of the
// participating programs, slot 0 being the master's, empty slots 0 and after
// the filled ones. Offset 40: the change flags 0-6, signed.
// A plain value; PimSync reads and writes it only under the block's mutex.
struct PimSyncBlock {
    static constexpr int kSlots = 10;
    static constexpr int kFlags = 7;
    static constexpr int kFlagsAt = 40;
    static constexpr int kBytes = 68;

    std::array<WindowHandle, kSlots> windows{};
    std::array<int32_t, kFlags> flags{};

    // From exactly kBytes bytes; any bytes decode.
    static PimSyncBlock decode(const uint8_t* bytes);
    // Into exactly kBytes bytes.
    void encode(uint8_t* bytes) const;

    // The listed windows in slot order. A damaged list with empty slots
    // among filled ones yields every filled slot, in order.
    QList<WindowHandle> participants() const;
    // Lists `participants` from slot 0 (at most kSlots; the others empty).
    void setParticipants(const QList<WindowHandle>& participants);

    friend bool operator==(const PimSyncBlock&, const PimSyncBlock&) = default;
};

}  // namespace kontavo
