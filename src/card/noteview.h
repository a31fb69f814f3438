#pragma once

#include <QTextDocument>

#include "platform/screen.h"
#include "store/notes/notedocument.h"

class QPainter;

namespace kontavo {

// A note document shown read-only: its paragraphs with their character
// and paragraph formats (as the note editor shows them at 100 %) and its
// ink over them, scaled to the screen. It wraps to the width it is given.
// UI thread only.
class NoteView {
public:
    NoteView(const NoteDocument& note, const Screen& screen);
    NoteView(const NoteView&) = delete;
    NoteView& operator=(const NoteView&) = delete;

    // The height the note takes when `width` pixels wide.
    int height(int width);
    // Draws the note into `box` (its text wrapped to the box's width).
    void draw(QPainter& painter, const QRect& box);

private:
    void wrapTo(int width);
    double inkFactor() const;

    Screen m_screen;
    QTextDocument m_document;
    QList<NoteStroke> m_strokes;
    bool m_hasText = false;
};

}  // namespace kontavo
