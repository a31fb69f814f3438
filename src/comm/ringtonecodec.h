#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace kontavo {

// One entry of the category ringtone table: a category name and the device
// path of its sound file. A plain value.
struct RingtoneEntry {
    QString name;
    QString path;

    bool operator==(const RingtoneEntry&) const = default;
};

// The bytes of "Category ringtones.inf" (docs/formats/category-ringtones.md):
// "RGTN", version 1, the entry count, then per entry a 16-bit length, the
// UTF-16LE text and a zero code unit, for the name and then the path.
namespace ringtonecodec {

inline constexpr int kHeaderSize = 8;
inline constexpr quint16 kVersion = 1;
// Counts and lengths are 16-bit fields.
inline constexpr int kMaxCount = 0xFFFF;
inline constexpr int kMaxLength = 0xFFFF;

// The file for `entries`, in their order; nullopt when there is nothing to
// write (no entry) or a count or a length does not fit its 16-bit field.
std::optional<QByteArray> encode(const QList<RingtoneEntry>& entries);

// The entries of a file, in file order; nullopt when the magic, the version
// or the count is wrong, or when an entry runs past the end of `bytes`.
// Bytes after the last entry are ignored.
std::optional<QList<RingtoneEntry>> decode(const QByteArray& bytes);

}  // namespace ringtonecodec

}  // namespace kontavo
