#include "comm/phonetemplateset.h"

#include "comm/phonesyntax.h"

namespace kontavo {

QStringList PhoneTemplateSet::firstRunTemplates() {
    return {QStringLiteral("##-##-##"),          QStringLiteral("+# (###) ###-##-##"),
            QStringLiteral("# [###] ###-##-##"), QStringLiteral("###-###-####"),
            QStringLiteral("800-###-####"),      QStringLiteral("212-#-##-##-##")};
}

QStringList PhoneTemplateSet::dialogDefaultTemplates() {
    return {QStringLiteral("##-##-##"),          QStringLiteral("+# (###) ###-##-##"),
            QStringLiteral("# [###] ###-##-##"), QStringLiteral("(###) ### ## ##"),
            QStringLiteral("800-###-####"),      QStringLiteral("212-#-##-##-##")};
}

PhoneTemplateSet::PhoneTemplateSet(const QStringList& templates, bool isActiveTemplate,
                                   bool isIgnorePhoneFormat)
    : m_isActiveTemplate(isActiveTemplate), m_isIgnorePhoneFormat(isIgnorePhoneFormat) {
    setTemplates(templates);
}

void PhoneTemplateSet::setTemplates(const QStringList& templates) {
    m_templates = templates;
    m_weights.clear();
    m_weights.reserve(templates.size());
    for (const QString& text : templates) {
        m_weights.append(phone::templateWeight(text));
    }
}

}  // namespace kontavo
