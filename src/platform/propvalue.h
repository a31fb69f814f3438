#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>

#include "platform/objectstoretypes.h"

namespace kontavo {

// One property of a record: its tag, flags (kPropDelete when written,
// kPropNotFound when read) and value. A plain copyable value; strings and
// blobs are shared copy-on-write.
class PropValue {
public:
    PropValue() = default;

    static PropValue int16(PropTag tag, int16_t value);
    static PropValue int32(PropTag tag, int32_t value);
    static PropValue string(PropTag tag, const QString& value);
    static PropValue fileTime(PropTag tag, uint64_t value);
    static PropValue blob(PropTag tag, const QByteArray& value);
    // A property to be written that deletes `tag` from the record. Any
    // factory given `tag | kPropDelete` makes the same deletion.
    static PropValue deletion(PropTag tag);
    // A read property that the record does not have.
    static PropValue notFound(PropTag tag);

    PropTag tag() const { return m_tag; }
    PropType type() const { return tagType(m_tag); }
    uint16_t flags() const { return m_flags; }
    bool isDeletion() const { return (m_flags & kPropDelete) != 0; }
    bool isNotFound() const { return (m_flags & kPropNotFound) != 0; }

    // The value; a getter of another type than the tag's returns zero/empty.
    int32_t toInt() const;  // Int16 or Int32
    uint64_t toFileTime() const;
    QString toString() const;
    QByteArray toBlob() const;

    // True when the tag has a known type, the value was built for that type
    // and the flags are 0, kPropDelete or kPropNotFound alone.
    bool isValid() const;

    bool operator==(const PropValue& other) const;

private:
    // A tag carrying kPropDelete makes a deletion of the tag without it.
    PropValue(PropTag tag, PropType valueType);

    PropTag m_tag = 0;
    PropType m_valueType = PropType::Int32;
    uint16_t m_flags = 0;
    int64_t m_number = 0;  // Int16, Int32, FileTime (as its 64 bits)
    QString m_text;
    QByteArray m_bytes;
};

using PropList = QList<PropValue>;

}  // namespace kontavo
