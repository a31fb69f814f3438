// The main window's window procedure and what it does for each message.
#include <QApplication>

#include "platform/devicefs.h"
#include "platform/keymap.h"
#include "shell/mainwndframe.h"
#include "shell/shellids.h"
#include "shell/vcardhandover.h"
#include "ui/shellui.h"

namespace kontavo {

int32_t MainWndFrame::windowProc(const WindowMessage& message, QObject*) {
    for (size_t i = 0; i < m_syncMessages.size(); ++i) {
        if (m_syncMessages[i] != 0 && message.id == m_syncMessages[i]) {
            return m_store != nullptr
                       ? m_store->handleMessage(StoreMessage(i), message.wParam, message.lParam)
                       : 0;
        }
    }
    switch (message.id) {
        case shell::kWmStoreMessage:
            return m_store != nullptr ? m_store->handleMessage(StoreMessage::Message1023,
                                                               message.wParam, message.lParam)
                                      : 0;
        case wm::kActivate:
            onActivate(wm::loWord(message.wParam) != wm::kInactive,
                       message.lParam != 0 && message.lParam == handle() ? this : nullptr);
            return 0;
        case wm::kSettingChange:
            onSettingChange(message.wParam, message.lParam);
            return 0;
        case wm::kCommand:
            onCommand(message.wParam);
            return 0;
        case wm::kHotKey:
            if (wm::hiWord(message.lParam) == uint32_t(vk::kTalk) && m_contactsFrame != nullptr) {
                m_contactsFrame->callSelectedContact();
            }
            return 0;
        case shell::kWmOpenContact:
            onOpenContact(message.wParam, message.lParam);
            return 0;
        case shell::kWmImportVCards:
            onImportVCards(message.lParam);
            return 0;
        case wm::kClose:
            destroyMainWindow();
            return 0;
        default:
            return 0;
    }
}

bool MainWndFrame::event(QEvent* event) {
    if (routeMessageEvent(event, *this)) {
        return true;
    }
    translateActivation(event, this);
    return QWidget::event(event);
}

// While a contact is open in the modal card view the SIP and the Talk key
// belong to that view.
void MainWndFrame::onActivate(bool active, QWidget* other) {
    if (m_activeFrame != nullptr) {
        m_activeFrame->onActivate(active, other);
    }
    if (m_busy || !m_created) {
        return;
    }
    if (active) {
        takeTalkKey();
        m_windowActive = true;
        // Before the first deactivation there is nothing to restore: the SIP
        // may have gone up while the window was still coming forward.
        if (m_sipAtDeactivation) {
            m_services.shell->setSipUp(*m_sipAtDeactivation);
        }
        refreshSipState(0);
    } else {
        giveTalkKeyBack();
        m_windowActive = false;
        m_sipAtDeactivation = m_sipWasUp;
    }
}

void MainWndFrame::onSettingChange(uint32_t code, uint32_t parameter) {
    if (code == wm::kSettingReset) {
        if (m_contactsFrame != nullptr) {
            m_contactsFrame->moveFrame(m_clientRect);
            m_contactsFrame->refresh();
        }
        update();
        return;
    }
    if (code == wm::kSettingSipInfo && !m_busy) {
        refreshSipState(parameter);
    }
    if (m_activeFrame != nullptr) {
        m_activeFrame->onSettingChange(code, parameter);
    }
}

void MainWndFrame::refreshSipState(uint32_t) {
    if (!m_windowActive) {
        return;
    }
    const ShellUi& shellUi = *m_services.shell;
    m_sipWasUp = shellUi.isSipUp();
    if (m_sipWasUp) {
        // The emulated screen is this window, and its client area starts at
        // the top left: screen and client coordinates agree.
        m_sipBottom = shellUi.visibleDesktop().bottom() + 1;
    }
}

std::optional<int> MainWndFrame::sipTop() const {
    return m_sipWasUp ? std::optional(m_sipBottom) : std::nullopt;
}

void MainWndFrame::onCommand(uint32_t wParam) {
    const int id = int(wm::loWord(wParam));
    if (!onMainCommand(id) && m_activeFrame != nullptr) {
        m_activeFrame->handleCommand(id, int(wm::hiWord(wParam)));
    }
}

bool MainWndFrame::onMainCommand(int id) {
    switch (id) {
        case shell::kCmdClose:
            sendWindowMessage(this, {wm::kActivate, wm::kInactive, handle()});
            close();
            return true;
        case shell::kCmdExit:
            destroyMainWindow();
            return true;
        case shell::kCmdEditTemplate:
            if (m_services.editTemplate) {
                m_services.editTemplate(*this);
            }
            return true;
        case shell::kCmdOptions:
            if (m_services.runOptions) {
                m_services.runOptions(*this);
            }
            return true;
        case shell::kCmdAbout:
            showAbout();
            return true;
        default:
            return false;
    }
}

void MainWndFrame::onOpenContact(uint32_t letter, uint32_t oid) {
    if ((letter == u'e' || letter == u'v') && m_contactsFrame != nullptr) {
        m_contactsFrame->openContact(char16_t(letter), oid);
    }
}

void MainWndFrame::onImportVCards(uint32_t number) {
    const std::optional<QString> path = VCardHandOver::take(m_services.handOverFolder, number);
    if (path && m_contactsFrame != nullptr) {
        m_contactsFrame->importVCards(*path);
    }
}

void MainWndFrame::showAbout() {
    AboutBox about(m_services.about, this);
    about.doModal();
}

// The Talk key is taken only on a phone, and only once: taking it again
// would keep "taken" as the state to give back.
void MainWndFrame::takeTalkKey() {
    if (m_talkKeyTaken || !m_created || !m_services.device->isPhoneDevice()) {
        return;
    }
    m_talkKeyState =
        uint16_t(m_services.shell->overrideKey(this, vk::kTalk, shell::kTalkKeyOverride));
    m_talkKeyTaken = true;
}

// Both override bits get back the state they had before the key was taken.
void MainWndFrame::giveTalkKeyBack() {
    if (!m_talkKeyTaken) {
        return;
    }
    const uint32_t mask = ShellUi::kNoDefault | ShellUi::kNotify;
    m_services.shell->overrideKey(this, vk::kTalk, wm::makeLong(mask, m_talkKeyState));
    m_talkKeyTaken = false;
}

}  // namespace kontavo
