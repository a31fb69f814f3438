#include "card/noteview.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>

#include "card/notestrokes.h"
#include "card/notetextformat.h"

namespace kontavo {

NoteView::NoteView(const NoteDocument& note, const Screen& screen)
    : m_screen(screen), m_strokes(note.strokes) {
    m_document.setUndoRedoEnabled(false);
    notetext::fill(m_document, note.paragraphs, m_screen, 100);
    for (const NoteParagraph& paragraph : note.paragraphs) {
        if (!paragraph.text().trimmed().isEmpty()) {
            m_hasText = true;
        }
    }
}

double NoteView::inkFactor() const {
    return m_screen.dpiX() / 96.0;
}

void NoteView::wrapTo(int width) {
    if (m_document.textWidth() != width) {
        m_document.setTextWidth(std::max(1, width));
    }
}

int NoteView::height(int width) {
    wrapTo(width);
    const int text = m_hasText ? int(std::ceil(m_document.size().height())) : 0;
    return std::max(text, noteStrokesBottom(m_strokes, inkFactor()));
}

void NoteView::draw(QPainter& painter, const QRect& box) {
    wrapTo(box.width());
    painter.save();
    painter.translate(box.topLeft());
    const QRectF clip(0, 0, box.width(), box.height());
    if (m_hasText) {
        m_document.drawContents(&painter, clip);
    }
    painter.setClipRect(clip);
    drawNoteStrokes(painter, m_strokes, inkFactor(), QPointF(0, 0));
    painter.restore();
}

}  // namespace kontavo
