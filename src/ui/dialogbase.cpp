#include "ui/dialogbase.h"

#include "ui/menubar.h"
#include "ui/shellui.h"
#include "ui/sippanel.h"
#include "ui/wndmessages.h"

namespace kontavo {

DialogBase::DialogBase(int templateId, bool fullScreen, QWidget* parent)
    : QDialog(parent),
      m_templateId(templateId),
      m_fullScreen(fullScreen),
      m_body(new QWidget(this)) {
    setObjectName(QStringLiteral("Dialog%1").arg(templateId));
    m_body->setObjectName(QStringLiteral("DialogBody"));
    ShellUi* shell = ShellUi::current();
    if (m_fullScreen && shell != nullptr) {
        setFixedSize(shell->screenSize());
        m_sip = new SipPanel(*shell, this);
        followSip();
    }
}

DialogBase::~DialogBase() = default;

bool DialogBase::initialise() {
    if (!m_initialised) {
        m_initialised = true;
        return onInitDialog();
    }
    return true;
}

int DialogBase::doModal() {
    if (!initialise()) {
        return QDialog::Rejected;
    }
    return exec();
}

void DialogBase::createModeless() {
    if (initialise()) {
        show();
    }
}

MenuBar* DialogBase::createMenuBar(int menuId) {
    ShellUi* shell = ShellUi::current();
    std::optional<MenuResource> menu = menuId == 0 ? MenuResource() : MenuResource::load(menuId);
    m_menuBar.reset();
    if (!menu || shell == nullptr) {
        return nullptr;
    }
    m_menuBar = std::make_unique<MenuBar>(*menu, *shell, this);
    connect(m_menuBar.get(), &MenuBar::command, this, [this](int id) {
        sendWindowMessage(this, {wm::kCommand, wm::makeLong(uint32_t(id), 0), 0});
    });
    if (m_sip != nullptr) {
        m_sip->raise();
    }
    followSip();
    return m_menuBar.get();
}

int32_t DialogBase::windowProc(const WindowMessage& message, QObject* control) {
    switch (message.id) {
        case wm::kActivate:
            onActivate(wm::loWord(message.wParam) != wm::kInactive);
            break;
        case wm::kSettingChange:
            if (message.wParam == wm::kSettingSipInfo && m_fullScreen && isVisible()) {
                followSip();
            }
            onSettingChange(message.wParam, message.lParam);
            break;
        case wm::kCommand:
            onCommand(int(wm::hiWord(message.wParam)), int(wm::loWord(message.wParam)), control);
            break;
        default:
            break;
    }
    return 0;
}

void DialogBase::onSettingChange(uint32_t, uint32_t) {}

void DialogBase::onCommand(int, int, QObject*) {}

void DialogBase::followSip() {
    ShellUi* shell = ShellUi::current();
    if (!m_fullScreen || shell == nullptr) {
        m_body->setGeometry(rect());
        return;
    }
    QRect visible = shell->visibleDesktop();
    if (!shell->isSipUp()) {
        visible.setHeight(visible.height() - shell->menuBarHeight());
    }
    m_body->setGeometry(visible);
}

bool DialogBase::event(QEvent* event) {
    if (routeMessageEvent(event, *this)) {
        return true;
    }
    translateActivation(event, this);
    return QDialog::event(event);
}

void DialogBase::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (m_menuBar != nullptr) {
        m_menuBar->placeAtBottom();
    }
    followSip();
}

}  // namespace kontavo
