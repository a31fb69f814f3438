#include "comm/dialmethodchoices.h"

#include "comm/callrouting.h"
#include "diag/resources.h"

namespace kontavo {

namespace {

constexpr int kNoneString = 41295;
constexpr int kSoundString = 41213;
constexpr int kJustCallString = 41214;

}  // namespace

DialMethodChoices::DialMethodChoices(bool isPhoneDevice, const QString& dialerText,
                                     int32_t stored) {
    m_choices.append({kDialNone, loadString(kNoneString)});
    m_choices.append({kDialSound, loadString(kSoundString)});
    if (!dialerText.isEmpty()) {
        m_choices.append({kDialAddIn, dialerText});
    }
    if (isPhoneDevice) {
        m_choices.append({kDialJustCall, loadString(kJustCallString)});
    }
    for (int i = 0; i < m_choices.size(); ++i) {
        if (m_choices[i].value == stored) {
            m_current = i;
        }
    }
}

bool DialMethodChoices::choose(int index) {
    if (index < 0 || index >= m_choices.size() || index == m_current) {
        return false;
    }
    m_current = index;
    return true;
}

}  // namespace kontavo
