#include "comm/vcardproperty.h"

namespace kontavo {

QStringList VCardProperty::types() const {
    QStringList result = typesAsWritten();
    for (QString& type : result) {
        type = type.toUpper();
    }
    return result;
}

QStringList VCardProperty::typesAsWritten() const {
    QStringList result;
    for (const VCardParam& param : params) {
        if (param.name == QLatin1String("TYPE")) {
            result += param.values;
        }
    }
    return result;
}

bool VCardProperty::hasType(const QString& type) const {
    return types().contains(type);
}

QString VCardProperty::param(const QString& name) const {
    for (const VCardParam& param : params) {
        if (param.name == name && !param.values.isEmpty()) {
            return param.values.front();
        }
    }
    return QString();
}

void VCardProperty::addType(const QString& type) {
    for (VCardParam& param : params) {
        if (param.name == QLatin1String("TYPE")) {
            param.values.append(type);
            return;
        }
    }
    params.append({QStringLiteral("TYPE"), {type}});
}

void VCardProperty::addParam(const QString& name, const QString& value) {
    params.append({name, {value}});
}

}  // namespace kontavo
