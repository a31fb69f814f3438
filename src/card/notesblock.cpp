#include "card/notesblock.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QHBoxLayout>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextList>
#include <QToolButton>
#include <QVBoxLayout>

#include "card/inktextedit.h"
#include "card/notecolours.h"
#include "card/notefontdialog.h"
#include "card/notetextformat.h"
#include "card/notetoolicons.h"
#include "platform/locale.h"
#include "platform/screen.h"
#include "store/notes/notedocumentcodec.h"
#include "store/notes/pocketwordink.h"
#include "ui/popupmenu.h"
#include "ui/sharedfonts.h"

namespace kontavo {

namespace {

constexpr int kTitleMargin = 5;  // the title's lines end this far from the edge and the word
const QColor kTitleGrey(127, 127, 127);

}  // namespace

NotesBlock::NotesBlock(QWidget* parent) : QWidget(parent) {
    const Screen& screen = Screen::current();
    m_titleHeight = QFontMetrics(SharedFonts::current().normal).height() + screen.scaleY(2);
    m_edit = new InkTextEdit(screen, this);
    m_edit->setObjectName(QStringLiteral("noteEdit"));
    m_edit->setFont(SharedFonts::current().normal);
    // A tap on the tool bar or the title keeps the typing in the note.
    setFocusPolicy(Qt::ClickFocus);
    setFocusProxy(m_edit);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, m_titleHeight, 0, 0);
    layout->setSpacing(screen.scaleY(1));
    buildToolBar();
    auto* bar = new QHBoxLayout;
    bar->setSpacing(0);
    for (QToolButton* button : m_buttons) {
        bar->addWidget(button);
    }
    bar->addStretch(1);
    layout->addLayout(bar);
    layout->addWidget(m_edit);
    layout->addStretch(1);
    m_edit->installEventFilter(this);
    m_edit->viewport()->installEventFilter(this);
    connect(m_edit, &InkTextEdit::changed, this, [this] {
        followContent();
        refreshToolBar();
        emit contentChanged();
    });
    // A new width wraps the text anew.
    connect(m_edit->document()->documentLayout(),
            &QAbstractTextDocumentLayout::documentSizeChanged, this, &NotesBlock::followContent);
    connect(m_edit, &QTextEdit::cursorPositionChanged, this, &NotesBlock::refreshToolBar);
    connect(m_edit, &QTextEdit::selectionChanged, this, &NotesBlock::refreshToolBar);
    connect(m_edit, &InkTextEdit::contextMenuAsked, this,
            [this](QPoint at) { showMenu(m_state.contextMenu(surface()), at); });
    m_edit->setBackground(m_background);
    followContent();
    refreshToolBar();
}

NotesBlock::~NotesBlock() = default;

void NotesBlock::buildToolBar() {
    const Screen& screen = Screen::current();
    const QList<QIcon> icons = noteToolIcons(screen.isHighResolution());
    const int side = screen.isHighResolution() ? 48 : 24;
    for (int i = 0; i < NoteEditorState::kButtonCount; ++i) {
        auto* button = new QToolButton(this);
        button->setObjectName(QStringLiteral("noteButton%1").arg(i));
        button->setAutoRaise(true);
        button->setIconSize(QSize(side, side));
        button->setFocusPolicy(Qt::NoFocus);
        if (i < icons.size()) {
            button->setIcon(icons[i]);
        }
        m_buttons.append(button);
    }
    for (int toggle : {NoteEditorState::kDraw, NoteEditorState::kBold, NoteEditorState::kBullets}) {
        m_buttons[toggle]->setCheckable(true);
    }
    const auto below = [this](int index) {
        QToolButton* button = m_buttons[index];
        return button->mapToGlobal(QPoint(0, button->height()));
    };
    connect(m_buttons[NoteEditorState::kNoteMenu], &QToolButton::clicked, this, [=, this] {
        showMenu(m_state.noteMenu(surface()), below(NoteEditorState::kNoteMenu), true);
    });
    connect(m_buttons[NoteEditorState::kDraw], &QToolButton::clicked, this,
            &NotesBlock::toggleDrawing);
    connect(m_buttons[NoteEditorState::kColour], &QToolButton::clicked, this, [=, this] {
        showMenu(m_state.colourMenu(currentColour()), below(NoteEditorState::kColour));
    });
    connect(m_buttons[NoteEditorState::kFont], &QToolButton::clicked, this,
            &NotesBlock::chooseFont);
    connect(m_buttons[NoteEditorState::kBold], &QToolButton::clicked, this,
            &NotesBlock::toggleBold);
    connect(m_buttons[NoteEditorState::kBullets], &QToolButton::clicked, this,
            &NotesBlock::toggleBullets);
    connect(m_buttons[NoteEditorState::kIndentLess], &QToolButton::clicked, this,
            [this] { indent(false); });
    connect(m_buttons[NoteEditorState::kIndentMore], &QToolButton::clicked, this,
            [this] { indent(true); });
    connect(m_buttons[NoteEditorState::kAlignment], &QToolButton::clicked, this, [=, this] {
        showMenu(m_state.alignmentMenu(currentAlignment()), below(NoteEditorState::kAlignment));
    });
    connect(m_buttons[NoteEditorState::kUndo], &QToolButton::clicked, this,
            [this] { run(NoteEditorState::kCmdUndo); });
}

NoteEditorState::Surface NotesBlock::surface() const {
    NoteEditorState::Surface s;
    s.modified = isModified();
    s.canUndo = m_edit->document()->isUndoAvailable();
    s.canRedo = m_edit->document()->isRedoAvailable();
    s.hasSelection = m_edit->textCursor().hasSelection();
    s.canPaste = !m_edit->drawing() && m_edit->canPaste();
    s.bold = m_edit->currentCharFormat().fontWeight() >= QFont::DemiBold;
    s.bullets = m_edit->textCursor().currentList() != nullptr;
    return s;
}

void NotesBlock::refreshToolBar() {
    const NoteEditorState::Surface now = surface();
    for (int i = 0; i < m_buttons.size(); ++i) {
        m_buttons[i]->setEnabled(m_state.isEnabled(i, now));
        if (m_buttons[i]->isCheckable()) {
            m_buttons[i]->setChecked(m_state.isPressed(i, now));
        }
    }
}

void NotesBlock::followContent() {
    const int height = std::max(m_edit->contentHeight(), Screen::current().scaleY(40));
    if (m_edit->height() != height) {
        m_edit->setFixedHeight(height);
        emit heightChanged();
    }
}

bool NotesBlock::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::FocusIn:
            if (watched == m_edit) {
                emit editingStarted();
            }
            break;
        case QEvent::KeyRelease:
        case QEvent::MouseButtonRelease:
            refreshToolBar();
            break;
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

void NotesBlock::setNote(const QByteArray& userNote, const Locale& locale) {
    m_locale = &locale;
    m_loaded = userNote;
    const NoteDocument note = readNoteDocument(userNote, locale);
    m_base = note.base;
    notetext::fill(*m_edit->document(), note.paragraphs, m_edit->screen(), m_edit->zoom());
    m_edit->setStrokes(note.strokes);
    m_state.leave();
    m_edit->setDrawing(false);
    m_background = NoteEditorState::Background::Plain;
    m_edit->setBackground(m_background);
    followContent();
    refreshToolBar();
}

bool NotesBlock::isModified() const {
    return m_edit->document()->isModified() || m_edit->strokesChanged();
}

std::optional<QByteArray> NotesBlock::note() const {
    NoteDocument document;
    if (!isModified()) {
        if (ink::documentState(m_loaded) == ink::DocumentState::Empty) {
            return QByteArray();
        }
        return m_loaded;
    }
    document.paragraphs = notetext::paragraphs(*m_edit->document());
    document.strokes = m_edit->strokes();
    document.base = m_base;
    const std::optional<QByteArray> written = writeNoteDocument(document);
    if (!written) {
        return std::nullopt;
    }
    if (ink::documentState(*written) == ink::DocumentState::Empty) {
        return QByteArray();
    }
    return written;
}

void NotesBlock::leave() {
    m_state.leave();
    m_edit->setDrawing(false);
    m_edit->verticalScrollBar()->setValue(0);
    m_edit->moveCursor(QTextCursor::Start);
    refreshToolBar();
    emit editingEnded();
}

void NotesBlock::toggleDrawing() {
    m_state.setDrawing(!m_state.drawing());
    m_edit->setDrawing(m_state.drawing());
    refreshToolBar();
}

void NotesBlock::toggleBold() {
    QTextCharFormat format;
    format.setFontWeight(surface().bold ? QFont::Normal : QFont::Bold);
    m_edit->mergeCurrentCharFormat(format);
    refreshToolBar();
}

void NotesBlock::toggleBullets() {
    QTextCursor cursor = m_edit->textCursor();
    cursor.beginEditBlock();
    if (QTextList* list = cursor.currentList()) {
        const QTextBlock start = m_edit->document()->findBlock(cursor.selectionStart());
        const QTextBlock end = m_edit->document()->findBlock(cursor.selectionEnd());
        for (QTextBlock block = start; block.isValid(); block = block.next()) {
            list->remove(block);
            QTextCursor blockCursor(block);
            QTextBlockFormat format = block.blockFormat();
            notetext::setIndent(format, notetext::indentOf(format), m_edit->screen(),
                                m_edit->zoom());
            format.setIndent(0);
            blockCursor.setBlockFormat(format);
            if (block == end) {
                break;
            }
        }
    } else {
        cursor.createList(QTextListFormat::ListDisc);
    }
    cursor.endEditBlock();
    refreshToolBar();
}

void NotesBlock::indent(bool more) {
    QTextCursor cursor = m_edit->textCursor();
    const QTextBlock start = m_edit->document()->findBlock(cursor.selectionStart());
    const QTextBlock end = m_edit->document()->findBlock(cursor.selectionEnd());
    cursor.beginEditBlock();
    for (QTextBlock block = start; block.isValid(); block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        const int now = notetext::indentOf(format);
        notetext::setIndent(
            format, more ? NoteEditorState::indentMore(now) : NoteEditorState::indentLess(now),
            m_edit->screen(), m_edit->zoom());
        QTextCursor(block).setBlockFormat(format);
        if (block == end) {
            break;
        }
    }
    cursor.endEditBlock();
}

void NotesBlock::chooseFont() {
    const QTextCursor cursor = m_edit->textCursor();
    const NoteCharFormat now = notetext::noteFormat(m_edit->currentCharFormat());
    NoteFontChoice start{now.face,   now.points,    now.bold,
                         now.italic, now.underline, now.strikethrough};
    if (cursor.hasSelection()) {
        // No size is offered when the selection has more than one.
        QTextCursor probe(m_edit->document());
        for (int at = cursor.selectionStart() + 1; at <= cursor.selectionEnd(); ++at) {
            probe.setPosition(at);
            if (notetext::noteFormat(probe.charFormat()).points != now.points) {
                start.size = 0;
                break;
            }
        }
    }
    NoteFontDialog dialog(start, this);
    if (dialog.doModal() != QDialog::Accepted) {
        return;
    }
    QTextCharFormat format;
    dialog.choice().applyTo(format, m_edit->zoom());
    m_edit->mergeCurrentCharFormat(format);
    refreshToolBar();
}

int NotesBlock::currentAlignment() const {
    const Qt::Alignment alignment = m_edit->alignment();
    return (alignment & Qt::AlignHCenter) ? 1 : (alignment & Qt::AlignRight) ? 2 : 0;
}

int NotesBlock::currentColour() const {
    return m_state.drawing() ? m_edit->penColour()
                             : notetext::noteFormat(m_edit->currentCharFormat()).colour;
}

void NotesBlock::insertDate() {
    const Locale& locale = m_locale != nullptr ? *m_locale : Locale::user();
    m_edit->textCursor().insertText(
        locale.formatDate(locale.shortDatePicture(), QDate::currentDate()));
}

void NotesBlock::run(int command) {
    using S = NoteEditorState;
    if (command >= S::kCmdAlignFirst && command < S::kCmdAlignFirst + 3) {
        const Qt::Alignment choices[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
        m_edit->setAlignment(choices[command - S::kCmdAlignFirst]);
    } else if (command >= S::kCmdColourFirst &&
               command < S::kCmdColourFirst + notecolours::kCount) {
        const int colour = command - S::kCmdColourFirst;
        if (m_state.drawing()) {
            m_edit->setPenColour(colour);
        } else {
            QTextCharFormat format;
            notetext::setColour(format, colour);
            m_edit->mergeCurrentCharFormat(format);
        }
    } else if (command >= S::kCmdBackgroundFirst && command < S::kCmdBackgroundFirst + 3) {
        m_background = S::Background(command - S::kCmdBackgroundFirst);
        m_edit->setBackground(m_background);
    } else if (command >= S::kCmdZoomFirst &&
               command < S::kCmdZoomFirst + S::zoomChoices().size()) {
        m_edit->setZoom(S::zoomChoices()[command - S::kCmdZoomFirst]);
    } else {
        switch (command) {
            case S::kCmdUndo:
                m_edit->undo();
                break;
            case S::kCmdRedo:
                m_edit->redo();
                break;
            case S::kCmdCut:
                m_edit->cut();
                break;
            case S::kCmdCopy:
                m_edit->copy();
                break;
            case S::kCmdPaste:
                m_edit->paste();
                break;
            case S::kCmdClear:
                m_edit->textCursor().removeSelectedText();
                break;
            case S::kCmdSelectAll:
                m_edit->selectAll();
                break;
            case S::kCmdClearAll:
                m_edit->selectAll();
                m_edit->textCursor().removeSelectedText();
                break;
            case S::kCmdInsertDate:
                insertDate();
                break;
            default:
                break;
        }
    }
    refreshToolBar();
}

void NotesBlock::showMenu(const QList<NoteEditorState::MenuItem>& items, QPoint globalPos,
                          bool withSubmenus) {
    delete m_lastMenu;
    m_lastMenu = new PopupMenu(this);
    m_lastMenu->setFont(SharedFonts::current().normal);
    const auto fill = [this](QMenu& menu, const QList<NoteEditorState::MenuItem>& entries) {
        for (const NoteEditorState::MenuItem& item : entries) {
            if (item.text.isEmpty()) {
                menu.addSeparator();
                continue;
            }
            QAction* action = menu.addAction(item.text);
            action->setEnabled(item.enabled);
            action->setCheckable(item.checked);
            action->setChecked(item.checked);
            const int command = item.command;
            connect(action, &QAction::triggered, this, [this, command] { run(command); });
        }
    };
    fill(*m_lastMenu, items);
    if (withSubmenus) {
        m_lastMenu->addSeparator();
        fill(*m_lastMenu->addPopup(QStringLiteral("Zoom")), m_state.zoomMenu(m_edit->zoom()));
        fill(*m_lastMenu->addPopup(QStringLiteral("Background")),
             m_state.backgroundMenu(m_background));
    }
    m_lastMenu->popup(globalPos);
}

void NotesBlock::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const Screen& screen = Screen::current();
    const QString word = QStringLiteral("Note");
    painter.setFont(SharedFonts::current().normal);
    painter.setPen(kTitleGrey);
    const QFontMetrics metrics(painter.font());
    const int wordWidth = metrics.horizontalAdvance(word);
    const QRect title(0, 0, width(), m_titleHeight);
    painter.drawText(title, Qt::AlignCenter, word);
    const int y = title.center().y();
    const int margin = screen.scaleX(kTitleMargin);
    const int wordLeft = (width() - wordWidth) / 2;
    painter.drawLine(margin, y, wordLeft - margin, y);
    painter.drawLine(wordLeft + wordWidth + margin, y, width() - margin, y);
}

}  // namespace kontavo
