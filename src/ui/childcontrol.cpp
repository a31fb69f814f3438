#include "ui/childcontrol.h"

#include "ui/wndmessages.h"

namespace kontavo {

ChildControl::ChildControl(QWidget* owner, QWidget* parent) : QWidget(parent), m_owner(owner) {
    setObjectName(QLatin1String(kWindowClass));
    setAutoFillBackground(true);
    QPalette colors = palette();
    colors.setColor(QPalette::Window, Qt::white);
    setPalette(colors);
}

int32_t ChildControl::windowProc(const WindowMessage& message, QObject* control) {
    switch (message.id) {
        case wm::kActivate:
            onActivate(wm::loWord(message.wParam) != wm::kInactive);
            return 0;
        case wm::kSettingChange:
            onSettingChange(message.wParam, message.lParam);
            return 0;
        default:
            return onMessage(message, control);
    }
}

void ChildControl::onSettingChange(uint32_t, uint32_t) {}

int32_t ChildControl::onMessage(const WindowMessage&, QObject*) {
    return 0;
}

bool ChildControl::event(QEvent* event) {
    return routeMessageEvent(event, *this) || QWidget::event(event);
}

}  // namespace kontavo
