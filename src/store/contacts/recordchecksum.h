#pragma once

#include <QByteArrayView>
#include <QStringView>
#include <cstdint>

#include "platform/objectstore.h"
#include "store/record/contactrecord.h"

namespace kontavo {

// The record checksum the index keeps per contact to find records changed
// while the program was not running. The 32-bit wrapping sum of: the Oid,
// the preferred item, the low and high halves of Birthday and Anniversary,
// the string sum of every string, and the notes sum. Both forms below give
// the same value for a record that holds only the contact properties.
// Pure functions; safe on any thread.

// The sum of a string's UTF-16 code units taken in pairs as 32-bit
// little-endian words (low unit first); a final odd unit counts alone.
uint32_t stringChecksum(QStringView text);
// The byte length of the notes plus the sum of their bytes taken in pairs
// as 16-bit little-endian words; a final odd byte counts alone.
uint32_t notesChecksum(QByteArrayView notes);

// From a record whose notes blob holds the notes as stored (rebuilt from the
// user note and the extended properties before a save).
uint32_t recordChecksum(const ContactRecord& record);
// From the properties of a record as read with no property list: its Oid,
// the integer 0x0050, the FILETIMEs 0x4001 and 0x4003, the blob 0x0017 and
// every string property present, whatever its id.
uint32_t rawRecordChecksum(const DbRecord& read);

}  // namespace kontavo
