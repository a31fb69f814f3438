#include "store/contacts/categoryfilter.h"

#include "store/contacts/categorymask.h"

namespace kontavo {

CategoryFilter CategoryFilter::sharing(const QByteArray& selection) {
    if (categorymask::isNone(selection)) {
        return none();
    }
    return CategoryFilter(Kind::Sharing, selection);
}

bool CategoryFilter::keeps(const QByteArray& contactMask) const {
    switch (m_kind) {
        case Kind::Any:
            return true;
        case Kind::None:
            return categorymask::isNone(contactMask);
        case Kind::Sharing:
            return categorymask::intersects(contactMask, m_selection);
    }
    return false;
}

}  // namespace kontavo
