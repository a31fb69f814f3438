#pragma once

#include <QEvent>

namespace kontavo {

// Keeps a key that is still held after it did its work (the action key
// whose long press opened the context menu) from acting again through its
// auto-repeat: from hold() until the key's real release, its repeated
// presses and releases are swallowed. A plain value; the owner feeds it the
// key events it sees.
class HeldKeyGuard {
public:
    enum class Verdict {
        Pass,      // not a repeat of the held key: let it through
        Swallow,   // a repeat of the held key
        Released,  // the held key's real release: let it through, the hold ends
    };

    // Starts holding the key with Qt key code `qtKey`.
    void hold(int qtKey) { m_key = qtKey; }
    bool isHolding() const { return m_key != 0; }
    // What to do with a key event of `type` for `qtKey`.
    Verdict check(QEvent::Type type, int qtKey, bool autoRepeat);

private:
    int m_key = 0;
};

}  // namespace kontavo
