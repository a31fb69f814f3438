#pragma once

#include <QHash>
#include <QMenu>
#include <QPointer>

namespace kontavo {

// A pop-up menu that stays on the program's screen (the window it belongs
// to): before it shows, items wider than the screen are shortened (label
// and value of a two-column item both give up room, ending in "...") and a
// menu taller than the screen gives up its items' padding; when
// it shows, it is moved inside the screen, and a submenu opens to the right
// of its parent when there is room, else to its left, else over the parent.
// Every menu of the program is one of these. UI thread only.
class PopupMenu : public QMenu {
    Q_OBJECT
public:
    // The screen is the window of `parent` (for a submenu, of its menu's
    // owner), unless setScreenOwner names another widget.
    // A menu whose parent is a menu (a submenu) takes that menu's font.
    explicit PopupMenu(QWidget* parent = nullptr);
    PopupMenu(const QString& title, QWidget* parent);

    // A submenu titled `title` at the end of the menu, owned by it, in the
    // menu's font.
    PopupMenu* addPopup(const QString& title);
    // The widget whose window is the menu's screen (when it has no parent).
    void setScreenOwner(QWidget* owner) { m_owner = owner; }
    // The program's screen in global coordinates; empty when the menu
    // belongs to no window.
    QRect screenRect() const;
    // Shortens the items that make the menu wider than its screen (done
    // again before every showing, from the full texts).
    void fitToScreen();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QMenu* parentMenu() const;
    void fitHeight(const QRect& screen);
    QRect placement() const;

    QPointer<QWidget> m_owner;
    QHash<QAction*, QString> m_fullTexts;
};

}  // namespace kontavo
