#include "list/keyrepeatdrain.h"

namespace kontavo {

bool KeyRepeatDrain::accept(int virtualKey, bool autoRepeat) {
    if (autoRepeat && virtualKey == m_pendingKey) {
        return false;
    }
    m_pendingKey = virtualKey;
    return true;
}

}  // namespace kontavo
