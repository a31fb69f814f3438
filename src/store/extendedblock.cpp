#include "store/extendedblock.h"

#include "diag/resources.h"
#include "platform/ansicodec.h"
#include "store/blocklocator.h"
#include "store/blockwriter.h"
#include "store/inkdocumentedit.h"
#include "store/inknotetext.h"

namespace kontavo {

namespace {

constexpr int kNoteTemplateId = 170;

QString utf16Units(const QByteArray& notes) {
    QString text;
    text.reserve((notes.size() - 2) / 2);
    for (qsizetype at = 2; at + 1 < notes.size(); at += 2) {
        text += QChar(ink::readU16(notes, at));
    }
    return text;
}

QByteArray utf16Bytes(const QByteArray& original, QStringView text) {
    QByteArray out = original.first(2);
    for (QChar c : text) {
        ink::appendU16(out, c.unicode());
    }
    if (original.size() % 2 != 0) {
        out += original.back();  // an odd last byte belongs to no code unit; keep it
    }
    return out;
}

void takeProperties(ExtendedProperties& target, const ExtendedProperties& parsed) {
    const uint32_t checksum = target.checksum;
    target = parsed;
    target.checksum = checksum;
}

QByteArray stripUtf16(const QByteArray& notes) {
    const QString text = utf16Units(notes);
    const BlockMatch match = locateBlock(text);
    if (!match.parsed) {
        return notes;
    }
    const QString rest = text.first(match.start) + text.sliced(match.end);
    return rest.trimmed().isEmpty() ? QByteArray() : utf16Bytes(notes, rest);
}

QByteArray stripAnsi(const QByteArray& notes, const AnsiCodec& codec) {
    const BlockMatch match = locateBlock(notes, codec);
    if (!match.parsed) {
        return notes;
    }
    const QByteArray rest = notes.first(match.start) + notes.sliced(match.end);
    return codec.toUnicode(rest).trimmed().isEmpty() ? QByteArray() : rest;
}

QByteArray stripInk(const QByteArray& notes) {
    const auto unchanged = [&notes] {
        return ink::documentState(notes) == ink::DocumentState::Empty ? QByteArray() : notes;
    };
    const ink::InkNoteText note(notes);
    const BlockMatch match = locateBlock(note.text());
    if (!match.parsed) {
        return unchanged();
    }
    const auto stripped = ink::cutInkText(notes, note.cutFor(match.start, match.end));
    if (!stripped) {
        return unchanged();
    }
    return ink::documentState(*stripped) == ink::DocumentState::Empty ? QByteArray() : *stripped;
}

// One paragraph per maximal run of characters without CR and LF.
QList<QByteArray> plainLineParagraphs(const QString& text) {
    QList<QByteArray> paragraphs;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == u'\r' || text[i] == u'\n') {
            if (i > start) {
                paragraphs.append(
                    ink::plainParagraphText(QStringView(text).sliced(start, i - start)));
            }
            start = i + 1;
        }
    }
    return paragraphs;
}

}  // namespace

NoteEncoding noteEncoding(const QByteArray& notes) {
    if (ink::hasInkSignature(notes)) {
        return NoteEncoding::PocketWordInk;
    }
    if (notes.size() >= 2 && uint8_t(notes[0]) == 0xFE && uint8_t(notes[1]) == 0xFF) {
        return NoteEncoding::Utf16;
    }
    return NoteEncoding::Ansi;
}

QString noteToText(const QByteArray& notes, const Locale& locale) {
    switch (noteEncoding(notes)) {
        case NoteEncoding::PocketWordInk:
            return ink::InkNoteText(notes).text();
        case NoteEncoding::Utf16:
            return utf16Units(notes);
        case NoteEncoding::Ansi:
            break;
    }
    return locale.ansiCodec().toUnicode(notes);
}

bool readBlock(const QByteArray& notes, ExtendedProperties& properties, QString& userText,
               const Locale& locale) {
    userText.clear();
    const QString text = noteToText(notes, locale);
    const BlockMatch match = locateBlock(text);
    if (match.found && !match.parsed) {
        return false;
    }
    takeProperties(properties, match.props);
    if (!match.found) {
        userText = text;
        return true;
    }
    userText = text.first(match.start);
    if (match.end < text.size()) {
        userText += QLatin1Char(' ') + text.sliced(match.end);
    }
    return true;
}

QByteArray stripBlock(const QByteArray& notes, const Locale& locale) {
    switch (noteEncoding(notes)) {
        case NoteEncoding::PocketWordInk:
            return stripInk(notes);
        case NoteEncoding::Utf16:
            return stripUtf16(notes);
        case NoteEncoding::Ansi:
            break;
    }
    return stripAnsi(notes, locale.ansiCodec());
}

std::optional<QByteArray> writeBlock(const QByteArray& userNote,
                                     const ExtendedProperties& properties, const Locale& locale) {
    if (properties.isEmpty()) {
        return userNote;
    }
    const bool plain = noteEncoding(userNote) != NoteEncoding::PocketWordInk;
    QList<QByteArray> paragraphs;
    if (plain && !userNote.isEmpty()) {
        paragraphs = plainLineParagraphs(noteToText(userNote, locale));
    }
    paragraphs += blockParagraphs(properties);
    if (!plain) {
        return ink::appendInkParagraphs(userNote, paragraphs);
    }
    static const std::optional<QByteArray> base =
        loadResource(QStringLiteral("NOTE"), kNoteTemplateId);
    if (!base) {
        return std::nullopt;
    }
    return ink::appendInkParagraphs(*base, paragraphs);
}

ink::DocumentState isEmptyDocument(const QByteArray& document) {
    return ink::documentState(document);
}

}  // namespace kontavo
