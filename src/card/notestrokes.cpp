#include "card/notestrokes.h"

#include <QPainter>
#include <QPainterPath>

#include "card/notecolours.h"

namespace kontavo {

void drawNoteStrokes(QPainter& painter, const QList<NoteStroke>& strokes, double factor,
                     QPointF origin) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const auto place = [&](QPoint point) { return QPointF(point) * factor + origin; };
    for (const NoteStroke& stroke : strokes) {
        if (stroke.points.isEmpty()) {
            continue;
        }
        painter.setPen(QPen(notecolours::colour(stroke.colour),
                            std::max(1.0, stroke.width * factor), Qt::SolidLine, Qt::RoundCap,
                            Qt::RoundJoin));
        if (stroke.points.size() == 1) {
            painter.drawPoint(place(stroke.points.first()));
            continue;
        }
        QPainterPath path(place(stroke.points.first()));
        for (qsizetype i = 1; i < stroke.points.size(); ++i) {
            path.lineTo(place(stroke.points[i]));
        }
        painter.drawPath(path);
    }
    painter.restore();
}

int noteStrokesBottom(const QList<NoteStroke>& strokes, double factor) {
    double bottom = 0;
    for (const NoteStroke& stroke : strokes) {
        for (const QPoint& point : stroke.points) {
            bottom = std::max(bottom, point.y() * factor + std::max(1.0, stroke.width * factor));
        }
    }
    return int(std::ceil(bottom));
}

}  // namespace kontavo
