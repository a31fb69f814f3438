#pragma once

#include <QtGlobal>

#include "platform/screen.h"

namespace kontavo {

class SettingsStore;

// Where the splitter bar between the list and the card sits: at the top of
// its area (the card gets all the height), at the bottom (the list gets it
// all), or at a proportion of the height. Values as stored in "SplitMode".
enum class SplitMode { Top = 0, Bottom = 1, Proportional = 2 };

// The splitter's rules apart from drawing: the bar's position in each mode,
// dragging with snaps to the top and bottom, the double tap, and the
// settings "SplitVisible", "SplitPercent" and "SplitMode". Vertical lengths
// only; the area is [top, bottom) in device pixels of `screen`.
class SplitterState {
public:
    static constexpr int kBarHeight = 18;  // at 96 dpi
    static constexpr int kSnap = 12;       // at 96 dpi

    explicit SplitterState(const Screen& screen) : m_screen(screen) {}

    // Reads visible (default 1), percent (default 500; outside 0..1000 reads
    // as 500) and mode (default 2; outside 0..2 reads as 2).
    void load(const SettingsStore& settings);
    // Writes visible, the proportion in thousandths (truncated) and the mode.
    void save(SettingsStore& settings) const;

    void setArea(int top, int bottom);
    int areaTop() const { return m_top; }
    int areaBottom() const { return m_bottom; }

    SplitMode mode() const { return m_mode; }
    void setMode(SplitMode mode);
    double proportion() const { return m_proportion; }
    void setProportion(double proportion);
    bool isVisible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }
    int percent() const;

    int barHeight() const { return m_screen.scaleY(kBarHeight); }
    int barTop() const;
    int barBottom() const { return barTop() + barHeight(); }
    // The list above the bar, the card below it: [top, bottom) each, never negative.
    int listHeight() const { return barTop() - m_top; }
    int cardTop() const { return barBottom(); }
    int cardHeight() const { return qMax(0, m_bottom - barBottom()); }

    // Dragging: the grip point on the bar stays under the pen.
    void beginDrag(int penY);
    void dragTo(int penY);
    void endDrag() { m_dragging = false; }
    bool isDragging() const { return m_dragging; }

    // Double tap on the bar: top -> proportional -> top; bottom -> top,
    // keeping the bar's position as the proportion for later.
    void doubleTap();

private:
    int height() const { return m_bottom - m_top; }
    int lowestBarTop() const;
    int proportionalBarTop() const;
    void placeProportionalBar(int barTop);

    Screen m_screen;
    int m_top = 0;
    int m_bottom = 0;
    SplitMode m_mode = SplitMode::Proportional;
    double m_proportion = 0.5;
    int m_proportionalTop = 0;  // the bar's top in mode 2
    bool m_visible = true;
    bool m_dragging = false;
    int m_grip = 0;
};

}  // namespace kontavo
