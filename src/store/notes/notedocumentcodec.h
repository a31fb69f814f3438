#pragma once

#include <QByteArray>
#include <optional>

#include "store/notes/notedocument.h"

namespace kontavo {

class Locale;

// Reads a stored note. A Pocket Word Ink document gives its paragraphs with
// their character formatting codes and paragraph attributes, and the strokes
// Kontavo stored; anything else is read as plain text (UTF-16 or the
// locale's code page), one paragraph per line. Never fails: what cannot be
// read is left out.
NoteDocument readNoteDocument(const QByteArray& stored, const Locale& locale);

// The Pocket Word Ink document of `note`. It is built on note.base when that
// is a readable document (its header, the records the editor does not
// understand, its closing record and left-over bytes are kept as they are),
// else on the empty note template. nullopt when it cannot be built (a
// paragraph or the document past what its fields can count, no memory).
std::optional<QByteArray> writeNoteDocument(const NoteDocument& note);

}  // namespace kontavo
