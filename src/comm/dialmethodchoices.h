#pragma once

#include <QList>
#include <QString>
#include <cstdint>

namespace kontavo {

// The dial methods the options offer, in order: "None", "Sound", the
// dialer add-in (by its menu text, when one is registered) and "Just Call"
// (on a phone), each with the value stored in "DialupMode". The stored
// method is preselected when offered; otherwise "None" is, and becomes the
// method (a method no longer offered is dropped). A plain value.
class DialMethodChoices {
public:
    struct Choice {
        int32_t value = 0;
        QString label;
        bool operator==(const Choice&) const = default;
    };

    DialMethodChoices(bool isPhoneDevice, const QString& dialerText, int32_t stored);

    const QList<Choice>& choices() const { return m_choices; }
    int currentIndex() const { return m_current; }
    int32_t currentValue() const { return m_choices[m_current].value; }
    QString currentLabel() const { return m_choices[m_current].label; }
    // Makes choice `index` current; true when that changed the method.
    bool choose(int index);

private:
    QList<Choice> m_choices;
    int m_current = 0;
};

}  // namespace kontavo
