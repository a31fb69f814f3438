#include "list/listkey.h"

#include <QKeyEvent>

namespace kontavo {

bool ListKey::typesText() const {
    if (text.isEmpty()) {
        return false;
    }
    for (const QChar c : text) {
        if (!c.isPrint()) {
            return false;
        }
    }
    return true;
}

ListKey listKeyFromEvent(const QKeyEvent& event) {
    return ListKey{virtualKey(event.key(), event.modifiers()), event.text(), event.isAutoRepeat()};
}

}  // namespace kontavo
