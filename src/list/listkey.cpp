#include "list/listkey.h"

#include <QKeyEvent>

namespace kontavo {

namespace {

int keypadDigit(int key, Qt::KeyboardModifiers modifiers) {
    if ((modifiers & Qt::KeypadModifier) && key >= Qt::Key_0 && key <= Qt::Key_9) {
        return vkey::kNumpad0 + (key - Qt::Key_0);
    }
    return 0;
}

int namedKey(int key, Qt::KeyboardModifiers modifiers) {
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return (modifiers & Qt::ControlModifier) ? vkey::kAction : vkey::kReturn;
        case Qt::Key_Shift:
            return vkey::kShift;
        case Qt::Key_Control:
            return vkey::kControl;
        case Qt::Key_Alt:
            return vkey::kAlt;
        case Qt::Key_Backspace:
            return vkey::kBack;
        case Qt::Key_Tab:
            return vkey::kTab;
        case Qt::Key_Escape:
            return vkey::kEscape;
        case Qt::Key_Space:
            return vkey::kSpace;
        case Qt::Key_PageUp:
            return vkey::kPageUp;
        case Qt::Key_PageDown:
            return vkey::kPageDown;
        case Qt::Key_End:
            return vkey::kEnd;
        case Qt::Key_Home:
            return vkey::kHome;
        case Qt::Key_Left:
            return vkey::kLeft;
        case Qt::Key_Up:
            return vkey::kUp;
        case Qt::Key_Right:
            return vkey::kRight;
        case Qt::Key_Down:
            return vkey::kDown;
        case Qt::Key_Delete:
            return vkey::kDelete;
        case Qt::Key_F3:
            return vkey::kTalk;
        case Qt::Key_F4:
            return vkey::kEndCall;
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
