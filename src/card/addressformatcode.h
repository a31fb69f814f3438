#pragma once

#include <cstdint>

namespace kontavo {

// How a contact stores the format of an address: 0 means the contact keeps
// no format (the address shows in the table's default), codes 1 and up are
// the index into the address-format table, except that the first country
// (index 0, which 0 cannot name) is stored as kFirstCountryCode. Every
// reader of a stored code goes through these two functions.
inline constexpr uint32_t kFirstCountryCode = 1000;

// The table index of a stored code; kNoAddressFormat (-1) for 0.
int addressFormatFromCode(uint32_t code);
// The code stored for table index `index`; 0 for a negative index.
uint32_t addressFormatCode(int index);

}  // namespace kontavo
