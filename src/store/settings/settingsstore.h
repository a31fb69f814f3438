#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

#include "store/settings/settingsvalues.h"

namespace kontavo {

class Registry;

// Typed access to the program's registry root, HKEY_CURRENT_USER
// "Software\Tarnwel\PIM\". Every call opens the key, reads or writes one value
// and closes it again: there is no cache. Every read names its default, which
// applies when the key or value is missing or the value has another type; a
// read never creates a key. A null subkey or value name makes a read return
// its default and a write fail. Subkeys are appended directly to the root
// path, so "Categories\Recent" is a nested key.
//
// Lists are a key holding a DWORD "Count" and one value per item named by its
// decimal index; a list is always rewritten whole (the key is deleted with
// everything below it first).
class SettingsStore {
public:
    explicit SettingsStore(Registry& registry);

    // The registry the settings live in.
    Registry& registry() const { return m_registry; }

    static QString rootPath() { return QStringLiteral("Software\\Tarnwel\\PIM\\"); }

    int32_t getInt(const QString& subkey, const QString& name, int32_t fallback) const;
    bool setInt(const QString& subkey, const QString& name, int32_t value);
    QString getString(const QString& subkey, const QString& name, const QString& fallback) const;
    // The stored text when it is shorter than `capacity` characters, else the
    // default (never a truncated text).
    QString getStringLimited(const QString& subkey, const QString& name, int capacity,
                             const QString& fallback) const;
    bool setString(const QString& subkey, const QString& name, const QString& text);
    // The bytes of a REG_BINARY value; empty for any other type or a missing value.
    QByteArray getBinary(const QString& subkey, const QString& name) const;
    bool setBinary(const QString& subkey, const QString& name, const QByteArray& bytes);
    // Deletes the subkey and everything below it.
    bool deleteKeyTree(const QString& subkey);
    bool deleteValue(const QString& subkey, const QString& name);

    // The value in "Settings" named by the path's last component (the text
    // after its last backslash, or the whole path): DWORD 1 or 0, default 0.
    bool setFileFlag(const QString& path, bool on);
    bool getFileFlag(const QString& path) const;

    // Lists of DWORDs or strings. A read stops at the first missing item.
    QList<uint32_t> getIntList(const QString& subkey) const;
    bool setIntList(const QString& subkey, const QList<uint32_t>& items);
    QStringList getStringList(const QString& subkey) const;
    bool setStringList(const QString& subkey, const QStringList& items);

    // The same operations on the named values of settingsvalues.h.
    int32_t get(const settings::IntValue& value) const;
    bool set(const settings::IntValue& value, int32_t number);
    QString get(const settings::StringValue& value) const;
    bool set(const settings::StringValue& value, const QString& text);
    QByteArray get(const settings::BinaryValue& value) const;
    bool set(const settings::BinaryValue& value, const QByteArray& bytes);

private:
    static QString keyPath(const QString& subkey);
    std::optional<QString> storedString(const QString& subkey, const QString& name) const;

    Registry& m_registry;
};

}  // namespace kontavo
