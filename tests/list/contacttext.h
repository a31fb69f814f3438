#pragma once

#include <QString>

#include "store/record/proptag.h"

namespace kontavo {
class ContactManager;
}

namespace kontavo::test {

// Every text of the contact that the search may find (its string fields,
// the values of its extended properties and its note), blank-separated and
// lower-cased; empty when the contact cannot be read.
QString searchableText(ContactManager& manager, Oid oid);
// Whether a word of `text` (split at anything but letters and digits)
// begins with `prefix`.
bool hasWordStartingWith(const QString& text, const QString& prefix);
// Whether a word of `text` begins with one of `letters`.
bool hasWordStartingWithOneOf(const QString& text, const QString& letters);

}  // namespace kontavo::test
