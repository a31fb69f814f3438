#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

#include "list/listkey.h"
#include "list/listviewport.h"
#include "list/selectionbits.h"
#include "platform/screen.h"

namespace kontavo {

class CoolListOwner;

// The timers a CoolList runs; both last 400 ms.
enum class CoolListTimer { LongPress, ActionKey };
inline constexpr int kLongPressMs = 400;

// What the controller needs from the widget that shows it.
class CoolListSurface {
public:
    virtual ~CoolListSurface() = default;
    virtual void redrawRow(int row) = 0;
    // Everything moved: redraw all rows and update the scroll bar.
    virtual void redrawAll() = 0;
    virtual void takeFocus() = 0;
    virtual void startTimer(CoolListTimer timer) = 0;
    virtual void stopTimer(CoolListTimer timer) = 0;
    virtual int clientWidth() const = 0;
    virtual int clientHeight() const = 0;
};

// The rules of the owner-drawn list: rows, scroll position, focus row,
// selection, keys and pen gestures. It tells the owner what happened and the
// surface what to redraw; it draws nothing itself. UI thread only.
class CoolListController {
public:
    CoolListController(CoolListSurface& surface, const Screen& screen);

    void setOwner(CoolListOwner* owner) { m_owner = owner; }
    CoolListOwner* owner() const { return m_owner; }

    // Owner operations.
    // Sets the row count; `keepPosition` keeps the scroll position (moved
    // back when the last page would be passed), else the list scrolls to the
    // top. A `focusRow` in range becomes the focus row and is scrolled into view.
    void setRowCount(int count, bool keepPosition, int focusRow = -1);
    void setRowHeight(int height);
    // The surface was resized.
    void clientResized();
    void setSelected(int row, bool selected);
    // Makes `row` the only selected row (-1: none).
    void selectOnly(int row);
    void scrollIntoView(int row);
    // The scroll bar's positions.
    void setTopRow(int row);
    void scrollRows(int delta);

    int rowCount() const { return m_view.rowCount(); }
    int focusRow() const { return m_focusRow; }
    bool isSelected(int row) const { return m_selection.isSelected(row); }
    QList<int> selectedRows() const { return m_selection.selectedRows(); }
    const SelectionBits& selection() const { return m_selection; }
    const ListViewport& viewport() const { return m_view; }
    unsigned rowState(int row) const;
    QRect rowBox(int row) const;

    // Focus of the list (rows are drawn differently with it).
    void setHasFocus(bool focused);
    bool hasFocus() const { return m_hasFocus; }

    // Keys: true when the key was used (by the list or its owner).
    bool keyDown(const ListKey& key);
    void keyUp(int virtualKey);
    void actionKeyTimeout();

    // Pen, in client coordinates.
    void penDown(QPoint pos);
    void penMove(QPoint pos);
    void penUp(QPoint pos);
    void longPressTimeout();
    bool isTracking() const { return m_tracking; }

private:
    // The surface may change size while hidden without telling; every
    // operation that depends on the client height takes it afresh.
    void syncClientHeight() { m_view.setClientHeight(m_surface.clientHeight()); }
    void moveFocusByKey(int target);
    void setFocusRow(int row);
    bool beyondDragThreshold(QPoint pos) const;
    void startDrag();
    void dragTo(QPoint pos);
    void setRange(int first, int last);
    void redrawIfVisible(int row);

    CoolListSurface& m_surface;
    Screen m_screen;
    CoolListOwner* m_owner = nullptr;
    ListViewport m_view;
    SelectionBits m_selection;
    int m_focusRow = -1;
    bool m_hasFocus = false;

    // Pen gesture.
    bool m_tracking = false;
    QPoint m_penDownPoint;
    int m_anchorRow = -1;
    bool m_anchorWasSelected = false;
    bool m_dragged = false;
    bool m_longPressFired = false;
    int m_rangeFirst = -1;  // the dragged range, empty while first > last
    int m_rangeLast = -2;

    // Action key.
    bool m_actionKeyDown = false;
    bool m_actionKeyFired = false;
};

}  // namespace kontavo
