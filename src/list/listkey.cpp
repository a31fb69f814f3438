#include "list/listkey.h"

#include <QKeyEvent>

namespace kontavo {

namespace {

int keypadDigit(int key, Qt::KeyboardModifiers modifiers) {
    if ((modifiers & Qt::KeypadModifier) && key >= Qt::Key_0 && key <= Qt::Key_9) {
        return vk::kNumpad0 + (key - Qt::Key_0);
    }
    return 0;
}

int namedKey(int key, Qt::KeyboardModifiers modifiers) {
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return (modifiers & Qt::ControlModifier) ? vk::kAction : vk::kReturn;
        case Qt::Key_Shift:
            return vk::kShift;
        case Qt::Key_Control:
            return vk::kControl;
        case Qt::Key_Alt:
            return vk::kAlt;
        case Qt::Key_Backspace:
            return vk::kBack;
        case Qt::Key_Tab:
            return vk::kTab;
        case Qt::Key_Escape:
            return vk::kEscape;
        case Qt::Key_Space:
            return vk::kSpace;
        case Qt::Key_PageUp:
            return vk::kPageUp;
        case Qt::Key_PageDown:
            return vk::kPageDown;
        case Qt::Key_End:
            return vk::kEnd;
        case Qt::Key_Home:
            return vk::kHome;
        case Qt::Key_Left:
            return vk::kLeft;
        case Qt::Key_Up:
            return vk::kUp;
        case Qt::Key_Right:
            return vk::kRight;
        case Qt::Key_Down:
            return vk::kDown;
        case Qt::Key_Delete:
            return vk::kDelete;
        case Qt::Key_F3:
            return vk::kTalk;
        case Qt::Key_F4:
            return vk::kEndCall;
        default:
            return 0;
    }
}

// Letters and digits have the virtual key of their upper-case character.
int characterKey(int key) {
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) {
        return key;
    }
    return 0;
}

}  // namespace

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
    const int key = event.key();
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    int code = keypadDigit(key, modifiers);
    if (code == 0) {
        code = namedKey(key, modifiers);
    }
    if (code == 0) {
        code = characterKey(key);
    }
    return ListKey{code, event.text(), event.isAutoRepeat()};
}

}  // namespace kontavo
