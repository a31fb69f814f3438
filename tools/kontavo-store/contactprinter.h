#pragma once

#include <QString>
#include <QStringList>

#include "platform/objectstore.h"
#include "store/contacts/listentry.h"

namespace kontavo {

class Locale;

// The text kontavo-store prints. Pure functions.

// `text` with every control character written as an escape (\t, \n, \r,
// else \xHH) and every backslash doubled, so that one value always prints
// as one piece of one line, whatever it holds.
QString printable(const QString& text);

// "OID<TAB>name<TAB>company<TAB>phone" for `list`, each value printable().
QString listLine(const ListEntry& entry);

// `show`: every property of the record (tag, name, value), the user note and
// the extended properties parsed from the notes, and the record checksum;
// texts printable().
// `categoryNames` are the names of the categories in its mask.
QString describeRecord(const DbRecord& read, const QStringList& categoryNames,
                       const Locale& locale);

// A FILETIME as YYYY-MM-DD (its 64 bits in hex when it has no date).
QString dateText(uint64_t time);

}  // namespace kontavo
