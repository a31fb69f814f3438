#pragma once

#include <QList>
#include <QPointF>

#include "store/notes/notedocument.h"

class QPainter;

namespace kontavo {

// Draws the note's ink: each stroke in its note colour, its points (note
// coordinates: pixels at 96 dpi from the note's top left) multiplied by
// `factor` (the screen's dpi / 96 times the zoom) and moved by `origin`,
// with round ends; a stroke of one point is a dot.
void drawNoteStrokes(QPainter& painter, const QList<NoteStroke>& strokes, double factor,
                     QPointF origin);

// The lowest point the strokes reach at `factor`, in pixels below the
// note's top (0 without strokes).
int noteStrokesBottom(const QList<NoteStroke>& strokes, double factor);

}  // namespace kontavo
