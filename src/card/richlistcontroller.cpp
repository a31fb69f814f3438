#include "card/richlistcontroller.h"

#include <algorithm>
#include <cstdlib>

#include "platform/keymap.h"

namespace kontavo {

namespace {
constexpr int kDragThreshold = 5;
}  // namespace

RichListController::RichListController(RichListSurface& surface, const Screen& screen)
    : m_surface(surface), m_screen(screen) {}

void RichListController::setHeights(const QList<int>& heights, bool keepPosition) {
    m_heights = heights;
    m_tops.resize(heights.size());
    int top = 0;
    for (qsizetype i = 0; i < heights.size(); ++i) {
        m_tops[i] = top;
        top += heights[i];
    }
    m_contentHeight = top;
    if (keepPosition) {
        m_position = std::clamp(m_position, 0, maxPosition());
        if (m_focus >= count()) {
            m_focus = -1;
        }
    } else {
        m_position = 0;
        m_focus = -1;
    }
    m_tracking = false;
    m_surface.redrawAll();
}

void RichListController::setClientHeight(int height) {
    m_clientHeight = qMax(0, height);
    m_position = std::clamp(m_position, 0, maxPosition());
    m_surface.redrawAll();
}

int RichListController::itemAt(int y) const {
    if (y < 0 || y >= m_clientHeight) {
        return -1;
    }
    const int content = y + m_position;
    const auto after = std::upper_bound(m_tops.begin(), m_tops.end(), content);
    const int index = int(after - m_tops.begin()) - 1;
    return index >= 0 && content < m_tops[index] + m_heights[index] ? index : -1;
}

void RichListController::setFocusItem(int index) {
    if (index < -1 || index >= count()) {
        return;
    }
    scrollIntoView(index);
    changeFocus(index);
}

void RichListController::changeFocus(int index) {
    if (index == m_focus) {
        return;
    }
    const int old = m_focus;
    m_focus = index;
    if (old >= 0) {
        m_surface.redrawItem(old);
    }
    if (index >= 0) {
        m_surface.redrawItem(index);
    }
    if (m_listener.focusChanged) {
        m_listener.focusChanged(index);
    }
}

void RichListController::setHasFocus(bool focused) {
    if (m_hasFocus != focused) {
        m_hasFocus = focused;
        if (m_focus >= 0) {
            m_surface.redrawItem(m_focus);
        }
    }
}

bool RichListController::scrollTo(int position) {
    position = std::clamp(position, 0, maxPosition());
    if (position == m_position) {
        return false;
    }
    m_position = position;
    m_surface.redrawAll();
    return true;
}

// An item taller than the view shows its top.
void RichListController::scrollIntoView(int index) {
    if (index < 0 || index >= count()) {
        return;
    }
    const int top = m_tops[index];
    const int bottom = top + m_heights[index];
    if (top < m_position || m_heights[index] > m_clientHeight) {
        scrollTo(top);
    } else if (bottom > m_position + m_clientHeight) {
        scrollTo(bottom - m_clientHeight);
    }
}

bool RichListController::keyDown(int virtualKey, bool autoRepeat) {
    switch (virtualKey) {
        case vk::kUp:
            stepFocus(-1);
            return true;
        case vk::kDown:
            stepFocus(1);
            return true;
        case vk::kPageUp:
            page(-1);
            return true;
        case vk::kPageDown:
            page(1);
            return true;
        case vk::kHome:
            setFocusItem(count() > 0 ? 0 : -1);
            return true;
        case vk::kEnd:
            setFocusItem(count() - 1);
            scrollTo(maxPosition());
            return true;
        case vk::kReturn:
        case vk::kAction:
            if (!autoRepeat) {
                activate(m_focus);
            }
            return true;
        default:
            return false;
    }
}

// Through an item taller than the view the keys scroll before they move on.
void RichListController::stepFocus(int delta) {
    if (count() == 0) {
        return;
    }
    if (m_focus < 0) {
        setFocusItem(0);
        return;
    }
    const int top = m_tops[m_focus];
    const int bottom = top + m_heights[m_focus];
    if (delta > 0 && bottom > m_position + m_clientHeight && top < m_position + m_clientHeight) {
        scrollBy(qMin(m_lineStep, bottom - m_position - m_clientHeight));
        return;
    }
    if (delta < 0 && top < m_position && bottom > m_position) {
        scrollBy(-qMin(m_lineStep, m_position - top));
        return;
    }
    const int target = std::clamp(m_focus + delta, 0, count() - 1);
    if (target == m_focus) {
        return;
    }
    if (delta < 0 && m_heights[target] > m_clientHeight) {
        // Coming up into a tall item shows its end first.
        scrollTo(m_tops[target] + m_heights[target] - m_clientHeight);
        changeFocus(target);
        return;
    }
    setFocusItem(target);
}

void RichListController::page(int direction) {
    if (count() == 0) {
        return;
    }
    const bool moved = scrollBy(direction * qMax(1, m_clientHeight));
    int target = direction > 0 ? itemAt(m_clientHeight - 1) : itemAt(0);
    if (!moved || target < 0) {
        target = direction > 0 ? count() - 1 : 0;
    }
    if (moved) {
        changeFocus(target);  // the page stays where it went
    } else {
        setFocusItem(target);
    }
}

void RichListController::activate(int index) {
    if (index >= 0 && index < count() && m_listener.activated) {
        m_listener.activated(index);
    }
}

void RichListController::penDown(QPoint pos) {
    m_surface.takeFocus();
    m_tracking = true;
    m_dragged = false;
    m_penDownPoint = pos;
    m_penDownPosition = m_position;
    m_penItem = itemAt(pos.y());
    if (m_penItem >= 0) {
        changeFocus(m_penItem);  // the content stays under the pen
    }
}

void RichListController::penMove(QPoint pos) {
    if (!m_tracking) {
        return;
    }
    if (!m_dragged && std::abs(pos.x() - m_penDownPoint.x()) <= m_screen.scaleX(kDragThreshold) &&
        std::abs(pos.y() - m_penDownPoint.y()) <= m_screen.scaleY(kDragThreshold)) {
        return;
    }
    m_dragged = true;
    scrollTo(m_penDownPosition - (pos.y() - m_penDownPoint.y()));
}

void RichListController::penUp(QPoint pos) {
    if (!m_tracking) {
        return;
    }
    m_tracking = false;
    if (m_dragged || m_penItem < 0) {
        return;
    }
    int item = itemAt(pos.y());
    if (item < 0 && std::abs(pos.y() - m_penDownPoint.y()) <= m_screen.scaleY(kDragThreshold)) {
        item = m_penItem;  // within the tap distance of where the pen went down
    }
    if (item == m_penItem) {
        activate(item);
    }
}

}  // namespace kontavo
