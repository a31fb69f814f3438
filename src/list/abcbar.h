#pragma once

#include <QFont>
#include <QTimer>

#include "list/abcbarlabels.h"
#include "list/abcbarpresses.h"
#include "list/barpentracker.h"
#include "platform/screen.h"
#include "ui/childcontrol.h"

namespace kontavo {

// What both ABC bars share: the letter-group labels, the press count of
// each group, and the pen (tap a button to post its command id to the owner;
// hold backspace for 500 ms to post "clear all"). Commands are posted: the
// owner (the parent, a lightweight child control's owner) gets the command
// message wm::kCommand with the id in the low word of wParam from the event
// loop, after the pen event that caused it, and commandPosted is emitted at
// the same turn. Command ids: group i is i, backspace N, "clear all" N + 1
// (N = groups).
class AbcBar : public ChildControl {
    Q_OBJECT
public:
    static constexpr int kHoldMs = 500;

    // Rebuilds the bar for new labels; all press counts start at 0.
    void setLabels(const AbcBarLabels& labels);
    const AbcBarLabels& labels() const { return m_labels; }
    int groupCount() const { return m_labels.groupCount(); }
    int backspaceCommand() const { return groupCount(); }
    int clearAllCommand() const { return groupCount() + 1; }

    // The owner reports how the selected groups changed.
    void groupAppended(int group);
    void groupRemoved(int group);
    void resetPresses();
    int pressCount(int group) const { return m_presses.count(group); }

signals:
    // The command was posted to the owner.
    void commandPosted(int command);

protected:
    AbcBar(const Screen& screen, QWidget* parent);

    // The command of the button under `pos`, or -1.
    virtual int commandAt(QPoint pos) const = 0;
    virtual QRect commandRect(int command) const = 0;
    // The labels changed: lay the buttons out again.
    virtual void rebuild() = 0;

    int depth(int group) const { return m_presses.depth(group); }
    // Draws a group's label centred in `box`, with the alternate label as a
    // second line when the set has alternate labels; pen already set.
    void paintGroupLabel(QPainter& painter, int group, const QRect& box, const QFont& labelFont,
                         const QFont& alternateFont) const;
    int pressedCommand() const { return m_pen.pressedButton(); }
    const Screen& screen() const { return m_screen; }

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void holdTimeout();
    void post(int command);
    void redrawCommand(int command);

    Screen m_screen;
    AbcBarLabels m_labels;
    AbcBarPresses m_presses;
    BarPenTracker m_pen;
    QTimer* m_holdTimer;
};

}  // namespace kontavo
