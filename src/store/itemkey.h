#pragma once

#include <QStringView>
#include <cstdint>

namespace kontavo {

// Identifiers at or above this value name extended phones and e-mails;
// smaller ones are property tags of standard fields.
inline constexpr uint32_t kExtendedItemBase = 0xF0000000;

// The string sum of an item key: the wrapping signed 32-bit sum over the
// UTF-16 code units c at positions i = 0, 1, ... of int16(c) for even i and
// of int16(((c & 0xFF) << 8) | (c > 0xFF ? 1 : 0)) for odd i.
int32_t itemStringSum(QStringView text);

// The 32-bit identifier of an extended phone or e-mail entry:
// ((0xF000 | (sum(label) & 0xFFFF)) << 16) | v, where v is the low 16 bits
// of sum(value) sign-extended to 32 bits, so a value sum with bit 15 set
// fills the upper half with ones. The list, the phone menu and the preferred
// item all use this one function.
uint32_t itemKey(QStringView label, QStringView value);

}  // namespace kontavo
