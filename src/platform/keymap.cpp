#include "platform/keymap.h"

namespace kontavo {

namespace {

struct KeyCode {
    int qtKey;
    int virtualKey;
};

// Keys whose Qt code differs from the handheld's.
constexpr KeyCode kNamedKeys[] = {
    {Qt::Key_Backspace, vk::kBack},
    {Qt::Key_Tab, vk::kTab},
    {Qt::Key_Return, vk::kReturn},
    {Qt::Key_Enter, vk::kReturn},
    {Qt::Key_Shift, vk::kShift},
    {Qt::Key_Control, vk::kControl},
    {Qt::Key_Alt, vk::kAlt},
    {Qt::Key_Escape, vk::kEscape},
    {Qt::Key_Space, vk::kSpace},
    {Qt::Key_PageUp, vk::kPageUp},
    {Qt::Key_PageDown, vk::kPageDown},
    {Qt::Key_End, vk::kEnd},
    {Qt::Key_Home, vk::kHome},
    {Qt::Key_Left, vk::kLeft},
    {Qt::Key_Up, vk::kUp},
    {Qt::Key_Right, vk::kRight},
    {Qt::Key_Down, vk::kDown},
    {Qt::Key_Delete, vk::kDelete},
    {Qt::Key_F3, vk::kTalk},
    {Qt::Key_F4, vk::kEndCall},
};

int namedKey(int qtKey) {
    for (const KeyCode& code : kNamedKeys) {
        if (code.qtKey == qtKey) {
            return code.virtualKey;
        }
    }
    return 0;
}

}  // namespace

int virtualKey(int qtKey, Qt::KeyboardModifiers modifiers) {
    const bool isDigit = qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9;
    if (isDigit && modifiers.testFlag(Qt::KeypadModifier)) {
        return vk::kNumpad0 + (qtKey - Qt::Key_0);
    }
    if ((qtKey == Qt::Key_Return || qtKey == Qt::Key_Enter) &&
        modifiers.testFlag(Qt::ControlModifier)) {
        return vk::kAction;
    }
    if (isDigit || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)) {
        return qtKey;  // Qt's codes for these are the handheld's
    }
    return namedKey(qtKey);
}

}  // namespace kontavo
