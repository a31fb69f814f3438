#pragma once

#include <QHash>
#include <QList>
#include <QWidget>

#include "ui/menuresource.h"

class QAction;
class QActionGroup;
class QMenu;
class QToolButton;

namespace kontavo {

class ShellUi;

// The shell's menu bar at the bottom of a screen: one button per top-level
// entry of a menu resource (a popup opens its menu upwards), and at the right
// end the button that raises or lowers the SIP. Choosing a command emits
// command(id). Items are found, enabled and checked by command id, as the
// handheld's menu calls do. UI thread only.
class MenuBar : public QWidget {
    Q_OBJECT
public:
    // A bar for `menu` (an empty bar for an empty resource) across the bottom
    // of `parent`, menuBarHeight() high.
    MenuBar(const MenuResource& menu, ShellUi& shell, QWidget* parent);
    ~MenuBar() override;

    // The command item `id`, or null.
    QAction* action(int id) const;
    QList<int> commandIds() const;
    // False when the bar has no item `id`.
    bool enableItem(int id, bool enabled);
    bool checkItem(int id, bool checked);
    // Checks `id` and unchecks the other items from `first` to `last`.
    void checkRadioItem(int first, int last, int id);

    // The buttons of the top-level entries, left to right.
    const QList<QToolButton*>& buttons() const { return m_buttons; }
    QToolButton* sipButton() const { return m_sipButton; }
    // The popup menu of top-level entry `index`, or null for a command.
    QMenu* popupOf(int index) const;

    // Places the bar across the bottom of its parent.
    void placeAtBottom();

signals:
    void command(int id);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QAction* makeAction(const MenuItem& item, QObject* owner);
    void fillMenu(QMenu* menu, const QList<MenuItem>& items);
    void addTopLevel(const MenuItem& item);
    void showPopupAbove(QToolButton* button, QMenu* menu);

    ShellUi& m_shell;
    QHash<int, QAction*> m_actions;
    QList<int> m_order;
    QList<QToolButton*> m_buttons;
    QList<QMenu*> m_popups;
    QToolButton* m_sipButton = nullptr;
};

}  // namespace kontavo
