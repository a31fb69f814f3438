#pragma once

#include <QImage>
#include <QList>
#include <QWidget>
#include <memory>

#include "card/richfontcache.h"
#include "card/richitem.h"
#include "card/richitempainter.h"
#include "card/richlistcontroller.h"
#include "platform/screen.h"

class QScrollBar;

namespace kontavo {

// The rich list control: a vertical, scrolling list of rich items of
// different heights (the card's lines), owner-drawn like the contact list:
// keys and the pen move the focus item, a tap, Enter or the action key
// activates it (itemActivated), a scroll bar appears when the items do not
// fit. Each item is drawn into an off-screen bitmap of its size, then
// copied. It owns its items, its font cache (the base font is the
// program's standard font until set) and the painter of its items. The
// rules live in RichListController and RichItemPainter. UI thread only.
class RichList : public QWidget, private RichListSurface {
    Q_OBJECT
public:
    explicit RichList(const Screen& screen = Screen::current(), QWidget* parent = nullptr);
    ~RichList() override;

    // Replaces the items, measures them for the width and redraws; without
    // `keepPosition` the view goes to the top with no focus item.
    void setItems(QList<RichItem> items, bool keepPosition = false);
    const QList<RichItem>& items() const { return m_items; }
    void clear() { setItems({}); }

    // Changing the base font rebuilds the cached fonts and measures again;
    // setting the same font again does nothing.
    void setBaseFont(const QFont& font);
    void setLabelFont(const QFont& font);
    RichFontCache& fontCache() { return m_cache; }
    const Screen& screen() const { return m_screen; }

    int focusItem() const { return m_controller.focusItem(); }
    void setFocusItem(int index) { m_controller.setFocusItem(index); }
    // The item's box in widget coordinates.
    QRect itemRect(int index) const;
    // Where the items are drawn: the widget less the scroll bar. A change of
    // the items redraws this much; the scroll bar repaints itself when it
    // changes.
    QRect contentRect() const;
    int labelColumn() const { return m_labelColumn; }
    RichListController& controller() { return m_controller; }
    QScrollBar* scrollBar() const { return m_scrollBar; }

signals:
    // A tap, Enter or the action key on item `index`.
    void itemActivated(int index);
    void focusItemChanged(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // RichListSurface
    void redrawAll() override;
    void redrawItem(int index) override;
    void takeFocus() override;

    // Measures every item for the width (less the scroll bar when they do
    // not fit) and hands the heights to the controller.
    void relayout(bool keepPosition);
    int measureAll(int width, int widestLabel);
    void syncScrollBar();
    void paintItem(QPainter& painter, int index, const QRect& box);

    Screen m_screen;
    RichFontCache m_cache;
    RichItemPainter m_painter;
    RichListController m_controller;
    QList<RichItem> m_items;
    QScrollBar* m_scrollBar;
    QImage m_buffer;
    int m_labelColumn = 0;
    int m_measuredWidth = -1;
    bool m_syncing = false;
};

}  // namespace kontavo
