// The edit form's notes block: the note editor on the canvas.
#include "card/contactform.h"
#include "card/formcanvas.h"
#include "card/inktextedit.h"
#include "card/notesblock.h"
#include "store/notes/extendedblock.h"

namespace kontavo {

void ContactForm::attachNoteEditor(const FormEntry& entry) {
    m_notes = new NotesBlock(m_canvas);
    m_notes->setObjectName(QStringLiteral("notesBlock"));
    m_notes->setNote(entry.note, *m_services.context.locale);
    connect(m_notes, &NotesBlock::heightChanged, this, [this] {
        relayout();
        showNoteCursor();
    });
    connect(m_notes, &NotesBlock::contentChanged, this, &ContactForm::markChanged);
    connect(m_notes, &NotesBlock::editingStarted, this, &ContactForm::noteEditingStarted);
    connect(m_notes->editor(), &QTextEdit::cursorPositionChanged, this,
            &ContactForm::showNoteCursor);
    m_notes->show();
}

void ContactForm::dropNoteEditor() {
    if (m_notes == nullptr) {
        return;
    }
    NotesBlock* notes = m_notes;
    m_notes = nullptr;
    m_noteActive = false;
    disconnect(notes, nullptr, this, nullptr);
    disconnect(notes->editor(), nullptr, this, nullptr);
    delete notes;
}

int ContactForm::noteBlockIndex() const {
    for (qsizetype i = 0; i < m_blocks.size(); ++i) {
        if (m_blocks[i].kind == BlockKind::Notes) {
            return int(i);
        }
    }
    return -1;
}

int ContactForm::noteEditorHeight() const {
    return m_notes != nullptr ? std::max(1, m_notes->sizeHint().height()) : 0;
}

void ContactForm::placeNoteEditor() {
    const int block = noteBlockIndex();
    if (m_notes == nullptr || block < 0) {
        return;
    }
    const QRect rect = m_layout.blockRect(block);
    m_notes->setGeometry(0, rect.top(), m_layout.width(), noteEditorHeight());
}

void ContactForm::noteEditingStarted() {
    commitEdit();
    m_noteActive = true;
}

void ContactForm::leaveNote() {
    if (m_notes == nullptr || !m_noteActive) {
        return;
    }
    m_noteActive = false;
    m_notes->editor()->clearFocus();  // first: returning to the top must not scroll the form
    m_notes->leave();
}

// While the note is edited the form scrolls to keep its cursor in view.
void ContactForm::showNoteCursor() {
    if (m_notes == nullptr || !m_notes->editor()->hasFocus()) {
        return;
    }
    InkTextEdit* edit = m_notes->editor();
    const QRect cursor = edit->cursorRect();
    const QPoint top = edit->viewport()->mapTo(m_canvas, cursor.topLeft());
    const int half = cursor.height() / 2;
    ensureVisible(top.x(), top.y() + half, 0, half + m_services.screen.scaleY(2));
}

void ContactForm::takeNote() {
    m_noteKept = false;
    const int block = noteBlockIndex();
    if (m_notes == nullptr || block < 0 || !m_notes->isModified()) {
        return;  // unchanged: the block keeps the note as it was added
    }
    const std::optional<QByteArray> note = m_notes->note();
    if (!note) {
        m_noteKept = true;
        return;
    }
    FormEntry& entry = m_blocks[block];
    entry.note = *note;
    entry.noteText = noteToText(*note, *m_services.context.locale);
}

}  // namespace kontavo
