#include "platform/keymap.h"

namespace kontavo {

namespace {

int editingKey(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Backspace:
            return vk::kBack;
        case Qt::Key_Tab:
            return vk::kTab;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return vk::kReturn;
        case Qt::Key_Escape:
            return vk::kEscape;
        case Qt::Key_Space:
            return vk::kSpace;
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
            return vk::kEnd;
        default:
            return 0;
    }
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
    return editingKey(qtKey);
}

}  // namespace kontavo
