#pragma once

#include <QList>
#include <QString>
#include <functional>

#include "list/contactlisttypes.h"
#include "store/contacts/listentry.h"

namespace kontavo {

class Locale;

// The order of the list's contacts for a sort type:
// - sort type 0 (name): by the display name ("Last, First", else the one
//   set, else the title), a contact without one by its company;
// - sort type 1 ("File As"): by `fileAs` of each contact;
// - sort type 2 (company): grouped by company (company, then display name).
// Strings compare by the locale's collation, ties by Oid. With `recent`
// (the recently used contacts, newest first) a flat list keeps that order
// instead. Pure apart from `fileAs`, called once per entry for sort type 1.
ContactListSource arrangeContacts(const QList<ListEntry>& entries, int sortType,
                                  const QList<Oid>* recent,
                                  const std::function<QString(Oid)>& fileAs, const Locale& locale);

}  // namespace kontavo
