#include "list/heldkeyguard.h"

namespace kontavo {

HeldKeyGuard::Verdict HeldKeyGuard::check(QEvent::Type type, int qtKey, bool autoRepeat) {
    if (m_key == 0 || qtKey != m_key || (type != QEvent::KeyPress && type != QEvent::KeyRelease)) {
        return Verdict::Pass;
    }
    if (autoRepeat) {
        return Verdict::Swallow;
    }
    // The real release ends the hold; so does a fresh press, whose release
    // went past unseen.
    m_key = 0;
    return type == QEvent::KeyRelease ? Verdict::Released : Verdict::Pass;
}

}  // namespace kontavo
