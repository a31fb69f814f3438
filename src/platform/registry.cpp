#include "platform/registry.h"

#include <QtEndian>

namespace kontavo {

RegValue RegValue::fromDword(uint32_t value) {
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return {RegType::Dword, bytes};
}

RegValue RegValue::fromString(const QString& text) {
    QByteArray bytes;
    bytes.reserve((text.size() + 1) * 2);
    for (QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    bytes.append(2, '\0');
    return {RegType::Sz, bytes};
}

RegValue RegValue::fromBinary(const QByteArray& bytes) { return {RegType::Binary, bytes}; }

std::optional<uint32_t> RegValue::dword() const {
    if (type != RegType::Dword || data.size() != 4) {
        return std::nullopt;
    }
    return qFromLittleEndian<uint32_t>(data.constData());
}

std::optional<QString> RegValue::string() const {
    if (type != RegType::Sz) {
        return std::nullopt;
    }
    QString text;
    const auto* bytes = reinterpret_cast<const uchar*>(data.constData());
    for (qsizetype i = 0; i + 1 < data.size(); i += 2) {
        const char16_t unit = char16_t(bytes[i] | (bytes[i + 1] << 8));
        if (unit == 0) {
            break;
        }
        text.append(QChar(unit));
    }
    return text;
}

QString hiveName(Hive hive) {
    return hive == Hive::CurrentUser ? QStringLiteral("HKEY_CURRENT_USER")
                                     : QStringLiteral("HKEY_LOCAL_MACHINE");
}

std::optional<Hive> hiveFromName(const QString& name) {
    const QString upper = name.toUpper();
    if (upper == QLatin1String("HKEY_CURRENT_USER") || upper == QLatin1String("HKCU")) {
        return Hive::CurrentUser;
    }
    if (upper == QLatin1String("HKEY_LOCAL_MACHINE") || upper == QLatin1String("HKLM")) {
        return Hive::LocalMachine;
    }
    return std::nullopt;
}

QString regTypeName(RegType type) {
    switch (type) {
        case RegType::Sz:
            return QStringLiteral("REG_SZ");
        case RegType::Binary:
            return QStringLiteral("REG_BINARY");
        case RegType::Dword:
            return QStringLiteral("REG_DWORD");
    }
    return QStringLiteral("REG_UNKNOWN");
}

bool deleteKeyTree(Registry& registry, Hive hive, const QString& path) {
    while (const auto child = registry.enumSubkey(hive, path, 0)) {
        if (!deleteKeyTree(registry, hive, path + QLatin1Char('\\') + *child)) {
            break;
        }
    }
    return registry.deleteKey(hive, path);
}

}  // namespace kontavo
