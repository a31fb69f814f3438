#pragma once

#include <QPixmap>
#include <QWidget>

#include "platform/screen.h"

namespace kontavo {

// The category drop-down button ("LIST.DOWN.BUTTON") at the top left of the
// contacts frame: the category filter's caption with a down-arrow glyph at
// its right end (icon 119, or 300 on a high-resolution screen). A tap (pen down and up on the
// button) emits tapped(); the button looks pressed while the pen is down on it. UI thread only.
class ListDownButton : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kWindowClass = "LIST.DOWN.BUTTON";
    static constexpr int kArrowWidth = 9;  // at 96 dpi
    static constexpr int kArrowIcon = 119;
    static constexpr int kArrowIconHighRes = 300;
    static constexpr unsigned kTextColor = 0x000000;
    static constexpr unsigned kFrameColor = 0x7F7F7F;
    static constexpr unsigned kPressedColor = 0xC4C4C4;

    explicit ListDownButton(const Screen& screen = Screen::current(), QWidget* parent = nullptr);

    void setCaption(const QString& caption);
    QString caption() const { return m_caption; }
    bool isPressed() const { return m_pressed; }

signals:
    void tapped();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setPressed(bool pressed);
    void paintArrow(QPainter& painter, const QRect& box);

    Screen m_screen;
    QPixmap m_arrow;
    QString m_caption;
    bool m_pressed = false;
    bool m_penDown = false;
};

}  // namespace kontavo
