#include "card/richitempainter.h"

#include <QPainter>

#include "card/richfontcache.h"
#include "card/noteview.h"
#include "card/richitem.h"

namespace kontavo {

namespace {

constexpr int kEdge = 5;  // text and label distance from edges
constexpr int kPictureLeft = 2;
constexpr int kPictureTop = 3;
constexpr int kTextSpacing = 2;  // added to a non-empty text's height
constexpr unsigned kWrap = richflag::kWordWrap;

std::optional<QRgb> fixedColour(bool selected, bool focused) {
    if (!selected) {
        return std::nullopt;
    }
    return focused ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
}

}  // namespace

RichItemPainter::RichItemPainter(RichFontCache& cache, const Screen& screen, const QFont& labelFont)
    : m_renderer(cache), m_screen(screen), m_labelFont(labelFont), m_labelMetrics(labelFont) {}

void RichItemPainter::setLabelFont(const QFont& font) {
    m_labelFont = font;
    m_labelMetrics = QFontMetrics(font);
}

int RichItemPainter::labelColumn(const QList<RichItem>& items, int width) const {
    return labelColumn(widestLabel(items), width);
}

int RichItemPainter::labelColumn(int widestLabel, int width) const {
    if (widestLabel == 0) {
        return 0;
    }
    return qMin(widestLabel + 2 * m_screen.scaleX(kEdge), width * 2 / 5);
}

int RichItemPainter::widestLabel(const QList<RichItem>& items) const {
    int widest = 0;
    for (const RichItem& item : items) {
        if (item.kind == RichItemKind::Text && !item.label.isEmpty()) {
            widest = qMax(widest, m_labelMetrics.horizontalAdvance(item.label));
        }
    }
    return widest;
}

QRect RichItemPainter::textBox(const RichItem& item, const QRect& box, int labelColumn) const {
    const int edge = m_screen.scaleX(kEdge);
    switch (item.kind) {
        case RichItemKind::Header: {
            const int left = m_screen.scaleX(kPictureLeft) + item.pictureSize.width() + edge;
            return QRect(QPoint(box.left() + left, box.top() + m_screen.scaleY(kPictureTop)),
                         QPoint(box.right() - edge, box.bottom()));
        }
        case RichItemKind::Separator:
            return QRect(QPoint(box.left() + edge, box.top() + captionHeight()),
                         QPoint(box.right() - edge, box.bottom()));
        case RichItemKind::Text:
            break;
    }
    const int icon =
        item.picture.isNull() ? 0 : m_screen.scaleX(kIconWidth) + m_screen.scaleX(kIconMargin);
    const int left = labelColumn > 0 ? labelColumn + edge : edge;
    return QRect(QPoint(box.left() + left, box.top() + m_screen.scaleY(kTextSpacing) / 2),
                 QPoint(box.right() - edge - icon, box.bottom()));
}

int RichItemPainter::measure(RichItem& item, int width, int labelColumn) {
    const QRect text = textBox(item, QRect(0, 0, width, 0), labelColumn);
    int height = item.note != nullptr ? item.note->height(text.width())
                                      : m_renderer.measure(item.text, text.width(), kWrap).height();
    const int textHeight = height;
    if (item.kind == RichItemKind::Header) {
        height = qMax(height, item.pictureSize.height()) + m_screen.scaleY(kPictureTop);
    } else if (item.kind == RichItemKind::Separator) {
        height += captionHeight();
    }
    if (textHeight > 0) {
        height += m_screen.scaleY(kTextSpacing);
    }
    item.height = height + item.spacing;
    return item.height;
}

void RichItemPainter::draw(QPainter& painter, RichItem& item, const QRect& box, int labelColumn,
                           bool selected, bool focused) {
    QRgb background = qRgb(255, 255, 255);
    if (selected) {
        background = focused ? kFocusedSelection : kSelection;
    }
    painter.fillRect(box, QColor::fromRgb(background));
    switch (item.kind) {
        case RichItemKind::Text:
            drawText(painter, item, box, labelColumn, selected, focused);
            break;
        case RichItemKind::Header:
            drawHeader(painter, item, box, selected, focused);
            break;
        case RichItemKind::Separator:
            drawSeparator(painter, item, box, selected, focused);
            break;
    }
}

void RichItemPainter::drawText(QPainter& painter, RichItem& item, const QRect& box, int labelColumn,
                               bool selected, bool focused) {
    const QRect text = textBox(item, box, labelColumn);
    if (labelColumn > 0 && !item.label.isEmpty()) {
        const int edge = m_screen.scaleX(kEdge);
        const QRect column(box.left() + edge, text.top(), labelColumn - 2 * edge,
                           m_labelMetrics.height());
        painter.setFont(m_labelFont);
        painter.setPen(QColor::fromRgb(selected && focused ? qRgb(255, 255, 255) : kLabelColour));
        painter.drawText(column, Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine,
                         fitLabel(item.label, column.width()));
    }
    if (!item.picture.isNull()) {
        const QSize icon = item.picture.size();
        painter.drawPixmap(box.right() + 1 - m_screen.scaleX(kIconMargin) - icon.width(),
                           text.top(), item.picture);
    }
    drawItemText(painter, item, text, selected, focused);
}

void RichItemPainter::drawHeader(QPainter& painter, RichItem& item, const QRect& box, bool selected,
                                 bool focused) {
    if (!item.picture.isNull()) {
        const QRect target(box.left() + m_screen.scaleX(kPictureLeft),
                           box.top() + m_screen.scaleY(kPictureTop), item.pictureSize.width(),
                           item.pictureSize.height());
        const QSize bitmap = item.picture.size();
        if (bitmap.width() > target.width() || bitmap.height() > target.height()) {
            painter.save();
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawPixmap(target, item.picture);
            painter.restore();
        } else {
            painter.drawPixmap(target.topLeft(), item.picture);
        }
    }
    drawItemText(painter, item, textBox(item, box, 0), selected, focused);
}

void RichItemPainter::drawSeparator(QPainter& painter, RichItem& item, const QRect& box,
                                    bool selected, bool focused) {
    const int edge = m_screen.scaleX(kEdge);
    const int captionWidth = m_labelMetrics.horizontalAdvance(item.label);
    const int captionLeft = box.left() + (box.width() - captionWidth) / 2;
    const QRect caption(captionLeft, box.top(), captionWidth, captionHeight());
    const QColor grey = QColor::fromRgb(selected && focused ? qRgb(255, 255, 255) : kLabelColour);
    painter.setFont(m_labelFont);
    painter.setPen(grey);
    painter.drawText(caption, Qt::AlignCenter | Qt::TextSingleLine, item.label);
    const int y = caption.center().y();
    if (captionLeft - edge > box.left() + edge) {
        painter.drawLine(box.left() + edge, y, captionLeft - edge, y);
    }
    if (caption.right() + edge < box.right() - edge) {
        painter.drawLine(caption.right() + 1 + edge, y, box.right() - edge, y);
    }
    if (item.note != nullptr) {
        // The note keeps its own colours: on white also when selected.
        const QRect note = textBox(item, box, 0);
        painter.fillRect(note, Qt::white);
        item.note->draw(painter, note);
        return;
    }
    drawItemText(painter, item, textBox(item, box, 0), selected, focused);
}

void RichItemPainter::drawItemText(QPainter& painter, RichItem& item, const QRect& box,
                                   bool selected, bool focused) {
    QRect text = box;
    m_renderer.draw(&painter, item.text, text, kWrap, fixedColour(selected, focused));
}

QString RichItemPainter::fitLabel(const QString& label, int width) const {
    if (m_labelMetrics.horizontalAdvance(label) <= width) {
        return label;
    }
    for (qsizetype keep = label.size() - 1; keep > 0; --keep) {
        const QString shortened = label.left(keep) + QStringLiteral("..");
        if (m_labelMetrics.horizontalAdvance(shortened) <= width) {
            return shortened;
        }
    }
    return QStringLiteral("..");
}

}  // namespace kontavo
