#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace kontavo {

// The rules of the notes block apart from drawing: the input mode and what
// it enables, the tool bar's state after every change, the menus' items,
// the indent steps and zoom choices.
class NoteEditorState {
public:
    // The tool bar's buttons, left to right.
    enum Button {
        kNoteMenu = 0,
        kDraw = 1,
        kColour = 2,
        kFont = 3,
        kBold = 4,
        kBullets = 5,
        kIndentLess = 6,
        kIndentMore = 7,
        kAlignment = 8,
        kUndo = 9,
        kSpare = 10,
        kButtonCount = 11,
    };
    enum class Background { Graph, Lines, Plain };

    // What the editing surface says of itself after a change.
    struct Surface {
        bool modified = false;
        bool canUndo = false;
        bool canRedo = false;
        bool hasSelection = false;
        bool canPaste = false;
        bool bold = false;
        bool bullets = false;
    };

    bool drawing() const { return m_drawing; }
    void setDrawing(bool on) { m_drawing = on; }
    // Leaving the note: back to typing.
    void leave() { m_drawing = false; }

    // Whether a button can be pressed: buttons 3 to 8 not while drawing,
    // undo only when the note was modified and can be undone, the spare one
    // never.
    bool isEnabled(int button, const Surface& surface) const;
    // Whether a toggle button shows pressed: drawing, bold, bullets.
    bool isPressed(int button, const Surface& surface) const;

    // The left indent after a step (by 144 twips; never below 0).
    static int indentLess(int indent);
    static int indentMore(int indent);

    struct MenuItem {
        QString text;  // empty: a separator
        bool enabled = true;
        bool checked = false;
        int command = 0;
    };
    enum Command {
        kCmdUndo = 1,
        kCmdRedo,
        kCmdCut,
        kCmdCopy,
        kCmdPaste,
        kCmdClear,
        kCmdSelectAll,
        kCmdClearAll,
        kCmdInsertDate,
        kCmdZoomFirst = 100,        // + index into zoomChoices()
        kCmdBackgroundFirst = 200,  // + Background
        kCmdColourFirst = 300,      // + colour index
        kCmdAlignFirst = 400,       // + alignment (left, centre, right)
    };
    // The note menu without its submenus.
    QList<MenuItem> noteMenu(const Surface& surface) const;
    QList<MenuItem> zoomMenu(int zoom) const;
    QList<MenuItem> backgroundMenu(Background current) const;
    // The tap-and-hold menu: with a selection Cut, Copy, Paste, Clear; without,
    // Insert Date, a separator and Paste.
    QList<MenuItem> contextMenu(const Surface& surface) const;
    QList<MenuItem> colourMenu(int current) const;
    QList<MenuItem> alignmentMenu(int current) const;

    static const QList<int>& zoomChoices();

private:
    bool m_drawing = false;
};

}  // namespace kontavo
