#pragma once

#include <QString>

#include "store/index/searchwords.h"
#include "store/record/filetime.h"

namespace kontavo {

class Locale;
class LetterGroupSet;
struct IndexedContact;

// A date as the index files it: the locale's short date format, the way the
// card shows it ("3/14/1975", "14.03.1975"), so that what the user reads is
// what the search finds. Empty for 0 (not set) or a time without a date.
QString indexDateText(FileTime time, const Locale& locale);

// Every searchable word of a contact, for both word trees: the 43 standard
// fields; Birthday and Anniversary as date text; each number of
// allPhoneNumbers() with its digits key; the values of the extended e-mails,
// web pages, people, links and other properties; the messenger accounts; the
// extended dates as date text; per extra address its format code (decimal,
// when not 0) and its five parts; the three standard format codes (decimal,
// when not 0); the notes text. `groups` may be null (no group words); both it
// and `locale` are only read.
SearchWords contactWords(const IndexedContact& contact, const LetterGroupSet* groups,
                         const Locale& locale);

}  // namespace kontavo
