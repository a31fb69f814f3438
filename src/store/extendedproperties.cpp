#include "store/extendedproperties.h"

#include <algorithm>

namespace kontavo {

bool ExtendedAddress::allSlotsEmpty() const {
    return std::all_of(parts.begin(), parts.end(), [](const QString& s) { return s.isEmpty(); });
}

bool ExtendedProperties::isEmpty() const {
    return phones.isEmpty() && emails.isEmpty() && webPages.isEmpty() && people.isEmpty() &&
           links.isEmpty() && otherProps.isEmpty() && messengers.isEmpty() && addresses.isEmpty() &&
           dates.isEmpty() && homeAddressFormat == 0 && workAddressFormat == 0 &&
           otherAddressFormat == 0 && image.isEmpty();
}

}  // namespace kontavo
