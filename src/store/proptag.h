#pragma once

#include <cstdint>

namespace kontavo {

// Object identifier of a database record (contact or category); 0 = none.
using Oid = uint32_t;

// Database property tag: (16-bit property id << 16) | 16-bit value type. A
// written property whose type carries kPropDeleteFlag is deleted instead.
using PropTag = uint32_t;

namespace proptype {
inline constexpr uint16_t kInt16 = 0x0002;     // signed 16-bit integer
inline constexpr uint16_t kInt32 = 0x0003;     // signed 32-bit integer
inline constexpr uint16_t kString = 0x001F;    // UTF-16 string
inline constexpr uint16_t kFileTime = 0x0040;  // 64-bit FILETIME
inline constexpr uint16_t kBlob = 0x0041;      // byte count + bytes
}  // namespace proptype

inline constexpr uint16_t kPropDeleteFlag = 0x0200;

constexpr PropTag makePropTag(uint16_t id, uint16_t type) {
    return (PropTag(id) << 16) | type;
}
constexpr uint16_t propId(PropTag tag) {
    return uint16_t(tag >> 16);
}
// The value type without the delete flag.
constexpr uint16_t propType(PropTag tag) {
    return uint16_t(tag & 0xFFFF & ~kPropDeleteFlag);
}
constexpr bool hasDeleteFlag(PropTag tag) {
    return (tag & kPropDeleteFlag) != 0;
}
constexpr PropTag withDeleteFlag(PropTag tag) {
    return tag | kPropDeleteFlag;
}
// The tag of a standard string field.
constexpr PropTag stringPropTag(uint16_t id) {
    return makePropTag(id, proptype::kString);
}

// The contact properties that are not among the 43 string fields.
inline constexpr PropTag kTagBirthday = 0x40010040;
inline constexpr PropTag kTagAnniversary = 0x40030040;
inline constexpr PropTag kTagPreferredItem = 0x00500003;
inline constexpr PropTag kTagCategoryMask = 0x00160041;
inline constexpr PropTag kTagNotes = 0x00170041;

}  // namespace kontavo
