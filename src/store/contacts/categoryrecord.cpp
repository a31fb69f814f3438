#include "store/contacts/categoryrecord.h"

namespace kontavo {

CategoryRecord CategoryRecord::fromProps(const DbRecord& read) {
    CategoryRecord record;
    record.oid = read.oid;
    for (const PropValue& value : read.props) {
        if (value.isNotFound()) {
            continue;
        }
        switch (value.tag()) {
            case categorytag::kName:
                record.name = value.toString();
                break;
            case categorytag::kPosition:
                record.position = value.toInt();
                break;
            case categorytag::kActive:
                record.active = value.toInt();
                break;
            case categorytag::kContactRefs:
                record.contactRefs = value.toInt();
                break;
            case categorytag::kOtherRefs1:
                record.otherRefs1 = value.toInt();
                break;
            case categorytag::kOtherRefs2:
                record.otherRefs2 = value.toInt();
                break;
            default:
                break;
        }
    }
    return record;
}

int CategoryRecord::referenceSum() const {
    return contactRefs.value_or(0) + otherRefs1.value_or(0) + otherRefs2.value_or(0);
}

Category CategoryRecord::toCategory() const {
    return {oid, name, int16_t(hasPosition() ? *position : -1), isActive()};
}

}  // namespace kontavo
