// The edit window's Fields and Tools menus, OK and Cancel, a note that
// cannot be written, and the template editor run from it.
#include "card/contacteditdialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "card/addressformattable.h"
#include "card/contactform.h"
#include "card/contacttemplate.h"
#include "card/fieldsmenu.h"
#include "card/inktextedit.h"
#include "card/notesblock.h"
#include "card/templateeditordialog.h"
#include "platform/locale.h"
#include "store/notes/utf16note.h"
#include "support/popupdriver.h"
#include "support/recordingboxes.h"
#include "support/richcontact.h"
#include "support/screenpicture.h"
#include "support/tempdevice.h"
#include "ui/menubar.h"
#include "ui/sharedfonts.h"
#include "ui/shellui.h"

namespace kontavo {
namespace {

// Makes `dpi` the program's screen while it lives.
struct CurrentScreen {
    explicit CurrentScreen(int dpi) : saved(Screen::current()) { Screen::setCurrent({dpi, dpi}); }
    ~CurrentScreen() { Screen::setCurrent(saved); }
    Screen saved;
};

class EditDialogTest : public ::testing::TestWithParam<int> {
protected:
    EditDialogTest()
        : screen(GetParam(), GetParam()), table(AddressFormatTable::fromStringTable(1)) {
        SharedFonts::setCurrent(SharedFonts::create(device.settings(), screen));
        tpl.setDefaults();
        services.screen = screen;
        services.context.addressFormats = &table;
        services.context.locale = &Locale::user();
    }
    ~EditDialogTest() override { SharedFonts::release(); }

    std::unique_ptr<ContactEditDialog> open(const ContactRecord& contact) {
        auto dialog = std::make_unique<ContactEditDialog>(contact, tpl, services);
        dialog->createModeless();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        return dialog;
    }
    static QList<int> types(const ContactForm& form) {
        QList<int> result;
        for (const FormEntry& entry : form.blocks()) {
            result.append(entry.type);
        }
        return result;
    }
    QString shot(const QString& name) const {
        return QStringLiteral("%1-%2").arg(name).arg(GetParam());
    }

    Screen screen;
    CurrentScreen current{GetParam()};
    ShellUi shell;  // the menu bars and the SIP
    test::TempDevice device;
    AddressFormatTable table;
    ContactTemplate tpl{table.defaultIndex()};
    FormServices services;
};

TEST_P(EditDialogTest, FieldsMenuShowsNameLinesAndMakesMissingBlocks) {
    ContactRecord contact;
    contact.setField(ContactField::LastName, "Ek");
    const auto dialog = open(contact);
    ContactForm& form = *dialog->form();
    EXPECT_EQ(types(form), QList<int>({0, 1, 2, 3, 5, 6, 7, 9, 10, 12}));
    MenuBar* bar = dialog->menuBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->buttons().size(), 2);

    dialog->markFieldsMenu();
    EXPECT_TRUE(bar->action(fieldsmenu::itemOfNamePart(1))->isChecked()) << "Title is shown";
    EXPECT_FALSE(bar->action(fieldsmenu::itemOfNamePart(9))->isChecked()) << "File As is not";
    EXPECT_FALSE(bar->action(fieldsmenu::itemOfGroup(kGroupWeb))->isChecked());
    EXPECT_TRUE(bar->action(fieldsmenu::itemOfGroup(kGroupPhone))->isChecked());

    // Through the real menu: "Web" makes a Web block after Addr (type 6).
    QMenu* fields = bar->popupOf(0);
    ASSERT_NE(fields, nullptr);
    test::whenOpen(false, [&](QWidget* popup) {
        test::saveScreenPicture(*dialog, "card", shot("edit-window-fields-menu"));
        test::tapMenuItem(popup, test::menuItem(popup, "Web"));
    });
    QTest::mouseClick(bar->buttons().front(), Qt::LeftButton);
    QTRY_COMPARE(types(form), QList<int>({0, 1, 2, 3, 4, 5, 6, 7, 9, 10, 12}));
}

TEST_P(EditDialogTest, FieldsItemsToggleNameLinesAndScrollToBlocks) {
    const auto dialog = open(ContactRecord());
    ContactForm& form = *dialog->form();
    dialog->fieldsCommand(fieldsmenu::itemOfNamePart(kLineFileAs));
    EXPECT_GE(form.formLayout().lineOf(0, kLineFileAs), 0);
    dialog->fieldsCommand(fieldsmenu::itemOfNamePart(kLineTitle));
    EXPECT_EQ(form.formLayout().lineOf(0, kLineTitle), -1);
    EXPECT_FALSE(tpl.getNamePart(9)) << "the template is not changed";

    dialog->fieldsCommand(fieldsmenu::itemOfGroup(kGroupOther));
    const int other = form.findBlock(kGroupOther);
    ASSERT_GE(other, 0);
    EXPECT_EQ(other, form.findBlock(kGroupNotes) - 1);
    EXPECT_EQ(form.blocks()[other].rows.size(), 4) << "the default rows, no custom labels";
    EXPECT_NE(form.editor(), nullptr) << "editing starts in the block";
    const int count = int(form.blocks().size());
    dialog->fieldsCommand(fieldsmenu::itemOfGroup(kGroupOther));
    EXPECT_EQ(form.blocks().size(), count) << "an existing block is scrolled to";
}

TEST_P(EditDialogTest, OkCollectsTheContactAndCancelKeepsIt) {
    ContactRecord contact = test::richContact();
    contact.oid = 42;
    auto dialog = open(contact);
    dialog->windowProc({0x0111, ContactEditDialog::kCmdOk, 0}, nullptr);
    EXPECT_EQ(dialog->QDialog::result(), QDialog::Accepted);
    EXPECT_FALSE(dialog->isChanged()) << "nothing edited, nothing to write";

    dialog = open(contact);
    test::saveScreenPicture(*dialog, "card", shot("edit-window-rich"));
    ContactForm& form = *dialog->form();
    const int office = form.formLayout().lineOf(form.findBlock(kGroupOffice), 0);
    QTest::mouseClick(form.canvas(), Qt::LeftButton, {},
                      form.formLayout().valueRect(office).center());
    ASSERT_NE(form.editor(), nullptr);
    QTest::keyClicks(form.editor(), "Building D");
    // OK while the value is still being typed takes it.
    dialog->windowProc({0x0111, ContactEditDialog::kCmdOk, 0}, nullptr);
    EXPECT_TRUE(dialog->isChanged());
    EXPECT_EQ(dialog->editedContact().field(ContactField::Office), "Building D");
    EXPECT_EQ(dialog->editedContact().oid, 42u);

    dialog = open(contact);
    dialog->windowProc({0x0111, ContactEditDialog::kCmdCancel, 0}, nullptr);
    EXPECT_EQ(dialog->QDialog::result(), QDialog::Rejected);
}

// A note one paragraph of the stored document cannot count is not stored as
// empty: the old note stays, the other changes are kept, and the user is told.
TEST_P(EditDialogTest, ANoteThatCannotBeWrittenKeepsTheOldNoteAndSaysSo) {
    test::RecordingBoxes boxes;
    ContactRecord contact;
    contact.oid = 7;
    contact.setField(ContactField::LastName, "Ek");
    contact.userNote = utf16Note("old note");
    const auto dialog = open(contact);
    ContactForm& form = *dialog->form();
    const int office = form.formLayout().lineOf(form.findBlock(kGroupOffice), 0);
    ASSERT_GE(office, 0);
    QTest::mouseClick(form.canvas(), Qt::LeftButton, {},
                      form.formLayout().valueRect(office).center());
    QTest::keyClicks(form.editor(), "B7");
    InkTextEdit* note = form.notesBlock()->editor();
    form.ensureWidgetVisible(form.notesBlock());
    QTest::mouseClick(note->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::keyClicks(note, "x");
    note->textCursor().insertText(QStringLiteral("words ").repeated(12000));
    dialog->windowProc({0x0111, ContactEditDialog::kCmdOk, 0}, nullptr);
    EXPECT_EQ(dialog->editedContact().userNote, contact.userNote);
    EXPECT_EQ(dialog->editedContact().field(ContactField::Office), "B7");
    EXPECT_TRUE(dialog->isChanged());
    EXPECT_EQ(boxes.shown, QStringList({"Edit Contact|The note could not be saved. The note as "
                                        "it was before is kept."}));
}

TEST_P(EditDialogTest, TemplateEditorOkRebuildsTheFormKeepingTypedValues) {
    shell.setSipUp(true);
    const auto dialog = open(ContactRecord());
    EXPECT_FALSE(dialog->menuBar()->action(ContactEditDialog::kCmdEditTemplate)->isEnabled());
    bool sipDown = false;
    dialog->setEditTemplate([&] {
        TemplateEditorDialog editor(tpl, services);
        test::whenOpen(true, [&](QWidget* open) {
            auto* templates = qobject_cast<TemplateEditorDialog*>(open);
            ASSERT_NE(templates, nullptr);
            sipDown = !shell.isSipUp();
            EXPECT_EQ(templates->windowTitle(), "Template");
            templates->fieldsCommand(fieldsmenu::itemOfGroup(kGroupWeb));
            templates->fieldsCommand(fieldsmenu::itemOfGroup(kGroupDate));
            QTest::mouseClick(templates->okButton(), Qt::LeftButton);
        });
        if (editor.doModal() != QDialog::Accepted) {
            return false;
        }
        tpl.copyFrom(editor.edited());
        return true;
    });
    ContactForm& form = *dialog->form();
    form.scrollTo(form.findBlock(kGroupPhone));
    QTest::keyClicks(form.editor(), "555 0100");
    dialog->windowProc({0x0111, ContactEditDialog::kCmdEditTemplate, 0}, nullptr);
    EXPECT_TRUE(sipDown) << "the SIP is down while the template editor is open";
    EXPECT_TRUE(shell.isSipUp()) << "and up again after it";
    EXPECT_TRUE(tpl.isGroupShown(kGroupWeb));
    EXPECT_FALSE(tpl.isGroupShown(kGroupDate));
    EXPECT_GE(form.findBlock(kGroupWeb), 0);
    EXPECT_EQ(form.findBlock(kGroupDate), -1);
    const int phones = form.findBlock(kGroupPhone);
    ASSERT_GE(phones, 0);
    EXPECT_EQ(form.blocks()[phones].rows[0].text, "555 0100") << "typed values stay";
}

TEST_P(EditDialogTest, TemplateEditorCollectsDefaultsAndCancels) {
    tpl.setGroupShown(kGroupOther, true);
    TemplateEditorDialog editor(tpl, services);
    editor.createModeless();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    test::saveScreenPicture(editor, "card", shot("template-editor"));
    ContactForm& form = *editor.form();
    EXPECT_TRUE(form.isTemplateMode());
    ASSERT_GE(form.findBlock(kGroupOther), 0);
    editor.markFieldsMenu();
    EXPECT_TRUE(editor.menuBar()->action(fieldsmenu::itemOfGroup(kGroupOther))->isChecked());
    editor.fieldsCommand(fieldsmenu::itemOfNamePart(kLineSuffix));
    EXPECT_TRUE(editor.edited().getNamePart(kLineSuffix));
    EXPECT_GE(form.formLayout().lineOf(0, kLineSuffix), 0) << "the line shows at once";
    editor.fieldsCommand(fieldsmenu::itemOfGroup(kGroupOffice));
    EXPECT_EQ(form.findBlock(kGroupOffice), -1);
    EXPECT_FALSE(editor.edited().isGroupShown(kGroupOffice));
    QTest::mouseClick(editor.defaultButton(), Qt::LeftButton);
    EXPECT_EQ(form.findBlock(kGroupOther), -1);
    EXPECT_GE(form.findBlock(kGroupOffice), 0);
    QTest::mouseClick(editor.cancelButton(), Qt::LeftButton);
    EXPECT_EQ(editor.QDialog::result(), QDialog::Rejected);
    EXPECT_TRUE(tpl.isGroupShown(kGroupOther)) << "Cancel leaves the template alone";
}

INSTANTIATE_TEST_SUITE_P(BothResolutions, EditDialogTest, ::testing::Values(96, 192));

}  // namespace
}  // namespace kontavo
