#include "card/formlayout.h"

#include "card/formblockrules.h"

namespace kontavo {

FormLayout::FormLayout(const Screen& screen, int width, bool templateMode)
    : m_screen(screen), m_width(width), m_templateMode(templateMode) {}

void FormLayout::layout(const QList<FormEntry>& blocks, const QList<QSize>& pictureSizes,
                        int notesHeight) {
    m_lines.clear();
    m_blocks.clear();
    m_pictures.clear();
    m_kinds.clear();
    const int rowHeight = m_screen.scaleY(kRowHeight);
    int y = 0;
    for (qsizetype b = 0; b < blocks.size(); ++b) {
        const FormEntry& entry = blocks[b];
        const int top = y;
        m_kinds.append(entry.kind);
        QRect picture;
        if (entry.kind == BlockKind::Name) {
            const QSize size = pictureSizes.value(b);
            picture = QRect(m_screen.scaleX(kPictureLeft), top + m_screen.scaleY(kPictureTop),
                            size.width(), size.height());
            for (const int line : entry.name.shownLines()) {
                m_lines.append({int(b), line, 0, y, rowHeight});
                y += rowHeight;
            }
            y = std::max(y, picture.bottom() + 1 + m_screen.scaleY(kPictureTop));
        } else if (entry.kind == BlockKind::Notes) {
            const int height = notesHeight > 0 ? notesHeight : rowHeight * kNoteLines;
            m_lines.append({int(b), 0, 0, y, height});
            y += height;
        } else {
            for (qsizetype r = 0; r < entry.rows.size(); ++r) {
                const int count = entry.kind == BlockKind::Address && !m_templateMode
                                      ? std::max(1, entry.rows[r].address.lineCount())
                                      : 1;
                for (int line = 0; line < count; ++line) {
                    m_lines.append({int(b), int(r), line, y, rowHeight});
                    y += rowHeight;
                }
            }
        }
        m_blocks.append(QRect(0, top, m_width, y - top));
        m_pictures.append(picture);
        y += m_screen.scaleY(kBlockGap);
    }
    m_typeWidths = QList<int>(m_lines.size(), m_screen.scaleX(kTypeMinWidth));
    m_height = y;
}

QRect FormLayout::blockRect(int block) const {
    return m_blocks.value(block);
}

int FormLayout::lineOf(int block, int row, int line) const {
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const Line& l = m_lines[i];
        if (l.block == block && l.row == row && l.line == line) {
            return int(i);
        }
    }
    return -1;
}

bool FormLayout::isNameBlock(int block) const {
    return block >= 0 && block < m_kinds.size() && m_kinds[block] == BlockKind::Name;
}

int FormLayout::nameLeft(int block) const {
    const QRect picture = m_pictures.value(block);
    return picture.right() + 1 + m_screen.scaleX(kPictureLeft);
}

QRect FormLayout::deleteRect(int index) const {
    const Line& l = m_lines[index];
    const int h = m_screen.scaleY(kButtonHeight);
    return {0, l.top + (m_screen.scaleY(kRowHeight) - h) / 2, m_screen.scaleX(kButtonWidth), h};
}

QRect FormLayout::addRect(int index) const {
    return deleteRect(index).translated(m_screen.scaleX(kButtonWidth), 0);
}

QRect FormLayout::labelRect(int index) const {
    const Line& l = m_lines[index];
    if (isNameBlock(l.block)) {
        return {nameLeft(l.block), l.top, m_screen.scaleX(kNameLabelWidth), l.height};
    }
    const int left = m_kinds[l.block] == BlockKind::Notes ? 0 : 2 * m_screen.scaleX(kButtonWidth);
    return {left, l.top, m_screen.scaleX(kLabelColumn) - left, l.height};
}

QRect FormLayout::valueRect(int index) const {
    const Line& l = m_lines[index];
    int left = m_screen.scaleX(kLabelColumn);
    int right = m_width;
    if (isNameBlock(l.block)) {
        left = nameLeft(l.block) + m_screen.scaleX(kNameLabelWidth);
        right -= m_screen.scaleX(kGlyph) + 2;
    } else if (m_kinds[l.block] == BlockKind::Notes) {
        left = 0;
    } else if (m_kinds[l.block] == BlockKind::Messenger) {
        right -= m_typeWidths.value(index);
    } else if (m_kinds[l.block] == BlockKind::Category || m_kinds[l.block] == BlockKind::Link) {
        right -= m_screen.scaleX(kArrowWidth);
    }
    return {left, l.top, std::max(1, right - left), l.height};
}

QRect FormLayout::typeRect(int index) const {
    const Line& l = m_lines[index];
    if (m_kinds[l.block] != BlockKind::Messenger) {
        return {};
    }
    const int width = m_typeWidths.value(index);
    return {m_width - width, l.top, width, l.height};
}

QRect FormLayout::arrowRect(int index) const {
    const Line& l = m_lines[index];
    const int width = m_screen.scaleX(kArrowWidth);
    return {m_width - width, l.top, width, l.height};
}

QRect FormLayout::glyphRect(int block) const {
    const QRect rect = blockRect(block);
    const int size = m_screen.scaleX(kGlyph);
    return {m_width - size - 1, rect.top() + 1, size, m_screen.scaleY(kGlyph)};
}

QRect FormLayout::pictureRect(int block) const {
    return m_pictures.value(block);
}

void FormLayout::setTypeWidth(int index, int textWidth) {
    if (index < 0 || index >= m_typeWidths.size()) {
        return;
    }
    const int wanted = textWidth + m_screen.scaleX(kArrowWidth);
    // The value keeps at least as much room as the label column.
    const int most = m_width - 2 * m_screen.scaleX(kLabelColumn);
    m_typeWidths[index] = std::max(m_screen.scaleX(kTypeMinWidth), std::min(wanted, most));
}

FormLayout::Hit FormLayout::hitTest(const QPoint& point, const QList<FormEntry>& blocks) const {
    Hit hit;
    for (qsizetype b = 0; b < m_blocks.size(); ++b) {
        if (!m_blocks[b].contains(point)) {
            continue;
        }
        hit.block = int(b);
        if (isNameBlock(int(b))) {
            if (glyphRect(int(b)).contains(point)) {
                hit.part = Part::Glyph;
                return hit;
            }
            if (point.x() < nameLeft(int(b))) {
                hit.part = Part::Picture;
                return hit;
            }
        }
    }
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const Line& l = m_lines[i];
        if (point.y() < l.top || point.y() >= l.top + l.height) {
            continue;
        }
        hit.line = int(i);
        hit.block = l.block;
        const FormEntry& entry = blocks[l.block];
        if (l.line == 0 && deleteRect(int(i)).contains(point) &&
            formrules::hasDeleteButton(entry, l.row, m_templateMode)) {
            hit.part = Part::Delete;
        } else if (l.line == 0 && addRect(int(i)).contains(point) &&
                   formrules::hasAddButton(entry, l.row, m_templateMode)) {
            hit.part = Part::Add;
        } else if (typeRect(int(i)).contains(point)) {
            hit.part = Part::Type;
        } else if (point.x() >= valueRect(int(i)).left()) {
            hit.part = Part::Value;
        } else if (labelRect(int(i)).contains(point)) {
            hit.part = Part::Label;
        }
        return hit;
    }
    return hit;
}

}  // namespace kontavo
