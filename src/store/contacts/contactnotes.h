#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "store/record/contactrecord.h"

namespace kontavo {

class Locale;

// A contact's notes as the index takes them: the extended properties read
// out of the block and the user's text for the word search.
struct ParsedNotes {
    ExtendedProperties extended;
    QString text;
};

// Reads the block out of stored notes. A block that does not parse leaves
// the extended properties empty and makes the whole note text searchable.
ParsedNotes parseNotes(const QByteArray& notes, const Locale& locale);

// The notes to store for `record`, rebuilt from its user note and extended
// properties, with their parsed form read back from the result. nullopt when
// the notes cannot be built (a damaged Pocket Word Ink user note, a value
// too long for a paragraph): the save must then fail and write nothing.
struct RebuiltNotes {
    QByteArray blob;
    ParsedNotes parsed;
};
std::optional<RebuiltNotes> rebuildNotes(const ContactRecord& record, const Locale& locale);

}  // namespace kontavo
