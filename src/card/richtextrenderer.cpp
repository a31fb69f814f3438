#include "card/richtextrenderer.h"

#include <QPainter>
#include <limits>

#include "card/richfontcache.h"
#include "card/richtext.h"

namespace kontavo {

namespace {

constexpr int kEllipsisDots = 3;

QColor colourOf(const RichChar& c, std::optional<QRgb> fixedColour) {
    return QColor::fromRgb(fixedColour.value_or(c.colour));
}

// The characters of a run as drawn: control characters of a single line
// take a blank's place.
QString runText(const RichText& text, int start, int end) {
    QString run;
    run.reserve(end - start);
    for (int i = start; i < end; ++i) {
        const char16_t ch = text.at(i).ch;
        run.append(ch < u' ' ? QChar(u' ') : QChar(ch));
    }
    return run;
}

}  // namespace

QSize RichTextRenderer::measure(RichText& text, int width, unsigned flags) {
    QRect box(0, 0, width, 0);
    draw(nullptr, text, box, flags | richflag::kMeasureOnly);
    return box.size();
}

int RichTextRenderer::draw(QPainter* painter, RichText& text, QRect& box, unsigned flags,
                           std::optional<QRgb> fixedColour) {
    const bool measureOnly = (flags & richflag::kMeasureOnly) != 0;
    if (text.isEmpty() || (!measureOnly && (box.width() < 1 || painter == nullptr))) {
        if (measureOnly) {
            box.setSize(QSize(0, 0));
        }
        return 0;
    }
    text.measure(m_cache);
    const QList<RichLine> lines = breakRichLines(text, box.width(), flags);
    const int lineHeight = text.lineHeight();
    const int height = int(lines.size()) * lineHeight;
    if (measureOnly) {
        int widest = 0;
        for (const RichLine& line : lines) {
            widest = qMax(widest, line.rule ? 0 : richWidth(text, line.start, line.end));
        }
        box.setSize(QSize(widest, height));
        return height;
    }
    int top = box.top();
    if ((flags & richflag::kVCentre) != 0) {
        top += (box.height() - height) / 2;
    } else if ((flags & richflag::kBottom) != 0) {
        top = box.bottom() + 1 - height;
    }
    QRect visible =
        painter->hasClipping()
            ? painter->clipBoundingRect().toAlignedRect()
            : QRect(
                  QPoint(std::numeric_limits<int>::min() / 2, std::numeric_limits<int>::min() / 2),
                  QPoint(std::numeric_limits<int>::max() / 2, std::numeric_limits<int>::max() / 2));
    painter->save();
    if ((flags & richflag::kNoClip) == 0) {
        painter->setClipRect(box, Qt::IntersectClip);
        visible &= box;
    }
    for (int k = 0; k < lines.size(); ++k) {
        const int lineTop = top + k * lineHeight;
        if (lineTop + lineHeight <= visible.top() || lineTop > visible.bottom()) {
            continue;
        }
        if (lines[k].rule) {
            drawRule(*painter, text, lines[k], box, lineTop, fixedColour);
        } else {
            drawLine(*painter, text, lines[k], box, lineTop, flags, fixedColour);
        }
    }
    painter->restore();
    return height;
}

void RichTextRenderer::drawRule(QPainter& painter, const RichText& text, const RichLine& line,
                                const QRect& box, int top, std::optional<QRgb> fixedColour) const {
    const int y = top + text.lineHeight() / 2;
    painter.setPen(colourOf(text.at(line.start), fixedColour));
    painter.drawLine(box.left(), y, box.right(), y);
}

void RichTextRenderer::drawLine(QPainter& painter, const RichText& text, const RichLine& line,
                                const QRect& box, int top, unsigned flags,
                                std::optional<QRgb> fixedColour) const {
    Shortened shown{line.end, 0, richWidth(text, line.start, line.end)};
    if ((flags & richflag::kEndEllipsis) != 0 && shown.width > box.width()) {
        shown = shorten(text, line, box.width());
    }
    int x = box.left();
    if ((flags & richflag::kRight) != 0) {
        x = box.right() + 1 - shown.width;
    } else if ((flags & richflag::kCentre) != 0) {
        x = box.left() + (box.width() - shown.width) / 2;
    }
    const QList<int>& advances = text.advances();
    for (int start = line.start; start < shown.end;) {
        const RichChar& first = text.at(start);
        int end = start + 1;
        while (end < shown.end && end - start < kMaxRun && text.at(end).font == first.font &&
               text.at(end).colour == first.colour) {
            ++end;
        }
        painter.setFont(m_cache.font(first.font));
        painter.setPen(colourOf(first, fixedColour));
        painter.drawText(QPoint(x, top + m_cache.metrics(first.font).ascent()),
                         runText(text, start, end));
        for (int i = start; i < end; ++i) {
            x += advances[i];
        }
        start = end;
    }
    if (shown.dots > 0) {
        const int last = shown.end > line.start ? shown.end - 1 : line.start;
        const RichChar& c = text.at(last);
        painter.setFont(m_cache.font(c.font));
        painter.setPen(colourOf(c, fixedColour));
        painter.drawText(QPoint(x, top + m_cache.metrics(c.font).ascent()),
                         QString(shown.dots, QLatin1Char('.')));
    }
}

// Drops characters from the end until the line and three dots fit, then
// takes fewer dots when even the empty line with three does not.
RichTextRenderer::Shortened RichTextRenderer::shorten(const RichText& text, const RichLine& line,
                                                      int boxWidth) const {
    int end = line.end;
    int width = richWidth(text, line.start, end);
    auto fontAt = [&](int e) { return text.at(e > line.start ? e - 1 : line.start).font; };
    while (end > line.start && width + dotsWidth(fontAt(end), kEllipsisDots) > boxWidth) {
        --end;
        width -= text.advances()[end];
    }
    int dots = kEllipsisDots;
    while (dots > 0 && width + dotsWidth(fontAt(end), dots) > boxWidth) {
        --dots;
    }
    return {end, dots, width + dotsWidth(fontAt(end), dots)};
}

// Measured like the text: one dot's advance at a time.
int RichTextRenderer::dotsWidth(int font, int dots) const {
    return dots * m_cache.metrics(font).horizontalAdvance(QLatin1Char('.'));
}

}  // namespace kontavo
