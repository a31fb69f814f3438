// Fuzz target: the note editor's reader on arbitrary stored notes. Whatever
// it reads must write as a document that reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/locale.h"
#include "store/notes/notedocumentcodec.h"

using namespace kontavo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const Locale locale(QLocale(QLocale::English, QLocale::UnitedStates));
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const NoteDocument note = readNoteDocument(bytes, locale);
    const std::optional<QByteArray> written = writeNoteDocument(note);
    if (!written) {
        return 0;  // past what the fields can count
    }
    const NoteDocument again = readNoteDocument(*written, locale);
    if (again.paragraphs.size() != std::max<qsizetype>(1, note.paragraphs.size()) ||
        again.strokes.size() != note.strokes.size()) {
        std::abort();
    }
    return 0;
}
