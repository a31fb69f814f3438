#include "store/contacts/categorynamerule.h"

#include "diag/resources.h"

namespace kontavo {

namespace {

constexpr int kCaptionAddCategory = 40239;
constexpr int kMessageBadName = 40240;

}  // namespace

std::optional<CategoryNameProblem> checkCategoryName(const QString& name) {
    if (!name.contains(QLatin1Char(',')) && !name.contains(QLatin1Char(';'))) {
        return std::nullopt;
    }
    return CategoryNameProblem{loadString(kMessageBadName), loadString(kCaptionAddCategory)};
}

}  // namespace kontavo
