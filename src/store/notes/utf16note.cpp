#include "store/notes/utf16note.h"

#include "store/notes/pocketwordink.h"

namespace kontavo {

QByteArray utf16Note(const QString& text) {
    if (text.isEmpty()) {
        return {};
    }
    QByteArray bytes("\xFE\xFF", 2);
    bytes.reserve(2 + 2 * text.size());
    for (const QChar c : text) {
        ink::appendU16(bytes, c.unicode());
    }
    return bytes;
}

}  // namespace kontavo
