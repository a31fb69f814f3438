#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace kontavo {

// The active phone number format templates, applied for display only: the
// ordered list, each template's weight (its number of "#" and digits), the
// formatting switch (`IsActiveTemplate`) and the option to ignore typed dashes
// (`IsIgnorePhoneFormat`). A plain value; the main window holds one and
// replaces it whole when the options are confirmed.
class PhoneTemplateSet {
public:
    // A template holds at most this many characters.
    static constexpr int kMaxTemplateLength = 259;

    // The list installed when none was ever stored.
    static QStringList firstRunTemplates();
    // The list of the formats dialog's "Default" button; its fourth entry
    // differs from the first-run list.
    static QStringList dialogDefaultTemplates();

    PhoneTemplateSet() = default;
    PhoneTemplateSet(const QStringList& templates, bool isActiveTemplate, bool isIgnorePhoneFormat);

    const QStringList& templates() const { return m_templates; }
    // Parallel to templates().
    const QList<int>& weights() const { return m_weights; }
    void setTemplates(const QStringList& templates);

    bool isActiveTemplate() const { return m_isActiveTemplate; }
    void setActiveTemplate(bool on) { m_isActiveTemplate = on; }
    bool isIgnorePhoneFormat() const { return m_isIgnorePhoneFormat; }
    void setIgnorePhoneFormat(bool on) { m_isIgnorePhoneFormat = on; }

private:
    QStringList m_templates;
    QList<int> m_weights;
    bool m_isActiveTemplate = false;
    bool m_isIgnorePhoneFormat = false;
};

}  // namespace kontavo
