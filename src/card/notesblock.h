#pragma once

#include <QByteArray>
#include <QWidget>
#include <optional>

#include "card/noteeditorstate.h"
#include "store/notes/notedocument.h"

class QToolButton;

namespace kontavo {

class InkTextEdit;
class Locale;
class PopupMenu;

// The notes block of the edit form: the title "Note", the tool bar and the
// editing surface, which grows with its content. It loads a contact's user
// note (a Pocket Word Ink document or plain text) and hands back the note to
// store. UI thread only.
//
// Use: block->setNote(contact.userNote, locale); ... on save:
// if (auto note = block->note()) contact.userNote = *note; else report.
class NotesBlock final : public QWidget {
    Q_OBJECT
public:
    explicit NotesBlock(QWidget* parent = nullptr);
    ~NotesBlock() override;

    // Shows `userNote` in typing mode with the plain background.
    void setNote(const QByteArray& userNote, const Locale& locale);
    // The note to store: the note as loaded when nothing was changed;
    // otherwise the editor's document, or no notes (empty) when that
    // document has no content. nullopt when the document cannot be written
    // (the caller keeps the old note and reports the failure).
    std::optional<QByteArray> note() const;
    bool isModified() const;

    // Editing of the block ends: typing mode, scrolled to the top.
    void leave();

    InkTextEdit* editor() const { return m_edit; }
    const NoteEditorState& state() const { return m_state; }
    QToolButton* button(int index) const { return m_buttons.value(index); }
    NoteEditorState::Surface surface() const;
    // The menu a drop-down button or the context menu shows (for tests: the
    // last one opened; null before).
    PopupMenu* lastMenu() const { return m_lastMenu; }

    // The commands of the tool bar and menus.
    void run(int command);
    void toggleDrawing();
    void toggleBold();
    void toggleBullets();
    void indent(bool more);
    void chooseFont();

signals:
    void heightChanged();
    void contentChanged();
    void editingStarted();
    void editingEnded();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildToolBar();
    void refreshToolBar();
    void followContent();
    void showMenu(const QList<NoteEditorState::MenuItem>& items, QPoint globalPos,
                  bool withSubmenus = false);
    void insertDate();
    int currentAlignment() const;
    int currentColour() const;

    NoteEditorState m_state;
    InkTextEdit* m_edit = nullptr;
    QList<QToolButton*> m_buttons;
    PopupMenu* m_lastMenu = nullptr;
    QByteArray m_loaded;
    QByteArray m_base;
    const Locale* m_locale = nullptr;
    NoteEditorState::Background m_background = NoteEditorState::Background::Plain;
    int m_titleHeight = 0;
};

}  // namespace kontavo
