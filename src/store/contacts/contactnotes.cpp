#include "store/contacts/contactnotes.h"

#include "store/notes/extendedblock.h"

namespace kontavo {

ParsedNotes parseNotes(const QByteArray& notes, const Locale& locale) {
    ParsedNotes parsed;
    if (notes.isEmpty()) {
        return parsed;
    }
    if (!readBlock(notes, parsed.extended, parsed.text, locale)) {
        parsed.extended.clear();
        parsed.text = noteToText(notes, locale);
    }
    return parsed;
}

std::optional<RebuiltNotes> rebuildNotes(const ContactRecord& record, const Locale& locale) {
    const std::optional<QByteArray> blob = writeBlock(record.userNote, record.extended, locale);
    if (!blob) {
        return std::nullopt;
    }
    return RebuiltNotes{*blob, parseNotes(*blob, locale)};
}

}  // namespace kontavo
