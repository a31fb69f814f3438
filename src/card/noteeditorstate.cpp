#include "card/noteeditorstate.h"

#include <algorithm>

#include "card/notecolours.h"
#include "store/notes/notedocument.h"

namespace kontavo {

bool NoteEditorState::isEnabled(int button, const Surface& surface) const {
    if (button >= kFont && button <= kAlignment) {
        return !m_drawing;
    }
    if (button == kUndo) {
        return surface.modified && surface.canUndo;
    }
    return button >= 0 && button < kSpare;
}

bool NoteEditorState::isPressed(int button, const Surface& surface) const {
    switch (button) {
        case kDraw:
            return m_drawing;
        case kBold:
            return surface.bold;
        case kBullets:
            return surface.bullets;
        default:
            return false;
    }
}

int NoteEditorState::indentLess(int indent) {
    return std::max(0, indent - kNoteIndentStep);
}

int NoteEditorState::indentMore(int indent) {
    return indent + kNoteIndentStep;
}

QList<NoteEditorState::MenuItem> NoteEditorState::noteMenu(const Surface& surface) const {
    return {
        {QStringLiteral("Undo"), surface.modified && surface.canUndo, false, kCmdUndo},
        {QStringLiteral("Redo"), surface.canRedo, false, kCmdRedo},
        {},
        {QStringLiteral("Cut"), surface.hasSelection, false, kCmdCut},
        {QStringLiteral("Copy"), surface.hasSelection, false, kCmdCopy},
        {QStringLiteral("Paste"), surface.canPaste, false, kCmdPaste},
        {QStringLiteral("Clear"), surface.hasSelection, false, kCmdClear},
        {QStringLiteral("Select All"), true, false, kCmdSelectAll},
        {QStringLiteral("Clear All"), true, false, kCmdClearAll},
    };
}

const QList<int>& NoteEditorState::zoomChoices() {
    static const QList<int> choices{75, 100, 150, 200, 300};
    return choices;
}

QList<NoteEditorState::MenuItem> NoteEditorState::zoomMenu(int zoom) const {
    QList<MenuItem> items;
    for (qsizetype i = 0; i < zoomChoices().size(); ++i) {
        items.append({QStringLiteral("%1%").arg(zoomChoices()[i]), true, zoomChoices()[i] == zoom,
                      kCmdZoomFirst + int(i)});
    }
    return items;
}

QList<NoteEditorState::MenuItem> NoteEditorState::backgroundMenu(Background current) const {
    return {
        {QStringLiteral("Graph Background"), true, current == Background::Graph,
         kCmdBackgroundFirst + int(Background::Graph)},
        {QStringLiteral("Line Background"), true, current == Background::Lines,
         kCmdBackgroundFirst + int(Background::Lines)},
        {QStringLiteral("Plain Background"), true, current == Background::Plain,
         kCmdBackgroundFirst + int(Background::Plain)},
    };
}

QList<NoteEditorState::MenuItem> NoteEditorState::contextMenu(const Surface& surface) const {
    if (surface.hasSelection) {
        return {
            {QStringLiteral("Cut"), true, false, kCmdCut},
            {QStringLiteral("Copy"), true, false, kCmdCopy},
            {QStringLiteral("Paste"), surface.canPaste, false, kCmdPaste},
            {QStringLiteral("Clear"), true, false, kCmdClear},
        };
    }
    return {
        {QStringLiteral("Insert Date"), true, false, kCmdInsertDate},
        {},
        {QStringLiteral("Paste"), surface.canPaste, false, kCmdPaste},
    };
}

QList<NoteEditorState::MenuItem> NoteEditorState::colourMenu(int current) const {
    QList<MenuItem> items;
    for (int i = 0; i < notecolours::kCount; ++i) {
        items.append({notecolours::name(i), true, i == current, kCmdColourFirst + i});
    }
    return items;
}

QList<NoteEditorState::MenuItem> NoteEditorState::alignmentMenu(int current) const {
    const QStringList names{QStringLiteral("Left Align"), QStringLiteral("Center Align"),
                            QStringLiteral("Right Align")};
    QList<MenuItem> items;
    for (int i = 0; i < 3; ++i) {
        items.append({names[i], true, i == current, kCmdAlignFirst + i});
    }
    return items;
}

}  // namespace kontavo
