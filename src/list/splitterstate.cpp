#include "list/splitterstate.h"

#include <algorithm>
#include <cmath>

#include "store/settingsstore.h"

namespace kontavo {

namespace {
constexpr int kThousand = 1000;
}  // namespace

void SplitterState::load(const SettingsStore& settings) {
    m_visible = settings.get(settings::kSplitVisible) != 0;
    int percent = settings.get(settings::kSplitPercent);
    if (percent < 0 || percent > kThousand) {
        percent = settings::kSplitPercent.fallback;
    }
    const int mode = settings.get(settings::kSplitMode);
    m_mode = mode >= 0 && mode <= 2 ? SplitMode(mode) : SplitMode(settings::kSplitMode.fallback);
    setProportion(double(percent) / kThousand);
}

void SplitterState::save(SettingsStore& settings) const {
    settings.set(settings::kSplitVisible, m_visible ? 1 : 0);
    settings.set(settings::kSplitPercent, percent());
    settings.set(settings::kSplitMode, int(m_mode));
}

// The bar keeps its pixel place until the area itself changes.
void SplitterState::setArea(int top, int bottom) {
    if (top == m_top && qMax(top, bottom) == m_bottom) {
        return;
    }
    m_top = top;
    m_bottom = qMax(top, bottom);
    m_proportionalTop = proportionalBarTop();
}

void SplitterState::setMode(SplitMode mode) {
    m_mode = mode;
}

void SplitterState::setProportion(double proportion) {
    m_proportion = std::clamp(proportion, 0.0, 1.0);
    m_proportionalTop = proportionalBarTop();
}

// The proportion follows every drag, so it is what the bar shows.
int SplitterState::percent() const {
    return int(m_proportion * kThousand + 1e-9);
}

int SplitterState::barTop() const {
    switch (m_mode) {
        case SplitMode::Top:
            return m_top;
        case SplitMode::Bottom:
            return lowestBarTop();
        case SplitMode::Proportional:
            break;
    }
    return std::min(m_proportionalTop, lowestBarTop());
}

void SplitterState::beginDrag(int penY) {
    m_dragging = true;
    m_grip = penY - barTop();
}

// Confined to the area; a bar within the snap distance of the top or the
// bottom goes there, anywhere else it stays where the pen put it.
void SplitterState::dragTo(int penY) {
    if (!m_dragging) {
        return;
    }
    const int top = std::clamp(penY - m_grip, m_top, qMax(m_top, m_bottom - barHeight()));
    const int snap = m_screen.scaleY(kSnap);
    if (top - m_top < snap) {
        m_mode = SplitMode::Top;
    } else if (m_bottom - (top + barHeight()) < snap) {
        m_mode = SplitMode::Bottom;
    } else {
        m_mode = SplitMode::Proportional;
        placeProportionalBar(top);
    }
}

void SplitterState::doubleTap() {
    switch (m_mode) {
        case SplitMode::Top:
            m_mode = SplitMode::Proportional;
            break;
        case SplitMode::Proportional:
            m_mode = SplitMode::Top;
            break;
        case SplitMode::Bottom:
            placeProportionalBar(barTop());
            m_mode = SplitMode::Top;
            break;
    }
}

// At the bottom the bar's lower edge line lies just outside the area.
int SplitterState::lowestBarTop() const {
    return qMax(m_top, m_bottom - barHeight() + 1);
}

int SplitterState::proportionalBarTop() const {
    return m_top + int(std::floor(height() * m_proportion));
}

void SplitterState::placeProportionalBar(int barTop) {
    m_proportionalTop = barTop;
    m_proportion = height() > 0 ? double(barTop - m_top) / height() : m_proportion;
}

}  // namespace kontavo
