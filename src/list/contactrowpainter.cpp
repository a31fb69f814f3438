#include "list/contactrowpainter.h"

#include <QFontMetrics>
#include <QPainter>

#include "list/formatintegers.h"
#include "list/listimages.h"
#include "ui/pictureimage.h"
#include "ui/textshortener.h"

namespace kontavo {

namespace {

constexpr QRgb kSelectedFocused = 0x316AC5;
constexpr QRgb kSelectedUnfocused = 0xC4C4C4;
constexpr QRgb kHintColor = 0x707070;
constexpr int kPersonIcon = 42210;
constexpr int kCompanyIcon = 42211;
constexpr int kExpandedIcon = 184;
constexpr int kExpandedIconHigh = 298;
constexpr int kCollapsedIcon = 186;
constexpr int kCollapsedIconHigh = 299;

Qt::Alignment leftMiddle() {
    return Qt::AlignLeft | Qt::AlignVCenter;
}
Qt::Alignment rightMiddle() {
    return Qt::AlignRight | Qt::AlignVCenter;
}

void drawShortened(QPainter& painter, const QRect& rect, const QString& text,
                   Qt::Alignment alignment) {
    if (rect.width() <= 0 || text.isEmpty()) {
        return;
    }
    const QString shown = shortenText(text, rect.width(), painter.fontMetrics());
    painter.drawText(rect, int(alignment) | Qt::TextSingleLine, shown);
}

}  // namespace

ContactRowPainter::ContactRowPainter(const Screen& screen, const QFont& listFont)
    : m_screen(screen),
      m_font(listFont),
      m_bold(listFont),
      m_expandedIcon(loadIconOfSet(kExpandedIcon, kExpandedIconHigh, screen)),
      m_collapsedIcon(loadIconOfSet(kCollapsedIcon, kCollapsedIconHigh, screen)),
      m_personIcon(loadIconOfSet(kPersonIcon, kPersonIcon, screen)),
      m_companyIcon(loadIconOfSet(kCompanyIcon, kCompanyIcon, screen)) {
    m_bold.setBold(true);
}

int ContactRowPainter::rowHeight(bool twoLine) const {
    // Qt's height is the character height with its internal leading.
    const int height = QFontMetrics(m_font).height();
    return twoLine ? 2 * height : height;
}

int ContactRowPainter::tagColumnWidth() const {
    return std::max(0, QFontMetrics(m_font).maxWidth() - 5);
}

QColor ContactRowPainter::textColor(RowState state) const {
    return state.selected && state.focused ? QColor(Qt::white) : QColor(Qt::black);
}

void ContactRowPainter::drawBackground(QPainter& painter, const QRect& box, RowState state) const {
    QColor fill = Qt::white;
    if (state.selected) {
        fill = QColor(state.focused ? kSelectedFocused : kSelectedUnfocused);
    }
    painter.fillRect(box, fill);
}

void ContactRowPainter::drawContact(QPainter& painter, const QRect& box,
                                    const ContactRowLayout& layout, const ContactRow& row,
                                    RowState state) const {
    painter.save();
    painter.setClipRect(box);
    drawBackground(painter, box, state);
    if (layout.options().twoLine) {
        drawTwoLine(painter, box, layout, row, state);
    } else {
        drawOneLine(painter, box, layout, row, state);
    }
    painter.restore();
}

ContactRowPainter::OneLine ContactRowPainter::oneLine(const QRect& box,
                                                      const ContactRowLayout& layout,
                                                      const ContactRowText& text) const {
    const bool detail = text.hasDetail && !layout.options().nameOnly;
    const QFontMetrics metrics(m_font);
    ContactRowLayout::TextWidths widths;
    widths.name = metrics.horizontalAdvance(text.name);
    widths.value = detail ? metrics.horizontalAdvance(text.value) : 0;
    widths.ellipsis = metrics.horizontalAdvance(QStringLiteral("..."));
    widths.shortestName = metrics.horizontalAdvance(QStringLiteral("Ab..."));
    const ContactRowLayout::ContactParts parts = layout.contactParts(box, widths);
    OneLine line;
    line.nameRect = parts.name;
    line.name = shortenText(text.name, parts.name.width(), metrics);
    line.valueRect = parts.value;
    line.tagRect = parts.tag;
    if (detail && parts.value.width() > 0) {
        line.value = shortenText(text.value, parts.value.width(), metrics);
    }
    return line;
}

void ContactRowPainter::drawOneLine(QPainter& painter, const QRect& box,
                                    const ContactRowLayout& layout, const ContactRow& row,
                                    RowState state) const {
    painter.setFont(m_font);
    const OneLine line = oneLine(box, layout, row.text);
    painter.setPen(textColor(state));
    painter.drawText(line.nameRect, int(leftMiddle()) | Qt::TextSingleLine, line.name);
    if (!line.value.isEmpty()) {
        painter.drawText(line.valueRect, int(rightMiddle()) | Qt::TextSingleLine, line.value);
    }
    if (row.text.hasDetail && !layout.options().nameOnly) {
        drawTag(painter, line.tagRect, row.text.tag, state);
    }
}

void ContactRowPainter::drawTwoLine(QPainter& painter, const QRect& box,
                                    const ContactRowLayout& layout, const ContactRow& row,
                                    RowState state) const {
    const ContactRowText& text = row.text;
    const ContactRowLayout::ContactParts parts = layout.contactParts(box);
    drawPicture(painter, parts.picture, row);
    painter.setPen(textColor(state));
    painter.setFont(m_bold);
    const QString name = shortenText(text.name, parts.name.width(), painter.fontMetrics());
    painter.drawText(parts.name, int(leftMiddle()) | Qt::TextSingleLine, name);
    if (!text.secondName.isEmpty()) {
        const int used = painter.fontMetrics().horizontalAdvance(name) + layout.nameGap();
        painter.setFont(m_font);
        drawShortened(painter, parts.name.adjusted(used, 0, 0, 0), text.secondName, leftMiddle());
    }
    if (layout.options().nameOnly || !text.hasDetail) {
        return;
    }
    painter.setFont(m_font);
    painter.setPen(state.selected && state.focused ? QColor(Qt::white) : QColor(kTagColor));
    drawShortened(painter, parts.label, text.label, rightMiddle());
    painter.setPen(textColor(state));
    drawShortened(painter, parts.value, text.value, leftMiddle());
    drawTag(painter, parts.tag, text.tag, state);
}

void ContactRowPainter::drawPicture(QPainter& painter, const QRect& square,
                                    const ContactRow& row) const {
    if (!row.picture) {
        const QPixmap& icon = row.isPerson ? m_personIcon : m_companyIcon;
        const int side = std::min(square.height(), icon.height());
        painter.drawPixmap(QRect(square.center() - QPoint(side / 2, side / 2), QSize(side, side)),
                           icon);
        return;
    }
    const QImage image = pictureImage(*row.picture);
    const QSize size = image.size().scaled(square.size(), Qt::KeepAspectRatio);
    const QRect target(square.left() + (square.width() - size.width()) / 2,
                       square.top() + (square.height() - size.height()) / 2, size.width(),
                       size.height());
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, image);
    painter.restore();
}

void ContactRowPainter::drawTag(QPainter& painter, const QRect& column, QChar tag,
                                RowState state) const {
    if (tag.isNull()) {
        return;
    }
    painter.save();
    painter.setFont(m_font);
    painter.setPen(state.selected && state.focused ? QColor(Qt::white) : QColor(kTagColor));
    painter.drawText(column, int(rightMiddle()) | Qt::TextSingleLine, QString(tag));
    painter.restore();
}

void ContactRowPainter::drawHeader(QPainter& painter, const QRect& box,
                                   const ContactRowLayout& layout, const QString& name, int count,
                                   bool open, RowState state) const {
    painter.save();
    painter.setClipRect(box);
    drawBackground(painter, box, state);
    const int iconSize = std::min(box.height(), m_screen.isHighResolution() ? 32 : 16);
    const ContactRowLayout::HeaderParts parts = layout.headerParts(box, iconSize);
    drawFoldIcon(painter, parts.icon, open);
    painter.setFont(m_bold);
    painter.setPen(textColor(state));
    const QString suffix = formatIntegers(QStringLiteral(" (%i)"), {count});
    const QFontMetrics metrics = painter.fontMetrics();
    const int nameWidth = parts.text.width() - metrics.horizontalAdvance(suffix);
    const QString shown = shortenText(name, std::max(0, nameWidth), metrics) + suffix;
    painter.drawText(parts.text, int(leftMiddle()) | Qt::TextSingleLine, shown);
    painter.restore();
}

void ContactRowPainter::drawFoldIcon(QPainter& painter, const QRect& box, bool open) const {
    painter.drawPixmap(box, open ? m_expandedIcon : m_collapsedIcon);
}

void ContactRowPainter::drawHint(QPainter& painter, const QRect& area, const QString& hint) const {
    if (hint.isEmpty()) {
        return;
    }
    const int margin = m_screen.scaleX(6);
    const QRect text = area.adjusted(margin, rowHeight(false), -margin, 0);
    painter.setFont(m_font);
    painter.setPen(QColor(kHintColor));
    painter.drawText(text, int(Qt::AlignHCenter | Qt::AlignTop) | Qt::TextWordWrap, hint);
}

QImage ContactRowPainter::pictureImage(const PictureBitmap& bitmap) {
    return kontavo::pictureImage(bitmap);
}

}  // namespace kontavo
