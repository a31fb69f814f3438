#pragma once

#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include "list/splitterstate.h"
#include "platform/screen.h"

namespace kontavo {

class SettingsStore;

// The splitter ("SPLITTER_FRAME") that divides its height between the list
// (above its bar) and the card (below it). The bar shows the owner's
// position caption and, at its right end, previous and next arrow buttons.
// Dragging the bar moves it (snapping to the top and bottom), a double tap
// toggles it between the top and its proportional place. The panes are the
// owner's widgets, reparented into the splitter. UI thread only.
class SplitterWnd : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kWindowClass = "SPLITTER_FRAME";
    static constexpr int kBackgroundBitmap = 368;
    static constexpr int kBackgroundBitmapHighRes = 369;
    static constexpr int kArrowWidth = 16;  // at 96 dpi
    static constexpr unsigned kCaptionColor = 0x1F1F1F;
    static constexpr unsigned kArrowColor = 0x303030;
    static constexpr unsigned kDisabledArrowColor = 0xA0A0A0;

    explicit SplitterWnd(const Screen& screen = Screen::current(), QWidget* parent = nullptr);

    // The list and the card; either may be null.
    void setPanes(QWidget* list, QWidget* card);
    void loadSettings(const SettingsStore& settings);
    // Writes "SplitVisible", "SplitPercent" and "SplitMode" (when the frame closes).
    void saveSettings(SettingsStore& settings) const;

    SplitterState& state() { return m_state; }
    const SplitterState& state() const { return m_state; }
    // After a change of state from outside: lay the panes out again.
    void relayout();

    void setCaption(const QString& caption);
    QString caption() const { return m_caption; }
    void setArrowsEnabled(bool previous, bool next);

    QRect barRect() const;
    QRect previousArrowRect() const;
    QRect nextArrowRect() const;

signals:
    void previousRequested();
    void nextRequested();
    // The bar moved or changed mode (by drag or double tap).
    void barMoved();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    enum class Arrow { None, Previous, Next };
    Arrow arrowAt(QPoint pos) const;
    void paintArrow(QPainter& painter, const QRect& box, bool up, bool enabled, bool pressed);

    Screen m_screen;
    SplitterState m_state;
    QPointer<QWidget> m_list;
    QPointer<QWidget> m_card;
    QPixmap m_background;
    QString m_caption;
    bool m_previousEnabled = false;
    bool m_nextEnabled = false;
    Arrow m_pressedArrow = Arrow::None;
};

}  // namespace kontavo
