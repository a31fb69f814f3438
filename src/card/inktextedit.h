#pragma once

#include <QTextEdit>

#include "card/noteeditorstate.h"
#include "store/notes/notedocument.h"

namespace kontavo {

class Screen;

// The note's editing surface: Qt's rich text with ink strokes over it. In
// typing mode it edits text; in drawing mode the pen draws strokes in the
// current pen colour (each stroke one step of the document's undo history).
// Strokes are kept in note coordinates (pixels at 96 dpi and 100 %) and
// drawn for the screen and zoom. It grows with its content instead of
// scrolling. A press held still (or the context-menu key) asks for the
// context menu through contextMenuAsked().
class InkTextEdit final : public QTextEdit {
    Q_OBJECT
public:
    InkTextEdit(const Screen& screen, QWidget* parent = nullptr);

    const Screen& screen() const { return m_screen; }
    bool drawing() const { return m_drawing; }
    void setDrawing(bool on);
    int penColour() const { return m_penColour; }
    void setPenColour(int index) { m_penColour = index; }
    int zoom() const { return m_zoom; }
    void setZoom(int percent);
    NoteEditorState::Background background() const { return m_background; }
    void setBackground(NoteEditorState::Background background);

    const QList<NoteStroke>& strokes() const { return m_strokes; }
    void setStrokes(const QList<NoteStroke>& strokes);
    // True once a stroke was added or taken back since setStrokes().
    bool strokesChanged() const { return m_strokesChanged; }

    // The height its content needs.
    int contentHeight() const;

    // Used by the undo history.
    void removeLastStroke();
    void addStroke(const NoteStroke& stroke);

signals:
    void contextMenuAsked(QPoint globalPos);
    void changed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QPoint toNote(QPointF viewportPos) const;
    QPointF toViewport(QPoint notePos) const;
    void paintBackground(QPainter& painter);

    const Screen& m_screen;
    bool m_drawing = false;
    int m_penColour = 0;
    int m_zoom = 100;
    NoteEditorState::Background m_background = NoteEditorState::Background::Plain;
    QList<NoteStroke> m_strokes;
    NoteStroke m_current;
    bool m_stroking = false;
    bool m_strokesChanged = false;
};

}  // namespace kontavo
