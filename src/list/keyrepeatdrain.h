#pragma once

namespace kontavo {

// Drops the auto-repeated presses of a key that piled up while the previous
// press of the same key was being handled, so a held key moves one step per
// pass of the event loop instead of running ahead. The owner calls
// `accept` for every key press and `drained` once the event loop has come
// round (from a queued call posted after an accepted press).
class KeyRepeatDrain {
public:
    // Whether the press should be acted on; an accepted press opens a drain
    // window for its key that `drained` closes.
    bool accept(int virtualKey, bool autoRepeat);
    void drained() { m_pendingKey = kNone; }
    bool isDraining() const { return m_pendingKey != kNone; }

private:
    static constexpr int kNone = -1;
    int m_pendingKey = kNone;
};

}  // namespace kontavo
