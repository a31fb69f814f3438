// The notes block: its rules, and the block driven by real pen and key
// events, saved and read back.
#include "card/notesblock.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>

#include "card/inktextedit.h"
#include "card/notefontdialog.h"
#include "card/notetextformat.h"
#include "card/notetoolicons.h"
#include "platform/locale.h"
#include "platform/screen.h"
#include "store/notes/notedocumentcodec.h"
#include "store/notes/pocketwordink.h"
#include "store/notes/utf16note.h"
#include "support/penstroke.h"
#include "support/tempdevice.h"
#include "ui/popupmenu.h"
#include "ui/sharedfonts.h"
#include "ui/shellui.h"

namespace kontavo {
namespace {

using S = NoteEditorState;

QStringList texts(const QList<S::MenuItem>& items) {
    QStringList out;
    for (const S::MenuItem& item : items) {
        out.append(item.text.isEmpty() ? QStringLiteral("-") : item.text);
    }
    return out;
}

TEST(NoteEditorStateTest, DrawingDisablesTheFormattingButtons) {
    NoteEditorState state;
    S::Surface surface;
    for (int button = S::kFont; button <= S::kAlignment; ++button) {
        EXPECT_TRUE(state.isEnabled(button, surface));
    }
    state.setDrawing(true);
    for (int button = S::kFont; button <= S::kAlignment; ++button) {
        EXPECT_FALSE(state.isEnabled(button, surface)) << button;
    }
    EXPECT_TRUE(state.isEnabled(S::kColour, surface));
    EXPECT_TRUE(state.isPressed(S::kDraw, surface));
    state.leave();
    EXPECT_FALSE(state.drawing());
    EXPECT_FALSE(state.isEnabled(S::kSpare, surface));
}

TEST(NoteEditorStateTest, UndoNeedsAModifiedNoteThatCanBeUndone) {
    NoteEditorState state;
    S::Surface surface;
    surface.canUndo = true;
    EXPECT_FALSE(state.isEnabled(S::kUndo, surface));
    surface.modified = true;
    EXPECT_TRUE(state.isEnabled(S::kUndo, surface));
    EXPECT_TRUE(state.noteMenu(surface)[0].enabled);
    EXPECT_FALSE(state.noteMenu(surface)[1].enabled);  // nothing to redo
}

TEST(NoteEditorStateTest, MenusListTheirItems) {
    NoteEditorState state;
    S::Surface surface;
    EXPECT_EQ(texts(state.contextMenu(surface)), QStringList({"Insert Date", "-", "Paste"}));
    surface.hasSelection = true;
    EXPECT_EQ(texts(state.contextMenu(surface)), QStringList({"Cut", "Copy", "Paste", "Clear"}));
    EXPECT_EQ(texts(state.noteMenu(surface)),
              QStringList({"Undo", "Redo", "-", "Cut", "Copy", "Paste", "Clear", "Select All",
                           "Clear All"}));
    EXPECT_EQ(texts(state.zoomMenu(150)), QStringList({"75%", "100%", "150%", "200%", "300%"}));
    EXPECT_TRUE(state.zoomMenu(150)[2].checked);
    EXPECT_TRUE(state.backgroundMenu(S::Background::Lines)[1].checked);
    EXPECT_EQ(state.colourMenu(4)[4].text, "Red");
    EXPECT_TRUE(state.colourMenu(4)[4].checked);
    EXPECT_EQ(state.colourMenu(0)[15].text, "Olive");
    EXPECT_EQ(texts(state.alignmentMenu(1)), QStringList({"Left Align", "Center Align",
                                                          "Right Align"}));
}

TEST(NoteEditorStateTest, IndentStepsBy144AndNeverBelowZero) {
    EXPECT_EQ(NoteEditorState::indentMore(0), 144);
    EXPECT_EQ(NoteEditorState::indentLess(288), 144);
    EXPECT_EQ(NoteEditorState::indentLess(0), 0);
    EXPECT_EQ(NoteEditorState::indentLess(100), 0);
}

TEST(NoteToolIconsTest, TheStripHoldsTenIconsAtEitherResolution) {
    EXPECT_EQ(noteToolStrip(false).size(), QSize(240, 24));
    EXPECT_EQ(noteToolStrip(true).size(), QSize(480, 48));
    EXPECT_EQ(noteToolIcons(true).size(), 10);
}

class NotesBlockTest : public ::testing::TestWithParam<int> {
protected:
    NotesBlockTest() : locale(QLocale(QLocale::English, QLocale::UnitedStates)) {
        Screen::setCurrent(Screen(GetParam(), GetParam()));
        SharedFonts::setCurrent(SharedFonts::create(device.settings(), Screen::current()));
        shell = std::make_unique<ShellUi>();
        window = std::make_unique<QWidget>();
        window->resize(Screen::current().scaleX(240), Screen::current().scaleY(300));
        block = new NotesBlock(window.get());
        block->setGeometry(0, 0, window->width(), window->height());
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->activateWindow();
    }
    ~NotesBlockTest() override {
        window.reset();
        shell.reset();
        SharedFonts::release();
        Screen::setCurrent(Screen());
    }
    InkTextEdit* edit() { return block->editor(); }
    void press(int button) { QTest::mouseClick(block->button(button), Qt::LeftButton); }
    void type(const QString& text) {
        edit()->setFocus();
        QTest::keyClicks(edit(), text);
    }
    void draw(QPoint from, QPoint to) { test::drawPenStroke(edit()->viewport(), from, to); }
    QStringList menuTexts() {
        QStringList out;
        for (QAction* action : block->lastMenu()->actions()) {
            out.append(action->isSeparator() ? QStringLiteral("-") : action->text());
        }
        return out;
    }
    void triggerMenu(const QString& text) {
        for (QAction* action : block->lastMenu()->actions()) {
            if (action->text() == text) {
                action->trigger();
                return;
            }
        }
        ADD_FAILURE() << "no item " << text.toStdString();
    }
    void save(const QString& name) {
        const QString folder = QStringLiteral(KONTAVO_BIN_DIR "/../screenshots/card");
        QDir().mkpath(folder);
        window->grab().save(folder + QStringLiteral("/%1-%2.png").arg(name).arg(GetParam()));
    }

    test::TempDevice device;
    Locale locale;
    std::unique_ptr<ShellUi> shell;
    std::unique_ptr<QWidget> window;
    NotesBlock* block = nullptr;
};

TEST_P(NotesBlockTest, OnlyTogglingTheDrawingModeSavesNoNotes) {
    block->setNote(QByteArray(), locale);
    press(S::kDraw);
    EXPECT_TRUE(edit()->drawing());
    EXPECT_FALSE(block->button(S::kBold)->isEnabled());
    press(S::kDraw);
    EXPECT_TRUE(block->button(S::kBold)->isEnabled());
    ASSERT_TRUE(block->note());
    EXPECT_TRUE(block->note()->isEmpty());
    // Typed and deleted again: still nothing.
    type("x");
    QTest::keyClick(edit(), Qt::Key_Backspace);
    ASSERT_TRUE(block->note());
    EXPECT_TRUE(block->note()->isEmpty());
}

TEST_P(NotesBlockTest, HandwritingAloneIsKept) {
    block->setNote(QByteArray(), locale);
    press(S::kDraw);
    draw(QPoint(10, 10), QPoint(60, 30));
    ASSERT_EQ(edit()->strokes().size(), 1);
    const std::optional<QByteArray> note = block->note();
    ASSERT_TRUE(note);
    EXPECT_EQ(ink::documentState(*note), ink::DocumentState::NotEmpty);
    EXPECT_EQ(readNoteDocument(*note, locale).strokes.size(), 1);
    // The stroke is one step of the undo history.
    EXPECT_TRUE(block->button(S::kUndo)->isEnabled());
    press(S::kUndo);
    EXPECT_TRUE(edit()->strokes().isEmpty());
}

TEST_P(NotesBlockTest, FormattedTextAndADrawingSurviveSaveAndReload) {
    block->setNote(QByteArray(), locale);
    type("Call back");
    QTest::keyClick(edit(), Qt::Key_Return);
    press(S::kBold);
    EXPECT_TRUE(block->button(S::kBold)->isChecked());
    type("urgent");
    press(S::kBullets);
    press(S::kIndentMore);
    press(S::kIndentMore);
    press(S::kIndentLess);
    press(S::kColour);
    triggerMenu("Red");
    type("!");
    press(S::kAlignment);
    EXPECT_EQ(menuTexts(), QStringList({"Left Align", "Center Align", "Right Align"}));
    triggerMenu("Right Align");
    press(S::kDraw);
    press(S::kColour);
    triggerMenu("Blue");
    draw(QPoint(20, 8), QPoint(120, 14));
    save("notes-formatted");

    const std::optional<QByteArray> note = block->note();
    ASSERT_TRUE(note);
    const NoteDocument read = readNoteDocument(*note, locale);
    ASSERT_EQ(read.paragraphs.size(), 2);
    EXPECT_EQ(read.paragraphs[0].text(), "Call back");
    const NoteParagraph& second = read.paragraphs[1];
    EXPECT_EQ(second.text(), "urgent!");
    EXPECT_TRUE(second.bullets);
    EXPECT_EQ(second.indent, 144);
    EXPECT_EQ(second.alignment, NoteAlignment::Right);
    EXPECT_TRUE(second.runs[0].format.bold);
    EXPECT_EQ(second.runs.last().format.colour, 4);
    ASSERT_EQ(read.strokes.size(), 1);
    EXPECT_EQ(read.strokes[0].colour, 6);

    // Loaded into a fresh block, it saves back to the same bytes.
    block->setNote(*note, locale);
    EXPECT_EQ(block->note(), note);
    edit()->moveCursor(QTextCursor::End);
    type("?");
    const std::optional<QByteArray> again = block->note();
    ASSERT_TRUE(again);
    EXPECT_EQ(readNoteDocument(*again, locale).paragraphs[1].text(), "urgent!?");
    EXPECT_EQ(readNoteDocument(*again, locale).strokes, read.strokes);
}

TEST_P(NotesBlockTest, APlainNoteLoadsAsTextAndIsSavedAsADocument) {
    block->setNote(utf16Note("written elsewhere"), locale);
    EXPECT_EQ(edit()->toPlainText(), "written elsewhere");
    EXPECT_EQ(block->note(), utf16Note("written elsewhere"));  // untouched: as it was
    edit()->moveCursor(QTextCursor::End);
    type(".");
    const std::optional<QByteArray> note = block->note();
    ASSERT_TRUE(note);
    EXPECT_TRUE(ink::hasInkSignature(*note));
    EXPECT_EQ(readNoteDocument(*note, locale).paragraphs[0].text(), "written elsewhere.");
}

TEST_P(NotesBlockTest, TheContextMenuDependsOnTheSelection) {
    block->setNote(QByteArray(), locale);
    type("abc");
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(5, 5), edit()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(edit()->viewport(), &request);
    EXPECT_EQ(menuTexts(), QStringList({"Insert Date", "-", "Paste"}));
    triggerMenu("Insert Date");
    EXPECT_EQ(edit()->toPlainText(),
              "abc" + locale.formatDate(locale.shortDatePicture(), QDate::currentDate()));
    edit()->selectAll();
    QApplication::sendEvent(edit()->viewport(), &request);
    EXPECT_EQ(menuTexts(), QStringList({"Cut", "Copy", "Paste", "Clear"}));
    triggerMenu("Clear");
    EXPECT_TRUE(edit()->toPlainText().isEmpty());
}

TEST_P(NotesBlockTest, TheNoteMenuCarriesZoomAndBackground) {
    block->setNote(QByteArray(), locale);
    type("zoomed");
    press(S::kNoteMenu);
    const QStringList items = menuTexts();
    EXPECT_EQ(items.mid(0, 9), QStringList({"Undo", "Redo", "-", "Cut", "Copy", "Paste", "Clear",
                                            "Select All", "Clear All"}));
    EXPECT_TRUE(items.contains("Zoom"));
    EXPECT_TRUE(items.contains("Background"));
    const int before = edit()->contentHeight();
    block->run(S::kCmdZoomFirst + 3);  // 200%
    EXPECT_EQ(edit()->zoom(), 200);
    EXPECT_GT(edit()->contentHeight(), before);
    block->run(S::kCmdBackgroundFirst + int(S::Background::Graph));
    EXPECT_EQ(edit()->background(), S::Background::Graph);
    EXPECT_EQ(edit()->toPlainText(), "zoomed");
    save("notes-zoom-graph");
    // The zoom is a view: the stored sizes stay.
    EXPECT_EQ(readNoteDocument(*block->note(), locale).paragraphs[0].runs[0].format.points, 8);
}

TEST_P(NotesBlockTest, LeavingTheNoteReturnsToTypingAtTheTop) {
    block->setNote(QByteArray(), locale);
    press(S::kDraw);
    block->leave();
    EXPECT_FALSE(edit()->drawing());
    EXPECT_FALSE(block->button(S::kDraw)->isChecked());
    EXPECT_TRUE(block->button(S::kFont)->isEnabled());
}

TEST_P(NotesBlockTest, TheFontDialogAppliesWhatWasChosen) {
    NoteFontChoice start{"Tahoma", 8, false, false, false, false};
    NoteFontDialog dialog(start);
    dialog.createModeless();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.windowTitle(), "Select Font");
    auto* size = dialog.findChild<QComboBox*>("size");
    EXPECT_EQ(size->currentText(), "8");
    size->setCurrentIndex(size->findText("12"));
    for (const char* name : {"italic", "strikethrough"}) {
        auto* box = dialog.findChild<QCheckBox*>(name);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->height() / 2, box->height() / 2));
    }
    EXPECT_TRUE(dialog.findChild<QLabel*>("sample")->font().italic());
    const NoteFontChoice chosen = dialog.choice();
    EXPECT_EQ(chosen.size, 12);
    EXPECT_TRUE(chosen.italic);
    EXPECT_TRUE(chosen.strikethrough);
    QTextCharFormat format;
    chosen.applyTo(format, 100);
    EXPECT_EQ(notetext::noteFormat(format).points, 12);
    EXPECT_TRUE(notetext::noteFormat(format).italic);
    // A face name past 31 characters and no size leave those alone.
    NoteFontChoice odd{QString(32, 'x'), 0, false, false, false, false};
    QTextCharFormat kept = notetext::charFormat(NoteCharFormat(), Screen::current(), 100);
    odd.applyTo(kept, 100);
    EXPECT_EQ(notetext::noteFormat(kept).face, "Tahoma");
    EXPECT_EQ(notetext::noteFormat(kept).points, 8);
    NoteFontDialog mixed(odd);
    mixed.createModeless();
    EXPECT_EQ(mixed.findChild<QComboBox*>("size")->currentIndex(), -1);
}

INSTANTIATE_TEST_SUITE_P(Dpi, NotesBlockTest, ::testing::Values(96, 192));

}  // namespace
}  // namespace kontavo
