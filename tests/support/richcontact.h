#pragma once

#include <QByteArray>

#include "store/record/contactrecord.h"

namespace kontavo::test {

// Address-format table indexes the rich contact uses.
inline constexpr uint32_t kGermanyFormat = 16;
inline constexpr uint32_t kUnitedStatesFormat = 57;

// A contact that fills every group of the card: a name with title, middle
// name, job title, company and department but no picture; five standard
// phones and an extended one; three e-mail addresses; two web pages; two
// messenger accounts; a German work address and a United States home
// address; birthday, anniversary and an extended date; office; people; a
// linked file; the categories of `categoryMask`; and a two-line note.
ContactRecord richContact(const QByteArray& categoryMask = QByteArray(1, '\0'));

}  // namespace kontavo::test
