#include "card/richfontcache.h"

#include <atomic>

#include "card/richtext.h"

namespace kontavo {

namespace {

quint64 nextGeneration() {
    static std::atomic<quint64> counter{0};
    return ++counter;
}

bool sameFont(const QFont& a, const QFont& b) {
    return a.family() == b.family() && a.pixelSize() == b.pixelSize() &&
           a.pointSizeF() == b.pointSizeF() && a.weight() == b.weight() &&
           a.italic() == b.italic() && a.underline() == b.underline() &&
           a.strikeOut() == b.strikeOut();
}

}  // namespace

RichFontCache::RichFontCache(const QFont& base, int dpiY)
    : m_base(base), m_dpiY(dpiY), m_generation(nextGeneration()) {
    m_entries.reserve(kInitialCapacity);
}

uint16_t RichFontCache::fontIndex(uint16_t style) {
    const uint16_t key = style & richstyle::kFontKeyMask;
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].key == key) {
            return uint16_t(i);
        }
    }
    if (m_entries.size() == m_entries.capacity()) {
        m_entries.reserve(m_entries.capacity() * 2);
    }
    QFont font = makeFont(key);
    m_entries.push_back(Entry{key, font, QFontMetrics(font)});
    return uint16_t(m_entries.size() - 1);
}

bool RichFontCache::setBaseFont(const QFont& base) {
    if (sameFont(base, m_base)) {
        return false;
    }
    m_base = base;
    for (Entry& entry : m_entries) {
        entry.font = makeFont(entry.key);
        entry.metrics = QFontMetrics(entry.font);
    }
    m_generation = nextGeneration();
    return true;
}

QFont RichFontCache::makeFont(uint16_t key) const {
    QFont font = m_base;
    font.setWeight((key & richstyle::kBold) != 0 ? QFont::Bold : QFont::Normal);
    font.setItalic((key & richstyle::kItalic) != 0);
    font.setUnderline((key & richstyle::kUnderline) != 0);
    font.setStrikeOut((key & richstyle::kStrikeOut) != 0);
    font.setKerning(false);
    if (const int points = richstyle::sizeOf(key); points > 0) {
        font.setPixelSize(qMax(1, points * m_dpiY / 72));
    }
    return font;
}

}  // namespace kontavo
