#pragma once

#include <QString>
#include <optional>

namespace kontavo {

// Why a new category name is refused, as the category editor shows it in a
// message box with the exclamation icon (the editor then stays open).
struct CategoryNameProblem {
    QString message;  // "Category names cannot contain ' , ' or ' ; ' symbols." (40240)
    QString caption;  // "Add category" (40239)
};

// A new category name may not contain "," or ";": those separate the names
// where a contact's categories are written as one text. nullopt when `name`
// is acceptable (an empty name is the caller's business: it adds nothing).
std::optional<CategoryNameProblem> checkCategoryName(const QString& name);

}  // namespace kontavo
