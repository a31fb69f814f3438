#include "platform/propvalue.h"

namespace kontavo {

PropValue::PropValue(PropTag tag, PropType valueType)
    : m_tag(tag & ~PropTag(kPropDelete)),
      m_valueType(valueType),
      m_flags((tag & kPropDelete) != 0 ? kPropDelete : 0) {}

PropValue PropValue::int16(PropTag tag, int16_t value) {
    PropValue prop(tag, PropType::Int16);
    prop.m_number = value;
    return prop;
}

PropValue PropValue::int32(PropTag tag, int32_t value) {
    PropValue prop(tag, PropType::Int32);
    prop.m_number = value;
    return prop;
}

PropValue PropValue::string(PropTag tag, const QString& value) {
    PropValue prop(tag, PropType::String);
    // A null string reads back as empty; keep the two the same here too.
    prop.m_text = value.isNull() ? QString(QLatin1String("")) : value;
    return prop;
}

PropValue PropValue::fileTime(PropTag tag, uint64_t value) {
    PropValue prop(tag, PropType::FileTime);
    prop.m_number = int64_t(value);
    return prop;
}

PropValue PropValue::blob(PropTag tag, const QByteArray& value) {
    PropValue prop(tag, PropType::Blob);
    prop.m_bytes = value.isNull() ? QByteArray("") : value;
    return prop;
}

PropValue PropValue::deletion(PropTag tag) {
    PropValue prop(tag, tagType(tag & ~PropTag(kPropDelete)));
    prop.m_flags = kPropDelete;
    return prop;
}

PropValue PropValue::notFound(PropTag tag) {
    PropValue prop(tag, tagType(tag & ~PropTag(kPropDelete)));
    prop.m_flags = kPropNotFound;
    return prop;
}

int32_t PropValue::toInt() const {
    const bool integer = m_valueType == PropType::Int16 || m_valueType == PropType::Int32;
    return integer && m_flags == 0 ? int32_t(m_number) : 0;
}

uint64_t PropValue::toFileTime() const {
    return m_valueType == PropType::FileTime && m_flags == 0 ? uint64_t(m_number) : 0;
}

QString PropValue::toString() const {
    return m_text;
}

QByteArray PropValue::toBlob() const {
    return m_bytes;
}

bool PropValue::isValid() const {
    const bool flagsOk = m_flags == 0 || m_flags == kPropDelete || m_flags == kPropNotFound;
    return flagsOk && hasKnownType(m_tag) && m_valueType == type();
}

bool PropValue::operator==(const PropValue& other) const {
    return m_tag == other.m_tag && m_valueType == other.m_valueType && m_flags == other.m_flags &&
           m_number == other.m_number && m_text == other.m_text && m_bytes == other.m_bytes;
}

}  // namespace kontavo
