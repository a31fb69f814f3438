#include "card/addressformatcode.h"

#include "card/contactvaluemap.h"

namespace kontavo {

int addressFormatFromCode(uint32_t code) {
    if (code == 0) {
        return kNoAddressFormat;
    }
    if (code == kFirstCountryCode) {
        return 0;
    }
    // Codes past the table stand for its default wherever they are used.
    return code > uint32_t(INT32_MAX) ? INT32_MAX : int(code);
}

uint32_t addressFormatCode(int index) {
    if (index < 0) {
        return 0;
    }
    return index == 0 ? kFirstCountryCode : uint32_t(index);
}

}  // namespace kontavo
