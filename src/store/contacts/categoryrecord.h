#pragma once

#include <QString>
#include <optional>

#include "platform/objectstore.h"
#include "store/contacts/category.h"

namespace kontavo {

// Property tags of a record of "\Categories Database". The integers are
// signed 16-bit values.
namespace categorytag {
inline constexpr PropTag kName = 0x4001001F;
inline constexpr PropTag kPosition = 0x40020002;
// 1 = in use; 0 = deleted by the user but kept while references remain.
inline constexpr PropTag kActive = 0x40030002;
// The number of contacts whose mask has the category's bit.
inline constexpr PropTag kContactRefs = 0x40040002;
// Reference counts that other programs sharing the database keep; read, never changed here.
inline constexpr PropTag kOtherRefs1 = 0x40050002;
inline constexpr PropTag kOtherRefs2 = 0x40060002;
}  // namespace categorytag

// One category record as read; an absent property stays nullopt. A plain value.
struct CategoryRecord {
    Oid oid = 0;
    QString name;
    std::optional<int> position;
    std::optional<int> active;
    std::optional<int> contactRefs;
    std::optional<int> otherRefs1;
    std::optional<int> otherRefs2;

    static CategoryRecord fromProps(const DbRecord& read);

    // A position of -1 (or any negative value) is no position.
    bool hasPosition() const { return position && *position >= 0; }
    // Only an active property of 0 makes a category inactive.
    bool isActive() const { return !active || *active != 0; }
    // The three reference counts, absent ones as 0.
    int referenceSum() const;
    Category toCategory() const;
};

}  // namespace kontavo
