#pragma once

#include <QList>
#include <QPoint>
#include <functional>

#include "platform/screen.h"

namespace kontavo {

// What the controller needs from the widget that shows it.
class RichListSurface {
public:
    virtual ~RichListSurface() = default;
    // Everything moved: redraw all items and update the scroll bar.
    virtual void redrawAll() = 0;
    virtual void redrawItem(int index) = 0;
    virtual void takeFocus() = 0;
};

// The rules of the rich list: items of different heights stacked from the
// top, scrolled by a pixel position; one focus item (the selected line)
// that keys and the pen move; taps, Enter and the action key activate it.
//
// Keys: Up and Down go to the previous and next item, but first scroll by a
// line step through an item that is taller than the view; Page Up and Page
// Down scroll by a page and focus the item then at the top or the bottom;
// Home and End go to the first and last item. The view scrolls the least
// distance that shows the focus item (its top, when it is taller than the
// view). Pen: a pen down focuses the item under it; a pen that moves more
// than 5 pixels drags the content; a pen up on the item it went down on,
// without a drag, activates it. UI thread only.
class RichListController {
public:
    struct Listener {
        std::function<void(int index)> focusChanged;
        // A tap, Enter or the action key on item `index`.
        std::function<void(int index)> activated;
    };

    RichListController(RichListSurface& surface, const Screen& screen);

    void setListener(Listener listener) { m_listener = std::move(listener); }
    // The items' heights, after (re)measuring. With `keepPosition` the view
    // stays where it is as far as the new heights allow, and the focus item
    // stays when it still exists; otherwise the view goes to the top with no
    // focus item.
    void setHeights(const QList<int>& heights, bool keepPosition);
    void setClientHeight(int height);
    // How far Up and Down scroll through a tall item, and the wheel's step.
    void setLineStep(int step) { m_lineStep = qMax(1, step); }

    int count() const { return int(m_tops.size()); }
    int contentHeight() const { return m_contentHeight; }
    int clientHeight() const { return m_clientHeight; }
    int position() const { return m_position; }
    int maxPosition() const { return qMax(0, m_contentHeight - m_clientHeight); }
    int lineStep() const { return m_lineStep; }
    // Item geometry in client coordinates (the view's top is 0).
    int itemTop(int index) const { return m_tops[index] - m_position; }
    int itemHeight(int index) const { return m_heights[index]; }
    // The item at client y, or -1 outside the items.
    int itemAt(int y) const;

    int focusItem() const { return m_focus; }
    // Focuses `index` (-1: none) and scrolls it into view.
    void setFocusItem(int index);
    bool hasFocus() const { return m_hasFocus; }
    void setHasFocus(bool focused);

    bool scrollTo(int position);
    bool scrollBy(int delta) { return scrollTo(m_position + delta); }
    void scrollIntoView(int index);

    // A key press by its virtual key (vk::...); true when the key was used.
    bool keyDown(int virtualKey, bool autoRepeat);
    void penDown(QPoint pos);
    void penMove(QPoint pos);
    void penUp(QPoint pos);

private:
    void changeFocus(int index);
    void stepFocus(int delta);
    void page(int direction);
    void activate(int index);

    RichListSurface& m_surface;
    Screen m_screen;
    Listener m_listener;
    QList<int> m_heights;
    QList<int> m_tops;  // content coordinates
    int m_contentHeight = 0;
    int m_clientHeight = 0;
    int m_position = 0;
    int m_lineStep = 12;
    int m_focus = -1;
    bool m_hasFocus = false;

    // Pen gesture.
    bool m_tracking = false;
    bool m_dragged = false;
    QPoint m_penDownPoint;
    int m_penDownPosition = 0;
    int m_penItem = -1;
};

}  // namespace kontavo
