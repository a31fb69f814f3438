#pragma once

#include <QList>
#include <QTextCharFormat>

#include "store/notes/notedocument.h"

class QTextDocument;

namespace kontavo {

class Screen;

// The note's formats in a QTextDocument: a character format keeps the
// note's point size and colour index as properties beside the font it
// shows (sized in pixels for the screen at a zoom percentage); a paragraph
// keeps its indent in twips, bullets are a disc list.
namespace notetext {

QTextCharFormat charFormat(const NoteCharFormat& format, const Screen& screen, int zoom);
NoteCharFormat noteFormat(const QTextCharFormat& format);
// Sets the note point size of `format` and the font's pixel size for it.
void setPoints(QTextCharFormat& format, int points, const Screen& screen, int zoom);
// Sets the note colour index of `format` and the brush that shows it.
void setColour(QTextCharFormat& format, int index);
// The pixel size of `points` on `screen` at `zoom` percent.
int pixelSize(int points, const Screen& screen, int zoom);
// The indent of `twips` in pixels.
double indentPixels(int twips, const Screen& screen, int zoom);

void fill(QTextDocument& document, const QList<NoteParagraph>& paragraphs, const Screen& screen,
          int zoom);
QList<NoteParagraph> paragraphs(const QTextDocument& document);
// Sizes fonts and indents again for another zoom.
void rescale(QTextDocument& document, const Screen& screen, int zoom);

// The paragraph's indent in twips.
int indentOf(const QTextBlockFormat& format);
void setIndent(QTextBlockFormat& format, int twips, const Screen& screen, int zoom);

}  // namespace notetext

}  // namespace kontavo
