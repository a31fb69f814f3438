#include "list/contactrowlayout.h"

#include <algorithm>

namespace kontavo {

namespace {

QRect upperHalf(const QRect& box) {
    return QRect(box.left(), box.top(), box.width(), box.height() / 2);
}

QRect lowerHalf(const QRect& box) {
    const int top = box.top() + box.height() / 2;
    return QRect(box.left(), top, box.width(), box.bottom() + 1 - top);
}

QRect between(int left, int right, const QRect& line) {
    return QRect(left, line.top(), std::max(0, right - left), line.height());
}

}  // namespace

int ContactRowLayout::indent() const {
    const int indent = m_screen.scaleX(6);
    return m_options.grouped ? 2 * indent : indent;
}

QRect ContactRowLayout::tagColumn(const QRect& line) const {
    const int right = line.right() + 1 - m_screen.scaleX(12);
    return between(right - m_options.tagColumnWidth, right, line);
}

ContactRowLayout::ContactParts ContactRowLayout::oneLineParts(const QRect& box,
                                                              const TextWidths& widths) const {
    ContactParts parts;
    const int left = box.left() + indent();
    if (m_options.nameOnly) {
        parts.name = between(left, box.right() + 1, box);
        return parts;
    }
    parts.tag = tagColumn(box);
    const int end = parts.tag.left();
    const int line = std::max(0, end - left - nameGap());
    const int leastName = std::min(line, std::max(line / 2, widths.shortestName));
    const int nameWidth = std::min(widths.name, std::max(leastName, line - widths.value));
    const int valueWidth = std::min(widths.value, line - nameWidth);
    const bool shortened = valueWidth < widths.value;
    if (widths.value <= 0 || (shortened && valueWidth < std::max(1, widths.ellipsis))) {
        parts.value = between(end, end, box);
        parts.name = between(left, end, box);
        return parts;
    }
    parts.value = between(end - valueWidth, end, box);
    parts.name = between(left, parts.value.left() - nameGap(), box);
    return parts;
}

ContactRowLayout::ContactParts ContactRowLayout::contactParts(const QRect& box,
                                                              const TextWidths& widths) const {
    if (!m_options.twoLine) {
        return oneLineParts(box, widths);
    }
    ContactParts parts;
    const int side = box.height();
    parts.picture = QRect(box.left(), box.top(), side, side);
    const int textLeft = parts.picture.right() + 1 + m_screen.scaleX(2);
    const QRect upper = upperHalf(box);
    parts.name = between(textLeft, box.right() + 1, upper);
    if (m_options.nameOnly) {
        return parts;
    }
    const QRect lower = lowerHalf(box);
    parts.tag = tagColumn(lower);
    parts.label = QRect(textLeft, lower.top(), m_screen.scaleX(56), lower.height());
    const int valueLeft = parts.label.right() + 1 + m_screen.scaleX(4);
    parts.value = between(valueLeft, parts.tag.left(), lower);
    return parts;
}

ContactRowLayout::HeaderParts ContactRowLayout::headerParts(const QRect& box, int iconSize) const {
    HeaderParts parts;
    const int left = box.left() + m_screen.scaleX(6);
    parts.icon = QRect(left, box.top() + (box.height() - iconSize) / 2, iconSize, iconSize);
    const int textLeft = parts.icon.right() + 1 + m_screen.scaleX(4);
    parts.text = between(textLeft, box.right() + 1, box);
    return parts;
}

QRect ContactRowLayout::phoneStrip(const QRect& box) const {
    const QRect line = m_options.twoLine ? lowerHalf(box) : box;
    const int width = m_options.tagColumnWidth + m_screen.scaleX(12) + m_screen.scaleX(2);
    return between(line.right() + 1 - width, line.right() + 1, line);
}

bool ContactRowLayout::isOnPhoneStrip(const QRect& box, QPoint pos) const {
    return !m_options.nameOnly && phoneStrip(box).contains(pos);
}

}  // namespace kontavo
