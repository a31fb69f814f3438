#pragma once

#include <QTimer>
#include <QWidget>

#include "list/coollistcontroller.h"
#include "list/heldkeyguard.h"
#include "list/keyrepeatdrain.h"
#include "platform/screen.h"

class QScrollBar;

namespace kontavo {

class CoolListOwner;

// The owner-drawn list control ("COOL.LIST"): a vertical, virtual list of
// rows of one height. It keeps the row count, the scroll position, the focus
// row and the selection; the owner (not owned, must outlive the list or be
// reset to null) draws the rows and reacts to taps, keys and long presses.
// Lengths are device pixels of `screen`. UI thread only.
class CoolList : public QWidget, private CoolListSurface {
    Q_OBJECT
public:
    static constexpr const char* kWindowClass = "COOL.LIST";
    static constexpr unsigned kBorderColor = 0x636363;

    explicit CoolList(const Screen& screen = Screen::current(), QWidget* parent = nullptr);
    ~CoolList() override;

    void setOwner(CoolListOwner* owner) { m_controller.setOwner(owner); }

    void setRowCount(int count, bool keepPosition, int focusRow = -1) {
        m_controller.setRowCount(count, keepPosition, focusRow);
    }
    void setRowHeight(int height) { m_controller.setRowHeight(height); }
    void setSelected(int row, bool selected) { m_controller.setSelected(row, selected); }
    void selectOnly(int row) { m_controller.selectOnly(row); }
    void scrollIntoView(int row) { m_controller.scrollIntoView(row); }
    void redrawRow(int row) override;
    void redrawAll() override;
    void setTopBorder(bool on);

    int rowCount() const { return m_controller.rowCount(); }
    int rowHeight() const { return m_controller.viewport().rowHeight(); }
    int focusRow() const { return m_controller.focusRow(); }
    int topRow() const { return m_controller.viewport().topRow(); }
    int pixelOffset() const { return m_controller.viewport().pixelOffset(); }
    bool isSelected(int row) const { return m_controller.isSelected(row); }
    QList<int> selectedRows() const { return m_controller.selectedRows(); }
    QRect rowBox(int row) const { return m_controller.rowBox(row); }
    int rowAt(int y) const { return m_controller.viewport().rowAt(y); }
    QScrollBar* scrollBar() const { return m_scrollBar; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    // While the action key is held after its long press, its repeats are
    // swallowed wherever they go (the context menu it opened has them).
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // CoolListSurface
    void takeFocus() override;
    void startTimer(CoolListTimer timer) override;
    void stopTimer(CoolListTimer timer) override;
    int clientWidth() const override;
    int clientHeight() const override { return height(); }

    QTimer* timer(CoolListTimer which);
    void actionKeyHeld();
    void syncScrollBar();
    void paintRows(QPainter& painter, const QRect& area);

    Screen m_screen;
    CoolListController m_controller;
    KeyRepeatDrain m_drain;
    HeldKeyGuard m_heldKey;
    int m_actionQtKey = 0;  // the Qt key that pressed the action key
    QScrollBar* m_scrollBar;
    QTimer* m_longPressTimer;
    QTimer* m_actionKeyTimer;
    bool m_topBorder = false;
    bool m_syncing = false;
};

}  // namespace kontavo
