#pragma once

#include <QByteArray>
#include <QList>

#include "store/contacts/category.h"
#include "store/contacts/categoryrecord.h"

namespace kontavo {

class Locale;

// The lists the categories database answers, computed from its records.
// Names are ordered with the locale's collation, equal names by Oid.
// Pure functions (the locale's collator is used on the caller's thread).
namespace categorylisting {

// Categories with a non-empty name, a position and contact references > 0.
QList<Category> inUse(const QList<CategoryRecord>& records, const Locale& locale);
// Categories with a position that are active or whose bit is set in `mask`,
// so that a contact still shows a category the user deleted.
QList<Category> forContact(const QList<CategoryRecord>& records, const QByteArray& mask,
                           const Locale& locale);
// The positioned categories whose bits are set in `mask`.
QList<Category> ofMask(const QList<CategoryRecord>& records, const QByteArray& mask,
                       const Locale& locale);

// The indices in `list` (any order) of the categories whose positions are
// set in `mask`, ascending. The list is searched by bisection over a copy
// sorted by position.
QList<int> indicesOfMask(const QList<Category>& list, const QByteArray& mask);
// The mask of the selected categories; those without a position are left out.
QByteArray maskOf(const QList<Category>& selection);

void sortByName(QList<Category>& categories, const Locale& locale);

}  // namespace categorylisting
}  // namespace kontavo
