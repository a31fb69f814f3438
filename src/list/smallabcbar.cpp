#include "list/smallabcbar.h"

#include <QPainter>
#include <QResizeEvent>

#include "list/bartextmeasurer.h"
#include "list/listimages.h"
#include "ui/sharedfonts.h"

namespace kontavo {

SmallAbcBar::SmallAbcBar(const Screen& screen, QWidget* parent)
    : AbcBar(screen, parent),
      m_backspace(loadBitmapOfSet(kBackspaceBitmap, kBackspaceBitmapHighRes, screen, true)) {
    setObjectName(QStringLiteral("SmallAbcBar"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize SmallAbcBar::sizeHint() const {
    return QSize(screen().scaleX(240), barHeight());
}

int SmallAbcBar::commandAt(QPoint pos) const {
    for (int index = 0; index < m_rects.size(); ++index) {
        if (m_rects[index].contains(pos)) {
            return index < groupCount() ? index : backspaceCommand();
        }
    }
    return -1;
}

QRect SmallAbcBar::commandRect(int command) const {
    const int index = command == backspaceCommand() ? int(m_rects.size()) - 1 : command;
    return m_rects.value(index);
}

void SmallAbcBar::rebuild() {
    const FontBarTextMeasurer measurer;
    m_fit = SmallBarFitter(screen(), measurer).fit(labels(), width(), m_backspace.size());
    m_rects = m_fit.buttonRects(height());
    m_fittedWidth = width();
    updateGeometry();
}

void SmallAbcBar::resizeEvent(QResizeEvent* event) {
    AbcBar::resizeEvent(event);
    if (width() != m_fittedWidth || m_rects.value(0).height() != height()) {
        rebuild();
    }
}

void SmallAbcBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor::fromRgb(kFaceColors[0]));
    for (int index = 0; index < m_rects.size(); ++index) {
        const int command = index < groupCount() ? index : backspaceCommand();
        paintButton(painter, command, m_rects[index]);
    }
}

// A selected group looks sunk by its press depth; the button under a
// pressing pen looks deepest.
void SmallAbcBar::paintButton(QPainter& painter, int command, const QRect& rect) {
    const bool isGroup = command < groupCount();
    const bool held = pressedCommand() == command;
    const int level = held ? AbcBarPresses::kMaxDepth : (isGroup ? depth(command) : 0);
    painter.fillRect(rect, QColor::fromRgb(kFaceColors[level]));
    const QColor light = QColor::fromRgb(kLightColor);
    const QColor dark = QColor::fromRgb(kFaceColors[3]);
    painter.setPen(level == 0 ? light : dark);
    painter.drawLine(rect.topLeft(), rect.topRight());
    painter.drawLine(rect.topLeft(), rect.bottomLeft());
    painter.setPen(level == 0 ? QColor::fromRgb(kFaceColors[2]) : light);
    painter.drawLine(rect.topRight(), rect.bottomRight());
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    if (isGroup) {
        paintLabel(painter, command, rect, level == 3);
    } else if (!m_backspace.isNull()) {
        const QRect glyph(QPoint(), m_backspace.size());
        painter.drawPixmap(glyph.translated(rect.center() - glyph.center()), m_backspace);
    }
}

void SmallAbcBar::paintLabel(QPainter& painter, int group, const QRect& rect, bool inverted) {
    painter.setPen(QColor::fromRgb(inverted ? kLightColor : kTextColor));
    const QFont font = tahomaFont(m_fit.fontPixels);
    paintGroupLabel(painter, group, rect, font, font);
}

}  // namespace kontavo
