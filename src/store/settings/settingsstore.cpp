#include "store/settings/settingsstore.h"

#include "platform/registry.h"

namespace kontavo {

namespace {

constexpr Hive kHive = Hive::CurrentUser;

QString itemName(qsizetype index) { return QString::number(index); }

}  // namespace

SettingsStore::SettingsStore(Registry& registry) : m_registry(registry) {}

QString SettingsStore::keyPath(const QString& subkey) { return rootPath() + subkey; }

int32_t SettingsStore::getInt(const QString& subkey, const QString& name, int32_t fallback) const {
    if (subkey.isNull() || name.isNull()) {
        return fallback;
    }
    const auto value = m_registry.queryValue(kHive, keyPath(subkey), name);
    const auto number = value ? value->dword() : std::nullopt;
    return number ? int32_t(*number) : fallback;
}

bool SettingsStore::setInt(const QString& subkey, const QString& name, int32_t value) {
    if (subkey.isNull() || name.isNull()) {
        return false;
    }
    return m_registry.setValue(kHive, keyPath(subkey), name, RegValue::fromDword(uint32_t(value)));
}

QString SettingsStore::getString(const QString& subkey, const QString& name,
                                 const QString& fallback) const {
    return storedString(subkey, name).value_or(fallback.isNull() ? QStringLiteral("") : fallback);
}

QString SettingsStore::getStringLimited(const QString& subkey, const QString& name, int capacity,
                                        const QString& fallback) const {
    const auto text = storedString(subkey, name);
    if (text && text->size() < capacity) {
        return *text;
    }
    return fallback.isNull() ? QStringLiteral("") : fallback;
}

std::optional<QString> SettingsStore::storedString(const QString& subkey,
                                                   const QString& name) const {
    if (subkey.isNull() || name.isNull()) {
        return std::nullopt;
    }
    const auto value = m_registry.queryValue(kHive, keyPath(subkey), name);
    return value ? value->string() : std::nullopt;
}

bool SettingsStore::setString(const QString& subkey, const QString& name, const QString& text) {
    if (subkey.isNull() || name.isNull()) {
        return false;
    }
    return m_registry.setValue(kHive, keyPath(subkey), name, RegValue::fromString(text));
}

QByteArray SettingsStore::getBinary(const QString& subkey, const QString& name) const {
    if (subkey.isNull() || name.isNull()) {
        return QByteArray();
    }
    const auto value = m_registry.queryValue(kHive, keyPath(subkey), name);
    return value && value->type == RegType::Binary ? value->data : QByteArray();
}

bool SettingsStore::setBinary(const QString& subkey, const QString& name, const QByteArray& bytes) {
    if (subkey.isNull() || name.isNull()) {
        return false;
    }
    return m_registry.setValue(kHive, keyPath(subkey), name, RegValue::fromBinary(bytes));
}

bool SettingsStore::deleteKeyTree(const QString& subkey) {
    return !subkey.isNull() && kontavo::deleteKeyTree(m_registry, kHive, keyPath(subkey));
}

bool SettingsStore::deleteValue(const QString& subkey, const QString& name) {
    if (subkey.isNull() || name.isNull()) {
        return false;
    }
    return m_registry.deleteValue(kHive, keyPath(subkey), name);
}

bool SettingsStore::setFileFlag(const QString& path, bool on) {
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('\\')) + 1);
    return setInt(settings::kSettings.toString(), name, on ? 1 : 0);
}

bool SettingsStore::getFileFlag(const QString& path) const {
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('\\')) + 1);
    return getInt(settings::kSettings.toString(), name, settings::kFileFlagDefault) != 0;
}

QList<uint32_t> SettingsStore::getIntList(const QString& subkey) const {
    QList<uint32_t> items;
    const int32_t count = getInt(subkey, settings::kCount.toString(), 0);
    for (int32_t i = 0; i < count; ++i) {
        const auto value = m_registry.queryValue(kHive, keyPath(subkey), itemName(i));
        const auto number = value ? value->dword() : std::nullopt;
        if (!number) {
            break;
        }
        items.append(*number);
    }
    return items;
}

bool SettingsStore::setIntList(const QString& subkey, const QList<uint32_t>& items) {
    deleteKeyTree(subkey);
    bool ok = setInt(subkey, settings::kCount.toString(), int32_t(items.size()));
    for (qsizetype i = 0; i < items.size(); ++i) {
        ok = setInt(subkey, itemName(i), int32_t(items[i])) && ok;
    }
    return ok;
}

QStringList SettingsStore::getStringList(const QString& subkey) const {
    QStringList items;
    const int32_t count = getInt(subkey, settings::kCount.toString(), 0);
    for (int32_t i = 0; i < count; ++i) {
        const auto value = m_registry.queryValue(kHive, keyPath(subkey), itemName(i));
        const auto text = value ? value->string() : std::nullopt;
        if (!text) {
            break;
        }
        items.append(*text);
    }
    return items;
}

bool SettingsStore::setStringList(const QString& subkey, const QStringList& items) {
    deleteKeyTree(subkey);
    bool ok = setInt(subkey, settings::kCount.toString(), int32_t(items.size()));
    for (qsizetype i = 0; i < items.size(); ++i) {
        ok = setString(subkey, itemName(i), items[i]) && ok;
    }
    return ok;
}

int32_t SettingsStore::get(const settings::IntValue& value) const {
    return getInt(value.subkey.toString(), value.name.toString(), value.fallback);
}

bool SettingsStore::set(const settings::IntValue& value, int32_t number) {
    return setInt(value.subkey.toString(), value.name.toString(), number);
}

QString SettingsStore::get(const settings::StringValue& value) const {
    return getString(value.subkey.toString(), value.name.toString(), value.fallback.toString());
}

bool SettingsStore::set(const settings::StringValue& value, const QString& text) {
    return setString(value.subkey.toString(), value.name.toString(), text);
}

QByteArray SettingsStore::get(const settings::BinaryValue& value) const {
    return getBinary(value.subkey.toString(), value.name.toString());
}

bool SettingsStore::set(const settings::BinaryValue& value, const QByteArray& bytes) {
    return setBinary(value.subkey.toString(), value.name.toString(), bytes);
}

}  // namespace kontavo
