#include "comm/phoneformatseditor.h"

#include <algorithm>

#include "comm/filltemplate.h"
#include "comm/phonesyntax.h"
#include "comm/phonetemplateset.h"
#include "comm/phonetemplatesettings.h"
#include "diag/resources.h"

namespace kontavo {

PhoneFormatsEditor::PhoneFormatsEditor(const QStringList& stored, bool ignoreDashes)
    : m_templates(stored), m_ignoreDashes(ignoreDashes) {
    std::stable_sort(m_templates.begin(), m_templates.end(),
                     [](const QString& a, const QString& b) {
                         return phone::templateWeight(a) < phone::templateWeight(b);
                     });
}

PhoneFormatsEditor PhoneFormatsEditor::load(SettingsStore& settings) {
    const PhoneTemplateSet set = loadPhoneTemplates(settings);
    return PhoneFormatsEditor(set.templates(), set.isIgnorePhoneFormat());
}

QString PhoneFormatsEditor::example() const {
    if (m_selected >= 0) {
        if (const std::optional<QString> filled = phoneTemplateExample(m_editText)) {
            return *filled;
        }
    }
    return loadString(kNothingString);
}

void PhoneFormatsEditor::select(int row) {
    if (row < 0 || row >= m_templates.size()) {
        m_selected = -1;
        return;
    }
    m_selected = row;
    m_editText = m_templates[row];
}

void PhoneFormatsEditor::setEditText(const QString& text) {
    m_editText = text.left(PhoneTemplateSet::kMaxTemplateLength);
}

bool PhoneFormatsEditor::add() {
    if (m_editText.isEmpty() || m_templates.contains(m_editText)) {
        return false;
    }
    m_templates.append(m_editText);
    m_selected = int(m_templates.size()) - 1;
    return true;
}

bool PhoneFormatsEditor::remove() {
    if (m_selected < 0) {
        return false;
    }
    m_templates.removeAt(m_selected);
    select(std::min(m_selected, int(m_templates.size()) - 1));
    return true;
}

bool PhoneFormatsEditor::moveUp() {
    if (m_selected <= 0) {
        return false;
    }
    m_templates.swapItemsAt(m_selected, m_selected - 1);
    --m_selected;
    return true;
}

bool PhoneFormatsEditor::moveDown() {
    if (m_selected < 0 || m_selected + 1 >= m_templates.size()) {
        return false;
    }
    m_templates.swapItemsAt(m_selected, m_selected + 1);
    ++m_selected;
    return true;
}

void PhoneFormatsEditor::resetToDefault() {
    m_templates = PhoneTemplateSet::dialogDefaultTemplates();
    select(0);
}

bool PhoneFormatsEditor::save(SettingsStore& settings) const {
    return savePhoneTemplates(settings, m_templates, m_ignoreDashes);
}

}  // namespace kontavo
