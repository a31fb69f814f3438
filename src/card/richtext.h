#pragma once

#include <QList>
#include <QRgb>
#include <QString>
#include <cstdint>

namespace kontavo {

class RichFontCache;

// The bits of a rich character's style word.
namespace richstyle {
inline constexpr uint16_t kBold = 0x0001;
inline constexpr uint16_t kItalic = 0x0002;
inline constexpr uint16_t kUnderline = 0x0004;
inline constexpr uint16_t kStrikeOut = 0x0008;
inline constexpr uint16_t kRule = 0x0010;  // only on the line feed of the separator tag
inline constexpr uint16_t kSizeMask = 0xFF00;
inline constexpr int kSizeShift = 8;  // bits 8-15: the size tag's points, 0 = base size
// The part of a style word that selects a font.
inline constexpr uint16_t kFontKeyMask = 0xFF0F;

constexpr int sizeOf(uint16_t style) {
    return (style & kSizeMask) >> kSizeShift;
}
}  // namespace richstyle

// One visible character of a parsed rich text.
struct RichChar {
    char16_t ch = 0;
    uint16_t style = 0;
    uint16_t font = 0;  // index into the font cache the text was parsed with
    QRgb colour = qRgb(0, 0, 0);

    bool operator==(const RichChar&) const = default;
};

// A parsed rich text (`RichText`): its visible characters in order, each with
// its style, font and colour, and, once measured, each character's advance
// width and the text's line height (the tallest of all its fonts). Made by
// RichTextParser against one font cache, whose font indexes it holds; the
// measurements belong to that cache's current base font and are taken again
// after it changed. A plain value, copied deeply.
class RichText {
public:
    const QList<RichChar>& chars() const { return m_chars; }
    int size() const { return int(m_chars.size()); }
    bool isEmpty() const { return m_chars.isEmpty(); }
    const RichChar& at(int index) const { return m_chars[index]; }
    // The characters without their styles.
    QString plainText() const;

    // Measures every character with `cache`'s fonts unless that was done
    // for its current base font already.
    void measure(const RichFontCache& cache);
    // Valid after measure(): one advance per character.
    const QList<int>& advances() const { return m_advances; }
    int lineHeight() const { return m_lineHeight; }

    void append(const RichChar& c) { m_chars.append(c); }
    void reserve(int count) { m_chars.reserve(count); }

    bool operator==(const RichText& other) const { return m_chars == other.m_chars; }

private:
    QList<RichChar> m_chars;
    QList<int> m_advances;
    int m_lineHeight = 0;
    quint64 m_measuredWith = 0;  // the cache generation of the measurements
};

}  // namespace kontavo
