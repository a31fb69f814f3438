#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace kontavo {

// The registry's two hives.
enum class Hive { CurrentUser, LocalMachine };

// Value types with the handheld's numbering.
enum class RegType : uint32_t { Sz = 1, Binary = 3, Dword = 4 };

// One registry value: its type and raw bytes (DWORD: 4 bytes little-endian;
// SZ: UTF-16LE with the terminating zero; BINARY: as written).
struct RegValue {
    RegType type = RegType::Binary;
    QByteArray data;

    static RegValue fromDword(uint32_t value);
    static RegValue fromString(const QString& text);  // adds the terminating zero
    static RegValue fromBinary(const QByteArray& bytes);
    // The DWORD, when the value is a DWORD of 4 bytes.
    std::optional<uint32_t> dword() const;
    // The text up to the first zero, when the value is a string.
    std::optional<QString> string() const;

    bool operator==(const RegValue&) const = default;
};

QString hiveName(Hive hive);                              // "HKEY_CURRENT_USER", ...
std::optional<Hive> hiveFromName(const QString& name);    // also "HKCU", "HKLM"
QString regTypeName(RegType type);                        // "REG_DWORD", ...

// Hierarchical typed key-value store. Keys are backslash paths below a hive
// ("Software\Tarnwel\PIM\Settings"); key and value names compare
// case-insensitively and keep the spelling they were created with. Empty path
// components are ignored, so "A\\B\" names the key "A\B".
//
// Implementations are safe for several processes using the same store at
// once; one object is used from one thread.
class Registry {
public:
    virtual ~Registry() = default;

    // Creates the key and its missing parents; true when it exists after.
    virtual bool createKey(Hive hive, const QString& path) = 0;
    // True when the key exists (opening never creates).
    virtual bool keyExists(Hive hive, const QString& path) = 0;
    virtual std::optional<RegValue> queryValue(Hive hive, const QString& path,
                                               const QString& name) = 0;
    // Creates the key when needed and writes the value whole (atomically).
    virtual bool setValue(Hive hive, const QString& path, const QString& name,
                          const RegValue& value) = 0;
    // False when the key or the value does not exist.
    virtual bool deleteValue(Hive hive, const QString& path, const QString& name) = 0;
    // Deletes a key that has no subkeys, with its values. False when the key
    // does not exist or still has subkeys.
    virtual bool deleteKey(Hive hive, const QString& path) = 0;
    // The name of the subkey at `index` (creation order), nullopt past the end
    // or when the key does not exist.
    virtual std::optional<QString> enumSubkey(Hive hive, const QString& path, int index) = 0;
    // The names of the key's values (creation order); empty when none.
    virtual QStringList valueNames(Hive hive, const QString& path) = 0;
};

// Deletes `path` and everything below it: children first, always taking the
// first remaining subkey, until none is left or a deletion fails; the key
// itself goes last. The result is the success of that last deletion.
bool deleteKeyTree(Registry& registry, Hive hive, const QString& path);

}  // namespace kontavo
