#pragma once

#include <QPointer>
#include <QScrollArea>
#include <memory>

#include "card/formentry.h"
#include "card/formlayout.h"
#include "card/formservices.h"

class QLineEdit;
class QComboBox;

namespace kontavo {

class FormCanvas;
class NotesBlock;

// The edit form (`ContactForm`): a scrolling stack of blocks, each a column
// of rows with a label on the left (a column 80 pixels wide at 96 dpi) and
// a value on the right; the body of the contact edit window and, in
// template mode, of the template editor (rows with labels and no values;
// values, pictures, categories and links cannot be edited there; every row
// has its delete button and the last row of a block its add button).
//
// With the pen: the row buttons delete and add rows (an added row starts
// editing at once); a label opens the label menu (labels, "Custom...",
// "Address format..." in an address block); a value starts editing in
// place with its text selected (the hint word when it is empty); a
// messenger type opens the type menu; the name block's glyph collapses and
// expands it; the picture, a category row and link rows open their
// choosers. Every change of a value, label or row emits changed(). While
// blocks are added with setNeedsLayout(true) nothing is laid out; clearing
// the flag lays out once. UI thread only.
//
// Outside template mode the notes block is the note editor (NotesBlock,
// owned by the form): it shows the block's note, grows with its content
// (the blocks below and the scroll extent follow), every change of the
// note emits changed(), and when editing moves on to another block it
// returns to typing mode scrolled to its top. In template mode the notes
// block shows its label only.
class ContactForm : public QScrollArea {
    Q_OBJECT
public:
    ContactForm(FormServices services, bool templateMode, QWidget* parent = nullptr);
    ~ContactForm() override;

    bool isTemplateMode() const { return m_templateMode; }

    // Inserts a block at `position` (outside 0..count: appended).
    void addBlock(const FormEntry& entry, int position = -1);
    void removeAll();
    // The index of the first block of template type `type`, or -1.
    int findBlock(int type) const;
    // Makes block `block` visible and starts editing its first value
    // (outside template mode).
    void scrollTo(int block);
    // The blocks as they stand, after the value being edited is committed.
    // The notes block takes the note editor's note: an unchanged note stays
    // byte for byte as it was added; when the changed note cannot be written
    // the block keeps its old note and noteKept() says so.
    const QList<FormEntry>& collect();
    // True when the last collect() could not write the edited note and kept
    // the note the block had (the caller tells the user).
    bool noteKept() const { return m_noteKept; }
    const QList<FormEntry>& blocks() const { return m_blocks; }
    // Suppresses layout while many blocks are added; clearing lays out.
    void setNeedsLayout(bool on);

    // The name block's hidden flag of name line `line` (the Fields menu).
    void setNameLineHidden(int line, bool hidden);

    // For tests and the dialogs: the drawing surface, its layout, and the
    // editor open over a value (null when none).
    QWidget* canvas() const;
    const FormLayout& formLayout() const { return m_layout; }
    QWidget* editor() const { return m_editor; }
    // The note editor of the notes block (null in template mode and while
    // there is no notes block).
    NotesBlock* notesBlock() const { return m_notes; }
    // The line being edited, or -1.
    int editingLine() const { return m_editLine; }

    // Drawing (the canvas calls it).
    void paintCanvas(QPainter& painter, const QRect& exposed) const;
    // A tap on the canvas at `point`.
    void tapAt(const QPoint& point);

signals:
    void changed();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Layout.
    void relayout();
    void layoutOnce();
    QList<QSize> pictureSizes() const;
    QPixmap pictureOf(int block) const;
    // Taps.
    void tapLine(const FormLayout::Hit& hit);
    void deleteRowAt(int line);
    void addRowAt(int line);
    void toggleCollapsed(int block);
    void choosePicture(int block);
    void chooseCategories(int block);
    void chooseLink(int line);
    // Menus (contactformmenus.cpp).
    void openLabelMenu(int line);
    void openTypeMenu(int line);
    void chooseAddressFormat(int line);
    std::optional<QString> askName(const QString& caption, const QString& text);
    // Editing (contactformedit.cpp).
    void startEdit(int line);
    void commitEdit();
    void cancelEdit();
    void closeEditor();
    void moveEdit(int step);
    QWidget* makeEditor(int line, const QString& text);
    QString startText(int line) const;
    void storeText(int line, const QString& text);
    void storeNameLine(FormEntry& entry, int nameLine, const QString& text);
    void filterCompanies(const QString& typed);

    // The note editor (contactformnotes.cpp).
    void attachNoteEditor(const FormEntry& entry);
    void dropNoteEditor();
    int noteBlockIndex() const;
    int noteEditorHeight() const;
    void placeNoteEditor();
    void noteEditingStarted();
    void leaveNote();
    void showNoteCursor();
    void takeNote();

    void markChanged();
    static void reportMissing(const char* what);

    FormServices m_services;
    bool m_templateMode;
    bool m_needsLayout = false;
    QList<FormEntry> m_blocks;
    FormLayout m_layout;
    FormCanvas* m_canvas;
    QPointer<QWidget> m_editor;
    QLineEdit* m_lineEdit = nullptr;  // the editor's line edit
    int m_editLine = -1;
    QString m_editStart;
    QString m_fileAsSource;
    QStringList m_companies;
    bool m_committing = false;
    NotesBlock* m_notes = nullptr;  // a child of the canvas
    bool m_noteActive = false;      // the note editor is being edited
    bool m_noteKept = false;
    bool m_layingOut = false;
    bool m_layoutAgain = false;
};

}  // namespace kontavo
