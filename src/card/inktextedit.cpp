#include "card/inktextedit.h"

#include <QAbstractTextDocumentLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextDocument>

#include "card/notestrokes.h"
#include "card/notetextformat.h"
#include "platform/screen.h"

namespace kontavo {

namespace {

// Lines and squares of the backgrounds, at 96 dpi and 100 %.
constexpr int kRuleSpacing = 16;

// One stroke in the document's undo history.
class StrokeUndo final : public QAbstractUndoItem {
public:
    StrokeUndo(InkTextEdit& edit, NoteStroke stroke) : m_edit(edit), m_stroke(std::move(stroke)) {}
    void undo() override { m_edit.removeLastStroke(); }
    void redo() override { m_edit.addStroke(m_stroke); }

private:
    InkTextEdit& m_edit;
    NoteStroke m_stroke;
};

}  // namespace

InkTextEdit::InkTextEdit(const Screen& screen, QWidget* parent)
    : QTextEdit(parent), m_screen(screen) {
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setAutoFillBackground(false);
    setAcceptRichText(true);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    connect(document(), &QTextDocument::contentsChanged, this, &InkTextEdit::changed);
}

void InkTextEdit::setDrawing(bool on) {
    m_drawing = on;
    setReadOnly(on);
    viewport()->setCursor(on ? Qt::CrossCursor : Qt::IBeamCursor);
}

void InkTextEdit::setZoom(int percent) {
    if (percent == m_zoom) {
        return;
    }
    m_zoom = percent;
    notetext::rescale(*document(), m_screen, m_zoom);
    viewport()->update();
    emit changed();
}

void InkTextEdit::setBackground(NoteEditorState::Background background) {
    m_background = background;
    viewport()->update();
}

void InkTextEdit::setStrokes(const QList<NoteStroke>& strokes) {
    m_strokes = strokes;
    m_strokesChanged = false;
    viewport()->update();
}

void InkTextEdit::removeLastStroke() {
    if (!m_strokes.isEmpty()) {
        m_strokes.removeLast();
        m_strokesChanged = true;
        viewport()->update();
        emit changed();
    }
}

void InkTextEdit::addStroke(const NoteStroke& stroke) {
    m_strokes.append(stroke);
    m_strokesChanged = true;
    viewport()->update();
    emit changed();
}

int InkTextEdit::contentHeight() const {
    int height = int(document()->documentLayout()->documentSize().height());
    for (const NoteStroke& stroke : m_strokes) {
        for (const QPoint& point : stroke.points) {
            height = std::max(height, int(toViewport(point).y()) + verticalScrollBar()->value() +
                                          m_screen.scaleY(4));
        }
    }
    return height + 2 * frameWidth();
}

QPoint InkTextEdit::toNote(QPointF viewportPos) const {
    const double factor = 96.0 / m_screen.dpiX() * 100.0 / m_zoom;
    return QPoint(int(std::lround((viewportPos.x() + horizontalScrollBar()->value()) * factor)),
                  int(std::lround((viewportPos.y() + verticalScrollBar()->value()) * factor)));
}

QPointF InkTextEdit::toViewport(QPoint notePos) const {
    const double factor = m_screen.dpiX() / 96.0 * m_zoom / 100.0;
    return QPointF(notePos.x() * factor - horizontalScrollBar()->value(),
                   notePos.y() * factor - verticalScrollBar()->value());
}

void InkTextEdit::paintBackground(QPainter& painter) {
    painter.fillRect(viewport()->rect(), Qt::white);
    if (m_background == NoteEditorState::Background::Plain) {
        return;
    }
    const double step = kRuleSpacing * m_screen.dpiY() / 96.0 * m_zoom / 100.0;
    painter.setPen(QColor(200, 220, 240));
    const QRect area = viewport()->rect();
    const double top = -std::fmod(double(verticalScrollBar()->value()), step);
    for (double y = top + step; y < area.height(); y += step) {
        painter.drawLine(QPointF(0, y), QPointF(area.width(), y));
    }
    if (m_background == NoteEditorState::Background::Graph) {
        for (double x = step; x < area.width(); x += step) {
            painter.drawLine(QPointF(x, 0), QPointF(x, area.height()));
        }
    }
}

void InkTextEdit::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(viewport());
        paintBackground(painter);
    }
    QTextEdit::paintEvent(event);
    QPainter painter(viewport());
    QList<NoteStroke> shown = m_strokes;
    if (m_stroking) {
        shown.append(m_current);
    }
    drawNoteStrokes(painter, shown, m_screen.dpiX() / 96.0 * m_zoom / 100.0,
                    toViewport(QPoint(0, 0)));
}

void InkTextEdit::mousePressEvent(QMouseEvent* event) {
    if (!m_drawing || event->button() != Qt::LeftButton) {
        QTextEdit::mousePressEvent(event);
        return;
    }
    m_stroking = true;
    m_current = NoteStroke{m_penColour, 1, {toNote(event->position())}};
}

void InkTextEdit::mouseMoveEvent(QMouseEvent* event) {
    if (!m_stroking) {
        QTextEdit::mouseMoveEvent(event);
        return;
    }
    const QPoint point = toNote(event->position());
    if (point != m_current.points.last()) {
        m_current.points.append(point);
        viewport()->update();
    }
}

void InkTextEdit::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_stroking) {
        QTextEdit::mouseReleaseEvent(event);
        return;
    }
    m_stroking = false;
    document()->appendUndoItem(new StrokeUndo(*this, m_current));
    addStroke(m_current);
}

void InkTextEdit::contextMenuEvent(QContextMenuEvent* event) {
    emit contextMenuAsked(event->globalPos());
}

}  // namespace kontavo
