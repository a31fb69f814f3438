#pragma once

#include <QFont>
#include <QFontMetrics>
#include <cstdint>
#include <vector>

namespace kontavo {

// The fonts of a rich list's texts, one entry per style key (the style word
// AND richstyle::kFontKeyMask: the bold, italic, underline and strike-out
// bits and the size byte). Each font is the base font with weight 700 or
// 400, italic, underline and strike-out from the key, and, when the key has
// a size, a character height of that many points at the vertical DPI; it
// keeps its text metrics beside it. Indexes stay valid for the cache's life:
// a new base font rebuilds every entry in place. Kerning is off so that a
// run of characters is as wide as their advances. UI thread only.
class RichFontCache {
public:
    static constexpr int kInitialCapacity = 30;

    // `base` is the initial base font (the program's standard font);
    // `dpiY` the vertical DPI sizes are converted with.
    RichFontCache(const QFont& base, int dpiY);

    // The index of the font for `style`, made when the key is new.
    uint16_t fontIndex(uint16_t style);
    // Precondition: 0 <= index < count().
    const QFont& font(int index) const { return m_entries[size_t(index)].font; }
    const QFontMetrics& metrics(int index) const { return m_entries[size_t(index)].metrics; }
    uint16_t key(int index) const { return m_entries[size_t(index)].key; }
    int count() const { return int(m_entries.size()); }
    // Room for entries before the cache grows (it doubles when full).
    int capacity() const { return int(m_entries.capacity()); }

    const QFont& baseFont() const { return m_base; }
    // A base font equal to the current one in face, height, weight, italic,
    // underline and strike-out changes nothing (false); any other rebuilds
    // every cached font (true).
    bool setBaseFont(const QFont& base);
    // Changes with every new base font, and differs between caches: texts
    // measured with another generation are measured again.
    quint64 generation() const { return m_generation; }

private:
    struct Entry {
        uint16_t key;
        QFont font;
        QFontMetrics metrics;
    };
    QFont makeFont(uint16_t key) const;

    QFont m_base;
    int m_dpiY;
    std::vector<Entry> m_entries;
    quint64 m_generation;
};

}  // namespace kontavo
