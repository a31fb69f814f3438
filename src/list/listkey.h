#pragma once

#include <QString>

#include "platform/keymap.h"

class QKeyEvent;

namespace kontavo {

// One key stroke as the list controls see it: its virtual key (vk::..., 0
// when the handheld has none; see virtualKey()), the text it types (empty
// for keys that type nothing) and whether it is an auto-repeat.
struct ListKey {
    int virtualKey = 0;
    QString text;
    bool autoRepeat = false;

    // The typed text is one printable character or more (not a control
    // character such as Return, Tab or Backspace).
    bool typesText() const;
};

ListKey listKeyFromEvent(const QKeyEvent& event);

}  // namespace kontavo
