#include "comm/dialer.h"

#include "comm/contacturis.h"
#include "comm/dialtones.h"
#include "comm/infoprocessdlg.h"
#include "platform/launcher.h"

namespace kontavo {

bool Dialer::callNumber(QWidget* owner, const QString& number, DialMethod method,
                        bool launchPhoneAppFirst) {
    switch (method) {
        case DialMethod::JustCall:
            return phoneServiceCall(number, launchPhoneAppFirst);
        case DialMethod::Sound:
            toneCall(owner, number);
            return true;
        default:
            return false;
    }
}

bool Dialer::phoneServiceCall(const QString& number, bool launchPhoneAppFirst) {
    if (launchPhoneAppFirst && !m_services.phoneApplication.isEmpty()) {
        m_services.launcher->start(m_services.phoneApplication, {});
    }
    return openDocument(*m_services.launcher, telUri(number)).has_value();
}

void Dialer::toneCall(QWidget* owner, const QString& number) {
    Sound* sound = m_services.sound;
    InfoProcessDlg countdown(
        number,
        [sound](const QString& text) {
            if (sound != nullptr) {
                playDialTones(text, *sound);
            }
        },
        owner);
    countdown.doModal();
}

}  // namespace kontavo
