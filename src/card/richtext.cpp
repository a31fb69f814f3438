#include "card/richtext.h"

#include "card/richfontcache.h"

namespace kontavo {

QString RichText::plainText() const {
    QString text;
    text.reserve(m_chars.size());
    for (const RichChar& c : m_chars) {
        text.append(QChar(c.ch));
    }
    return text;
}

// A character's advance is its extent less its font's overhang (what an
// italic glyph leans past its advance), except for the last character before
// a change of font, which keeps the overhang so that the next run does not
// draw over it.
void RichText::measure(const RichFontCache& cache) {
    if (m_measuredWith == cache.generation() && m_advances.size() == m_chars.size()) {
        return;
    }
    m_advances.resize(m_chars.size());
    m_lineHeight = 0;
    int lastFont = -1;
    for (int i = 0; i < size(); ++i) {
        const RichChar& c = m_chars[i];
        const QFontMetrics& metrics = cache.metrics(c.font);
        if (c.font != lastFont) {
            m_lineHeight = qMax(m_lineHeight, metrics.height());
            lastFont = c.font;
        }
        int advance = metrics.horizontalAdvance(QChar(c.ch));
        const bool lastOfRun = i + 1 == size() || m_chars[i + 1].font != c.font;
        if (lastOfRun && cache.font(c.font).italic()) {
            advance += qMax(0, -metrics.rightBearing(QChar(c.ch)));
        }
        m_advances[i] = advance;
    }
    m_measuredWith = cache.generation();
}

}  // namespace kontavo
