#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "platform/locale.h"
#include "store/extendedproperties.h"
#include "store/pocketwordink.h"

namespace kontavo {

// The extended property block a contact keeps in its notes, between the
// lines "== start pim information ==" and "== end pim information ==", and
// the three note encodings it lives in: a Pocket Word Ink document (starts
// with "{\pwi"), plain UTF-16 (first bytes FE FF, then little-endian code
// units) and plain 8-bit text in the locale's ANSI code page. See
// docs/formats/extended-property-block.md.
//
// Pure functions of their arguments; safe on any bytes and on any thread
// (the locale is only read).

enum class NoteEncoding { PocketWordInk, Utf16, Ansi };
NoteEncoding noteEncoding(const QByteArray& notes);

// The note as plain text: a Pocket Word Ink note's non-empty paragraphs
// joined by single blanks, a UTF-16 note's code units after its first two
// bytes, an 8-bit note converted from the locale's ANSI code page.
QString noteToText(const QByteArray& notes, const Locale& locale = Locale::user());

// Reads the block out of a note. On success `properties` takes the parsed
// values (its checksum is kept) and `userText` the note's text without the
// block: the text before the start marker, then one blank and the text after
// the end marker when there is any. A note without a block succeeds with
// empty properties and its whole text. When the note has a block and none
// parses, returns false, leaves `properties` as they were and empties
// `userText`.
bool readBlock(const QByteArray& notes, ExtendedProperties& properties, QString& userText,
               const Locale& locale = Locale::user());

// The note without its block, in the note's own encoding: the user note the
// editor shows. Plain text loses the markers and what lies between them; a
// Pocket Word Ink note loses the block's paragraphs (see cutInkText()). A
// result that is white space only, or an empty document, becomes empty. A
// note whose block does not parse, or whose document cannot be rewritten,
// comes back unchanged (empty when it is an empty document), so that a
// later save keeps the block text instead of dropping it.
QByteArray stripBlock(const QByteArray& notes, const Locale& locale = Locale::user());

// The notes to store for a user note (as stripBlock() returns it; it must
// hold no parsable block) and extended properties. Empty properties give the
// user note unchanged. Otherwise the block is appended as Pocket Word Ink
// paragraphs: to the user note when it is a Pocket Word Ink document, else to
// the empty "NOTE" template, after one paragraph per non-empty line of a
// plain user note. nullopt when the document cannot be built (a damaged
// user note, a line or value too long for a paragraph); the caller then keeps
// the notes it has and reports the save as failed.
std::optional<QByteArray> writeBlock(const QByteArray& userNote,
                                     const ExtendedProperties& properties,
                                     const Locale& locale = Locale::user());

// Whether a document is an empty Pocket Word Ink document (see
// ink::documentState()).
ink::DocumentState isEmptyDocument(const QByteArray& document);

}  // namespace kontavo
