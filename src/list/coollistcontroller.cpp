#include "list/coollistcontroller.h"

#include <algorithm>
#include <cstdlib>

#include "list/coollistowner.h"

namespace kontavo {

CoolListController::CoolListController(CoolListSurface& surface, const Screen& screen)
    : m_surface(surface), m_screen(screen) {}

void CoolListController::setRowCount(int count, bool keepPosition, int focusRow) {
    syncClientHeight();
    m_view.setRowCount(count);
    m_selection.resize(m_view.rowCount());
    if (keepPosition) {
        m_view.clampPosition();
    } else {
        m_view.resetPosition();
    }
    if (focusRow >= 0 && focusRow < m_view.rowCount()) {
        m_focusRow = focusRow;
        m_view.scrollIntoView(focusRow);
    } else if (m_focusRow >= m_view.rowCount()) {
        m_focusRow = m_view.rowCount() - 1;
    }
    m_anchorRow = std::min(m_anchorRow, m_view.rowCount() - 1);
    m_rangeFirst = -1;
    m_rangeLast = -2;
    m_surface.redrawAll();
}

void CoolListController::setRowHeight(int height) {
    syncClientHeight();
    m_view.setRowHeight(height);
    m_surface.redrawAll();
}

void CoolListController::clientResized() {
    syncClientHeight();
    m_surface.redrawAll();
}

void CoolListController::setSelected(int row, bool selected) {
    if (row < 0 || row >= m_view.rowCount() || m_selection.isSelected(row) == selected) {
        return;
    }
    m_selection.set(row, selected);
    redrawIfVisible(row);
}

void CoolListController::selectOnly(int row) {
    for (const int selected : m_selection.selectedRows()) {
        if (selected != row) {
            setSelected(selected, false);
        }
    }
    setSelected(row, true);
}

void CoolListController::scrollIntoView(int row) {
    syncClientHeight();
    if (m_view.scrollIntoView(row)) {
        m_surface.redrawAll();
    }
}

void CoolListController::setTopRow(int row) {
    syncClientHeight();
    if (m_view.setTopRow(row)) {
        m_surface.redrawAll();
    }
}

void CoolListController::scrollRows(int delta) {
    syncClientHeight();
    if (m_view.scrollRows(delta)) {
        m_surface.redrawAll();
    }
}

unsigned CoolListController::rowState(int row) const {
    return (m_selection.isSelected(row) ? rowstate::kSelected : 0u) |
           (m_hasFocus ? rowstate::kListFocused : 0u);
}

QRect CoolListController::rowBox(int row) const {
    return QRect(0, m_view.rowTop(row), m_surface.clientWidth(), m_view.rowHeight());
}

void CoolListController::setHasFocus(bool focused) {
    if (m_hasFocus == focused) {
        return;
    }
    m_hasFocus = focused;
    if (!focused && m_actionKeyDown) {
        m_actionKeyDown = false;  // the release goes elsewhere now
        m_surface.stopTimer(CoolListTimer::ActionKey);
    }
    m_surface.redrawAll();
}

bool CoolListController::keyDown(const ListKey& key) {
    syncClientHeight();
    const int page = std::max(1, m_view.wholeRowsThatFit());
    switch (key.virtualKey) {
        case vk::kUp:
            moveFocusByKey(m_focusRow - 1);
            return true;
        case vk::kDown:
            moveFocusByKey(m_focusRow + 1);
            return true;
        case vk::kPageUp:
            moveFocusByKey(m_focusRow - page);
            return true;
        case vk::kPageDown:
            moveFocusByKey(m_focusRow + page);
            return true;
        case vk::kHome:
            moveFocusByKey(0);
            return true;
        case vk::kEnd:
            moveFocusByKey(m_view.rowCount() - 1);
            return true;
        case vk::kReturn:
            if (m_owner && m_focusRow >= 0) {
                m_owner->onActivate(m_focusRow);
            }
            return true;
        case vk::kAction:
            if (!m_actionKeyDown) {
                m_actionKeyDown = true;
                m_actionKeyFired = false;
                m_surface.startTimer(CoolListTimer::ActionKey);
            }
            return true;
        default:
            return m_owner && m_owner->onKey(key);
    }
}

void CoolListController::keyUp(int virtualKey) {
    if (!m_actionKeyDown || (virtualKey != vk::kAction && virtualKey != vk::kReturn)) {
        return;
    }
    m_actionKeyDown = false;
    m_surface.stopTimer(CoolListTimer::ActionKey);
    if (!m_actionKeyFired && m_owner && m_focusRow >= 0) {
        m_owner->onActivate(m_focusRow);
    }
}

void CoolListController::actionKeyTimeout() {
    m_surface.stopTimer(CoolListTimer::ActionKey);
    if (!m_actionKeyDown || m_actionKeyFired) {
        return;
    }
    m_actionKeyFired = true;
    if (m_owner && m_focusRow >= 0) {
        m_owner->onLongPress(rowBox(m_focusRow).center());
    }
}

// Up/Down/Page/Home/End: a row just outside the view scrolls it by one row,
// any other jumps the least distance that shows the row.
void CoolListController::moveFocusByKey(int target) {
    if (m_view.rowCount() == 0) {
        return;
    }
    target = std::clamp(target, 0, m_view.rowCount() - 1);
    if (target == m_focusRow) {
        return;
    }
    bool scrolled = false;
    if (target == m_view.lastWholeRow() + 1) {
        scrolled = m_view.scrollRows(1);
    } else if (target == m_view.firstWholeRow() - 1) {
        scrolled = m_view.scrollRows(-1);
    }
    scrolled = m_view.scrollIntoView(target) || scrolled;
    if (scrolled) {
        m_surface.redrawAll();
    }
    setFocusRow(target);
}

void CoolListController::setFocusRow(int row) {
    if (row == m_focusRow) {
        return;
    }
    const int old = m_focusRow;
    m_focusRow = row;
    redrawIfVisible(old);
    redrawIfVisible(row);
    if (m_owner) {
        m_owner->onFocusChanged(row);
    }
}

void CoolListController::penDown(QPoint pos) {
    syncClientHeight();
    m_surface.takeFocus();
    m_tracking = false;
    const int row = m_view.rowAt(pos.y());
    if (row < 0) {
        return;  // below the last row the tap selects nothing
    }
    m_anchorWasSelected = m_selection.isSelected(row);
    setFocusRow(row);
    if (m_owner && m_owner->hitTest(pos)) {
        return;
    }
    m_anchorRow = row;
    m_penDownPoint = pos;
    m_tracking = true;
    m_dragged = false;
    m_longPressFired = false;
    m_surface.startTimer(CoolListTimer::LongPress);
}

void CoolListController::penMove(QPoint pos) {
    syncClientHeight();
    if (!m_tracking || m_longPressFired) {
        return;
    }
    if (!m_dragged) {
        if (!beyondDragThreshold(pos)) {
            return;
        }
        startDrag();
    }
    dragTo(pos);
}

void CoolListController::penUp(QPoint pos) {
    syncClientHeight();
    if (!m_tracking) {
        return;
    }
    m_tracking = false;
    m_surface.stopTimer(CoolListTimer::LongPress);
    if (m_longPressFired || m_dragged) {
        return;
    }
    int row = m_view.rowAt(pos.y());
    if (row < 0) {
        row = m_anchorRow;  // within the tap distance of the row the pen went down on
    }
    if (row < 0 || row >= m_view.rowCount()) {
        return;  // the owner emptied the list meanwhile
    }
    const bool wasSelected = row == m_anchorRow ? m_anchorWasSelected : m_selection.isSelected(row);
    selectOnly(row);
    setFocusRow(row);
    if (m_owner) {
        m_owner->onRowTapped(row, wasSelected);
    }
}

void CoolListController::longPressTimeout() {
    m_surface.stopTimer(CoolListTimer::LongPress);
    if (!m_tracking || m_dragged || m_longPressFired) {
        return;
    }
    m_longPressFired = true;
    if (m_owner) {
        m_owner->onLongPress(m_penDownPoint);
    }
}

bool CoolListController::beyondDragThreshold(QPoint pos) const {
    return std::abs(pos.x() - m_penDownPoint.x()) > m_screen.scaleX(5) ||
           std::abs(pos.y() - m_penDownPoint.y()) > m_screen.scaleY(5);
}

// A drag replaces the selection with the range it covers.
void CoolListController::startDrag() {
    m_dragged = true;
    m_surface.stopTimer(CoolListTimer::LongPress);
    for (const int row : m_selection.selectedRows()) {
        setSelected(row, false);
    }
    m_rangeFirst = -1;
    m_rangeLast = -2;
}

void CoolListController::dragTo(QPoint pos) {
    if (pos.y() < 0) {
        scrollRows(-1);
    } else if (pos.y() >= m_view.clientHeight()) {
        scrollRows(1);
    }
    const int row = m_view.nearestRowAt(pos.y());
    if (row < 0 || m_anchorRow < 0) {
        return;
    }
    setRange(std::min(m_anchorRow, row), std::max(m_anchorRow, row));
}

void CoolListController::setRange(int first, int last) {
    const int from = m_rangeFirst <= m_rangeLast ? std::min(first, m_rangeFirst) : first;
    const int to = m_rangeFirst <= m_rangeLast ? std::max(last, m_rangeLast) : last;
    for (int row = from; row <= to; ++row) {
        setSelected(row, row >= first && row <= last);
    }
    m_rangeFirst = first;
    m_rangeLast = last;
}

void CoolListController::redrawIfVisible(int row) {
    if (row < 0 || row >= m_view.rowCount()) {
        return;
    }
    const int top = m_view.rowTop(row);
    if (top + m_view.rowHeight() > 0 && top < m_view.clientHeight()) {
        m_surface.redrawRow(row);
    }
}

}  // namespace kontavo
