#include "store/contacts/category.h"

#include "diag/resources.h"

namespace kontavo {

namespace {

constexpr int kDeletedCategorySuffix = 40242;

}  // namespace

QString categoryDisplayName(const Category& category) {
    if (category.active) {
        return category.name;
    }
    return category.name + loadString(kDeletedCategorySuffix);
}

}  // namespace kontavo
