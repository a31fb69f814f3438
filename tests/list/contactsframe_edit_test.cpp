// The edit window from the contacts frame over a real store: New (also with
// the caller-ID number), Edit, "e OID" and the card's "Edit..."; OK writes
// through the contact manager and selects the contact, Cancel writes
// nothing; the note written in the form's note editor is stored.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include "card/contactcarddialog.h"
#include "card/contacteditdialog.h"
#include "card/contactform.h"
#include "card/inktextedit.h"
#include "card/notesblock.h"
#include "framefixture.h"
#include "list/contactstoresession.h"
#include "list/listdownbutton.h"
#include "listtestsupport.h"
#include "platform/locale.h"
#include "store/contacts/categoriesdbmanager.h"
#include "store/contacts/contactmanager.h"
#include "store/notes/notedocumentcodec.h"
#include "store/notes/pocketwordink.h"
#include "store/settings/settingsstore.h"
#include "support/popupdriver.h"
#include "support/recordingboxes.h"
#include "support/richcontact.h"
#include "support/screenpicture.h"
#include "ui/menubar.h"
#include "ui/sharedfonts.h"
#include "ui/shellui.h"

namespace kontavo {
namespace {

constexpr uint32_t kCommandMessage = 0x0111;

class FrameEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        SharedFonts::setCurrent(SharedFonts::create(fixture.device.settings(), fixture.screen));
        ASSERT_TRUE(seedDemoContactsIfEmpty(fixture.device.fs(), 12, Locale::user()));
        session = ContactStoreSession::open(fixture.device.fs(), fixture.device.settings(),
                                            fixture.host, Locale::user());
        ASSERT_NE(session, nullptr);
        ContactRecord rich = test::richContact();
        ASSERT_TRUE(manager().addContact(rich));
        richOid = rich.oid;
        const std::optional<QByteArray> mask = manager().categories().maskAddingNames({"VIP"});
        ASSERT_TRUE(mask.has_value());
        vipOid = manager().categories().oidsOfMask(*mask).value(0);
        fixture.chooseCategories = [this](CategoryListDialog::Mode mode, const QList<Oid>& ticked,
                                          QWidget*) {
            runs.append({mode, ticked});
            return std::optional<QList<Oid>>(QList<Oid>{vipOid});
        };
        ASSERT_TRUE(fixture.create(session.get(), &session->manager(), true));
        ASSERT_TRUE(test::showActive(fixture.window));
    }
    void TearDown() override {
        fixture.destroyFrame();
        SharedFonts::release();
    }

    ContactsFrame& frame() { return fixture.frame(); }
    ContactManager& manager() { return session->manager(); }
    int contactCount() { return int(manager().index().allOids().size()); }
    ContactEditDialog* dialog() { return frame().editDialog(); }
    void command(int id) { dialog()->windowProc({kCommandMessage, uint32_t(id), 0}, nullptr); }
    // Taps the value of name line `line` and types `text` into it.
    void typeName(int line, const QString& text) {
        ContactForm& form = *dialog()->form();
        const int index = form.formLayout().lineOf(0, line);
        ASSERT_GE(index, 0);
        QTest::mouseClick(form.canvas(), Qt::LeftButton, {},
                          form.formLayout().valueRect(index).center());
        auto* edit = qobject_cast<QLineEdit*>(form.editor());
        ASSERT_NE(edit, nullptr);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    ShellUi shell;
    test::FrameFixture fixture;
    std::unique_ptr<ContactStoreSession> session;
    Oid richOid = 0;
    Oid vipOid = 0;
    QList<std::pair<CategoryListDialog::Mode, QList<Oid>>> runs;
};

TEST_F(FrameEditTest, NewContactIsWrittenSelectedAndCancelWritesNothing) {
    const int before = contactCount();
    ASSERT_TRUE(frame().isCommandAvailable(ContactsFrame::kCmdNewContact));
    ASSERT_TRUE(frame().handleCommand(ContactsFrame::kCmdNewContact, 0));
    ASSERT_NE(dialog(), nullptr);
    EXPECT_TRUE(dialog()->isModal());
    EXPECT_TRUE(frame().isBusy());
    EXPECT_NE(dialog()->form()->editor(), nullptr) << "a new contact starts editing at once";
    test::saveScreenPicture(*dialog(), "list", "edit-window-new-96");
    command(ContactEditDialog::kCmdCancel);
    QTRY_COMPARE(dialog(), nullptr);
    EXPECT_FALSE(frame().isBusy());
    EXPECT_EQ(contactCount(), before);

    ASSERT_TRUE(frame().handleCommand(ContactsFrame::kCmdNewContact, 0));
    command(ContactEditDialog::kCmdOk);
    QTRY_COMPARE(dialog(), nullptr);
    EXPECT_EQ(contactCount(), before) << "an empty new contact is not stored";

    ASSERT_TRUE(frame().handleCommand(ContactsFrame::kCmdNewContact, 0));
    typeName(kLineFirst, "Zoe");
    typeName(kLineLast, "Zander");
    command(ContactEditDialog::kCmdOk);
    QTRY_COMPARE(dialog(), nullptr);
    EXPECT_EQ(contactCount(), before + 1);
    const Oid added = frame().list()->selectedContact();
    ASSERT_NE(added, 0u);
    ContactRecord record;
    ASSERT_TRUE(manager().readContact(added, record));
    EXPECT_EQ(record.field(ContactField::FirstName), "Zoe");
    EXPECT_EQ(record.field(ContactField::FileAs), "Zander, Zoe");
}

TEST_F(FrameEditTest, EditWritesTheChangedContactAndTheCardFollows) {
    ASSERT_TRUE(frame().list()->selectContact(richOid));
    ASSERT_TRUE(frame().handleCommand(ContactsFrame::kCmdEditContact, 0));
    ASSERT_NE(dialog(), nullptr);
    EXPECT_EQ(frame().openContactOid(), richOid);
    typeName(kLineJobTitle, " and Lenses");  // appended after the selected text
    command(ContactEditDialog::kCmdOk);
    QTRY_COMPARE(dialog(), nullptr);
    ContactRecord record;
    ASSERT_TRUE(manager().readContact(richOid, record));
    EXPECT_EQ(record.field(ContactField::JobTitle), "and Lenses");
    EXPECT_EQ(record.extended.phones, test::richContact().extended.phones)
        << "what was not edited stays";
    EXPECT_EQ(frame().list()->selectedContact(), richOid);

    frame().clearListSelection();
    EXPECT_TRUE(frame().handleCommand(ContactsFrame::kCmdEditContact, 0));
    EXPECT_EQ(dialog(), nullptr) << "nothing selected, nothing to edit";
}

TEST_F(FrameEditTest, ASaveTheStoreRefusesKeepsTheWindowOpenWithWhatWasTyped) {
    ASSERT_TRUE(frame().list()->selectContact(richOid));
    ASSERT_TRUE(frame().handleCommand(ContactsFrame::kCmdEditContact, 0));
    ASSERT_NE(dialog(), nullptr);
    typeName(kLineJobTitle, "Optician");
    ASSERT_TRUE(manager().deleteContact(richOid)) << "another program deletes it meanwhile";

    test::RecordingBoxes boxes;
    command(ContactEditDialog::kCmdOk);
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_TRUE(boxes.shown[0].startsWith("Edit Contact|The contact could not be saved"))
        << boxes.shown[0].toStdString();
    ASSERT_NE(dialog(), nullptr) << "the window stays open";
    EXPECT_TRUE(frame().isBusy());
    const QList<FormEntry>& blocks = dialog()->form()->collect();
    bool kept = false;
    for (const FormEntry& entry : blocks) {
        kept = kept || entry.name.lines[size_t(kLineJobTitle)] == "Optician";
    }
    EXPECT_TRUE(kept) << "what was typed is still in the form";

    command(ContactEditDialog::kCmdCancel);
    QTRY_COMPARE(dialog(), nullptr);
    EXPECT_FALSE(frame().isBusy());
    ContactRecord record;
    EXPECT_FALSE(manager().readContact(richOid, record)) << "nothing was written back";
}

TEST_F(FrameEditTest, TheNoteEditedInTheFormIsWrittenAndAnUntouchedOneKept) {
    ContactRecord before;
    ASSERT_TRUE(manager().readContact(richOid, before));
    ASSERT_FALSE(before.userNote.isEmpty());
    ASSERT_TRUE(frame().list()->selectContact(richOid));
    ASSERT_TRUE(frame().handleCommand(ContactsFrame::kCmdEditContact, 0));
    typeName(kLineJobTitle, "Optics");
    command(ContactEditDialog::kCmdOk);
    QTRY_COMPARE(dialog(), nullptr);
    ContactRecord record;
    ASSERT_TRUE(manager().readContact(richOid, record));
    EXPECT_EQ(record.userNote, before.userNote) << "the untouched note, byte for byte";

    ASSERT_TRUE(frame().handleCommand(ContactsFrame::kCmdEditContact, 0));
    ContactForm& form = *dialog()->form();
    InkTextEdit* note = form.notesBlock()->editor();
    form.ensureWidgetVisible(form.notesBlock());
    QTest::mouseClick(note->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::keyClick(note, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(note, " - seen");
    command(ContactEditDialog::kCmdOk);
    QTRY_COMPARE(dialog(), nullptr);
    ASSERT_TRUE(manager().readContact(richOid, record));
    EXPECT_TRUE(ink::hasInkSignature(record.userNote)) << "stored as the editor's document";
    const NoteDocument written = readNoteDocument(record.userNote, Locale::user());
    ASSERT_FALSE(written.paragraphs.isEmpty());
    EXPECT_TRUE(written.paragraphs.last().text().endsWith(" - seen"));
    EXPECT_EQ(record.extended.phones, before.extended.phones)
        << "the extended properties written beside the document are read back";

    ASSERT_TRUE(frame().handleCommand(ContactsFrame::kCmdEditContact, 0));
    EXPECT_TRUE(dialog()->form()->notesBlock()->editor()->toPlainText().endsWith(" - seen"));
    command(ContactEditDialog::kCmdCancel);
    QTRY_COMPARE(dialog(), nullptr);
}

TEST_F(FrameEditTest, CategoryRowChoosesThroughTheCategoryList) {
    ASSERT_TRUE(frame().list()->selectContact(richOid));
    ASSERT_TRUE(frame().handleCommand(ContactsFrame::kCmdEditContact, 0));
    ContactForm& form = *dialog()->form();
    const int block = form.findBlock(7);
    ASSERT_GE(block, 0) << "the template shows the category row";
    const int line = form.formLayout().lineOf(block, 0);
    form.ensureVisible(0, form.formLayout().valueRect(line).center().y());
    QTest::mouseClick(form.canvas(), Qt::LeftButton, {},
                      form.formLayout().valueRect(line).center());
    ASSERT_EQ(runs.size(), 1);
    EXPECT_EQ(runs[0].first, CategoryListDialog::Mode::Contact);
    EXPECT_TRUE(runs[0].second.isEmpty()) << "the rich contact is in no category";
    EXPECT_EQ(form.blocks()[block].rows[0].text, "VIP");
    command(ContactEditDialog::kCmdOk);
    QTRY_COMPARE(dialog(), nullptr);
    ContactRecord record;
    ASSERT_TRUE(manager().readContact(richOid, record));
    EXPECT_EQ(manager().categories().namesOfMask(record.categoryMask), QStringList({"VIP"}));
}

TEST_F(FrameEditTest, NewContactStartsInTheCategoriesOfTheFilter) {
    test::whenOpen(
        false, [](QWidget* popup) { test::tapMenuItem(popup, test::menuItem(popup, "More...")); });
    QTest::mouseClick(frame().categoryButton(), Qt::LeftButton);
    ASSERT_EQ(frame().list()->filterCaption(), "VIP");
    ASSERT_TRUE(frame().handleCommand(ContactsFrame::kCmdNewContact, 0));
    const ContactForm& form = *dialog()->form();
    ASSERT_GE(form.findBlock(7), 0);
    EXPECT_EQ(form.blocks()[form.findBlock(7)].rows[0].text, "VIP");
    typeName(kLineFirst, "Vera");
    command(ContactEditDialog::kCmdOk);
    QTRY_COMPARE(dialog(), nullptr);
    const Oid added = frame().list()->selectedContact();
    ASSERT_NE(added, 0u) << "the new contact is listed under the filter";
    ContactRecord record;
    ASSERT_TRUE(manager().readContact(added, record));
    EXPECT_EQ(manager().categories().namesOfMask(record.categoryMask), QStringList({"VIP"}));
}

TEST_F(FrameEditTest, CallerIdNumberStartsANewContactOnce) {
    fixture.device.settings().set(settings::kCallerIdPhone, "+49 30 1234");
    ASSERT_TRUE(frame().handleCommand(ContactsFrame::kCmdCallerIdContact, 0));
    ASSERT_NE(dialog(), nullptr);
    const ContactForm& form = *dialog()->form();
    const FormEntry& phones = form.blocks()[form.findBlock(1)];
    EXPECT_EQ(phones.labelText(0), "Work");
    EXPECT_EQ(phones.rows[0].text, "+49 30 1234");
    EXPECT_EQ(fixture.device.settings().get(settings::kCallerIdPhone), "") << "read once";
    command(ContactEditDialog::kCmdCancel);
    QTRY_COMPARE(dialog(), nullptr);

    ASSERT_TRUE(frame().handleCommand(ContactsFrame::kCmdCallerIdContact, 0));
    const ContactForm& empty = *dialog()->form();
    EXPECT_TRUE(empty.blocks()[empty.findBlock(1)].rows[0].text.isEmpty());
    command(ContactEditDialog::kCmdCancel);
    QTRY_COMPARE(dialog(), nullptr);
}

TEST_F(FrameEditTest, CommandLineAndTheCardsEditOpenTheEditWindow) {
    frame().openContact(u'e', richOid);
    ASSERT_NE(dialog(), nullptr);
    ContactEditDialog* first = dialog();
    frame().openContact(u'e', richOid);
    EXPECT_EQ(dialog(), first) << "the contact already open is ignored";
    command(ContactEditDialog::kCmdCancel);
    QTRY_COMPARE(dialog(), nullptr);

    frame().openContact(u'v', richOid);
    ContactCardDialog* card = frame().cardDialog();
    ASSERT_NE(card, nullptr);
    ASSERT_NE(card->menuBar(), nullptr);
    ASSERT_TRUE(card->menuBar()->action(ContactCardDialog::kCmdEdit)->isEnabled());
    QTest::mouseClick(card->menuBar()->buttons().front(), Qt::LeftButton);  // "Edit..."
    QTRY_VERIFY(dialog() != nullptr);
    EXPECT_EQ(frame().cardDialog(), nullptr);
    EXPECT_EQ(frame().openContactOid(), richOid);
    command(ContactEditDialog::kCmdCancel);
    QTRY_COMPARE(dialog(), nullptr);
}

}  // namespace
}  // namespace kontavo
