#pragma once

#include <QByteArray>
#include <QList>
#include <QPoint>
#include <QString>

namespace kontavo {

// A contact's note as the note editor works on it: paragraphs of formatted
// text and ink strokes. The stored form is a Pocket Word Ink document
// (notedocumentcodec.h, docs/formats/pocket-word-ink.md).

inline constexpr int kNoteColourCount = 16;
inline constexpr int kNoteIndentStep = 144;  // twips: a tenth of an inch

struct NoteCharFormat {
    QString face = QStringLiteral("Tahoma");
    int points = 8;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    int colour = 0;  // index into the sixteen note colours

    bool operator==(const NoteCharFormat&) const = default;
};

struct NoteRun {
    QString text;
    NoteCharFormat format;

    bool operator==(const NoteRun&) const = default;
};

enum class NoteAlignment { Left = 0, Centre = 1, Right = 2 };

struct NoteParagraph {
    QList<NoteRun> runs;
    NoteAlignment alignment = NoteAlignment::Left;
    bool bullets = false;
    int indent = 0;  // left indent in twips, a multiple of kNoteIndentStep

    QString text() const;
    bool operator==(const NoteParagraph&) const = default;
};

// A pen stroke, in document pixels at 96 dpi from the top left of the note.
struct NoteStroke {
    int colour = 0;
    int width = 1;
    QList<QPoint> points;

    bool operator==(const NoteStroke&) const = default;
};

struct NoteDocument {
    QList<NoteParagraph> paragraphs;
    QList<NoteStroke> strokes;
    // The stored document the note was read from when it was a readable
    // Pocket Word Ink document: its header and the records the editor does
    // not understand are written back from it byte for byte.
    QByteArray base;
};

}  // namespace kontavo
