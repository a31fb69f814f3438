#pragma once

namespace kontavo {

// The emulated handheld screen's resolution. All lengths the program gives
// at 96 dpi are scaled as (n * dpi + 48) / 96 in integer arithmetic,
// horizontal lengths by the horizontal DPI and vertical ones by the vertical
// DPI. A screen whose horizontal DPI exceeds 96 is high resolution and uses
// the 32-pixel bitmap and icon set. Qt's own high-DPI scaling sits on top
// and is not mixed in.
class Screen {
public:
    constexpr Screen(int dpiX = 96, int dpiY = 96) : m_dpiX(dpiX), m_dpiY(dpiY) {}

    // The process-wide screen, set once at start-up (--dpi 96|192).
    static const Screen& current();
    static void setCurrent(const Screen& screen);

    constexpr int dpiX() const { return m_dpiX; }
    constexpr int dpiY() const { return m_dpiY; }
    constexpr bool isHighResolution() const { return m_dpiX > 96; }
    constexpr int scaleX(int length) const { return (length * m_dpiX + 48) / 96; }
    constexpr int scaleY(int length) const { return (length * m_dpiY + 48) / 96; }
    // Pixel height of a font of `points` at the vertical DPI (8 pt: 11 px at 96 dpi).
    constexpr int pointsToPixels(int points) const { return int(double(points) * m_dpiY / 72 + 0.5); }

private:
    int m_dpiX;
    int m_dpiY;
};

}  // namespace kontavo
