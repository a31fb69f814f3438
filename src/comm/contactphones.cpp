#include "comm/contactphones.h"

#include "comm/phonenumberformat.h"

namespace kontavo {

void formatContactPhones(ContactPhones& phones, const PhoneTemplateSet& set) {
    for (QString& number : phones.standard) {
        number = displayPhoneNumber(number, set);
    }
    for (QString& number : phones.extended) {
        number = displayPhoneNumber(number, set);
    }
}

}  // namespace kontavo
