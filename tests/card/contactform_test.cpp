// The edit form driven with real pen and key events: row buttons, the label
// menu and "Custom...", values with hint words, the name block, dates,
// messenger types, addresses, the choosers behind category and link rows,
// the picture area and the note editor of the notes block.
#include "card/contactform.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "card/addressformattable.h"
#include "card/collectintocontact.h"
#include "card/contacteditinpropmapper.h"
#include "card/contacttemplate.h"
#include "card/countrylistpopup.h"
#include "card/inktextedit.h"
#include "card/labelnamedialog.h"
#include "card/notesblock.h"
#include "platform/locale.h"
#include "store/notes/notedocumentcodec.h"
#include "store/notes/utf16note.h"
#include "store/record/contactrecord.h"
#include "support/popupdriver.h"
#include "support/richcontact.h"
#include "support/screenpicture.h"
#include "support/penstroke.h"
#include "support/tempdevice.h"
#include "ui/popupmenu.h"
#include "ui/sharedfonts.h"

namespace kontavo {
namespace {

using Part = FormLayout::Part;

class ContactFormTest : public ::testing::TestWithParam<int> {
protected:
    ContactFormTest()
        : screen(GetParam(), GetParam()), table(AddressFormatTable::fromStringTable(1)) {
        Screen::setCurrent(screen);  // the note editor's screen
        SharedFonts::setCurrent(SharedFonts::create(device.settings(), screen));
        tpl.setDefaults();
        services.screen = screen;
        services.context.addressFormats = &table;
        services.context.locale = &Locale::user();
        services.context.categoryNames = [](const QByteArray& mask) {
            QStringList names;
            if (!mask.isEmpty() && (mask.at(0) & 1)) {
                names.append("Family");
            }
            if (!mask.isEmpty() && (mask.at(0) & 2)) {
                names.append("VIP");
            }
            return names;
        };
        services.companyNames = [] {
            return QStringList({"Acme", "Bauer-Acme", "Nordlicht Instruments"});
        };
        services.currentYear = 2026;
    }
    ~ContactFormTest() override {
        form.reset();
        SharedFonts::release();
        Screen::setCurrent(savedScreen);
    }

    void open(const ContactRecord& contact, bool templateMode = false) {
        form = std::make_unique<ContactForm>(services, templateMode);
        form->resize(screen.scaleX(240), screen.scaleY(294));
        form->setNeedsLayout(true);
        const ContactEditInPropMapper mapper(services.context);
        for (const FormEntry& entry :
             templateMode ? mapper.buildTemplate(tpl) : mapper.build(contact, tpl)) {
            form->addBlock(entry);
        }
        form->setNeedsLayout(false);
        QObject::connect(form.get(), &ContactForm::changed, [this] { ++changes; });
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    const FormEntry& block(int type) { return form->blocks()[form->findBlock(type)]; }
    // The line of row `row` (line `line`) of the block of `type`.
    int lineOf(int type, int row, int line = 0) {
        return form->formLayout().lineOf(form->findBlock(type), row, line);
    }
    // Taps the middle of `rect` of the canvas, scrolled into view first.
    void tap(const QRect& rect) {
        form->ensureVisible(rect.center().x(), rect.center().y(), 0, rect.height());
        QTest::mouseClick(form->canvas(), Qt::LeftButton, {}, rect.center());
    }
    QLineEdit* editor() {
        QWidget* open = form->editor();
        if (auto* combo = qobject_cast<QComboBox*>(open)) {
            return combo->lineEdit();
        }
        return qobject_cast<QLineEdit*>(open);
    }
    void type(const QString& text) {
        ASSERT_NE(editor(), nullptr);
        QTest::keyClicks(editor(), text);
        QTest::keyClick(editor(), Qt::Key_Return);
    }
    // The note editor, scrolled into view and tapped at `at`.
    InkTextEdit* noteEdit() { return form->notesBlock()->editor(); }
    void tapNote(QPoint at) {
        form->ensureWidgetVisible(form->notesBlock());
        QTest::mouseClick(noteEdit()->viewport(), Qt::LeftButton, {}, at);
    }
    void pressNoteButton(int button) {
        QTest::mouseClick(form->notesBlock()->button(button), Qt::LeftButton);
    }
    void drawInNote(QPoint from, QPoint to) {
        test::drawPenStroke(noteEdit()->viewport(), from, to);
    }
    QString shot(const QString& name) const {
        return QStringLiteral("%1-%2").arg(name).arg(GetParam());
    }

    Screen savedScreen = Screen::current();
    Screen screen;
    test::TempDevice device;
    AddressFormatTable table;
    ContactTemplate tpl{table.defaultIndex()};
    FormServices services;
    std::unique_ptr<ContactForm> form;
    int changes = 0;
};

TEST_P(ContactFormTest, RowButtonsAddAndDeleteRows) {
    ContactRecord contact;
    contact.setField(ContactField::WorkPhone, "111");
    contact.setField(ContactField::HomePhone, "222");
    contact.setField(ContactField::MobilePhone, "333");
    open(contact);
    test::saveScreenPicture(*form, "card", shot("edit-form-phones"));
    const FormLayout& layout = form->formLayout();
    EXPECT_NE(layout.hitTest(layout.addRect(lineOf(kGroupPhone, 0)).center(), form->blocks()).part,
              Part::Add)
        << "only the last row has an add button";

    tap(layout.addRect(lineOf(kGroupPhone, 2)));
    ASSERT_EQ(block(kGroupPhone).rows.size(), 4);
    EXPECT_EQ(block(kGroupPhone).labelText(3), "Home fax") << "the first label not yet used";
    ASSERT_NE(editor(), nullptr) << "the new row is edited at once";
    EXPECT_EQ(editor()->selectedText(), "Phone") << "the hint word, selected";
    type("444");
    EXPECT_EQ(block(kGroupPhone).rows[3].text, "444");

    tap(form->formLayout().deleteRect(lineOf(kGroupPhone, 0)));
    ASSERT_EQ(block(kGroupPhone).rows.size(), 3);
    EXPECT_EQ(block(kGroupPhone).rows[0].text, "222");
    EXPECT_EQ(changes, 3);

    // The only e-mail row has neither button while it is empty.
    const int email = lineOf(kGroupEMail, 0);
    tap(form->formLayout().deleteRect(email));
    tap(form->formLayout().addRect(email));
    EXPECT_EQ(block(kGroupEMail).rows.size(), 1);
}

TEST_P(ContactFormTest, ValuesAreEditedInPlaceAndTheHintWordClearsThem) {
    open(ContactRecord());
    const int email = lineOf(kGroupEMail, 0);
    tap(form->formLayout().valueRect(email));
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(editor()->text(), "e-mail");
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_EQ(changes, 0) << "the hint left as it was changes nothing";

    tap(form->formLayout().valueRect(email));
    type("ann@example.org");
    EXPECT_EQ(block(kGroupEMail).rows[0].text, "ann@example.org");
    tap(form->formLayout().valueRect(email));
    EXPECT_EQ(editor()->selectedText(), "ann@example.org");
    QTest::keyClicks(editor(), "e-mail");
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_TRUE(block(kGroupEMail).rows[0].text.isEmpty()) << "text equal to the hint clears";

    tap(form->formLayout().valueRect(email));
    QTest::keyClicks(editor(), "kept?");
    QTest::keyClick(editor(), Qt::Key_Escape);
    EXPECT_TRUE(block(kGroupEMail).rows[0].text.isEmpty()) << "Escape keeps the old value";

    // A tap elsewhere commits the text being typed.
    tap(form->formLayout().valueRect(lineOf(kGroupOffice, 0)));
    QTest::keyClicks(editor(), "Room 7");
    tap(form->formLayout().valueRect(email));
    EXPECT_EQ(block(kGroupOffice).rows[0].text, "Room 7");
}

TEST_P(ContactFormTest, LabelMenuChoosesAndInventsLabels) {
    ContactRecord contact;
    contact.setField(ContactField::MobilePhone, "333");
    open(contact);
    const int mobile = lineOf(kGroupPhone, 2);
    QStringList items;
    QString checked;
    test::whenOpen(false, [&](QWidget* popup) {
        for (QAction* action : qobject_cast<QMenu*>(popup)->actions()) {
            items.append(action->isSeparator() ? "-" : action->text());
            if (action->isChecked()) {
                checked = action->text();
            }
        }
        test::saveScreenPicture(*form, "card", shot("edit-form-label-menu"));
        test::tapMenuItem(popup, test::menuItem(popup, "Custom..."));
    });
    QString caption;
    bool bracketRefused = false;
    test::whenOpen(true, [&](QWidget* dialog) {
        auto* names = qobject_cast<LabelNameDialog*>(dialog);
        ASSERT_NE(names, nullptr);
        caption = names->windowTitle();
        EXPECT_EQ(names->field()->text(), "Mobile");
        EXPECT_EQ(names->field()->maxLength(), 256);
        QTest::keyClicks(names->field(), "[Boat");
        bracketRefused = !names->buttons()->buttons().first()->isEnabled();
        names->field()->clear();
        QTest::keyClicks(names->field(), "Boat");
        QTest::mouseClick(names->buttons()->buttons().first(), Qt::LeftButton);
    });
    tap(form->formLayout().labelRect(mobile));
    EXPECT_EQ(items, QStringList({"Work", "Home", "Mobile", "Home fax", "Work fax", "Car", "Pager",
                                  "Radio", "Assistant", "MMS", "Company", "-", "Custom..."}));
    EXPECT_EQ(checked, "Mobile");
    EXPECT_EQ(caption, "Add custom label");
    EXPECT_TRUE(bracketRefused);
    EXPECT_EQ(block(kGroupPhone).labelText(2), "Boat");

    // The custom label now has its separator; choosing a built-in one.
    test::whenOpen(false, [&](QWidget* popup) {
        const QList<QAction*> actions = qobject_cast<QMenu*>(popup)->actions();
        EXPECT_TRUE(actions[11]->isSeparator());
        EXPECT_EQ(actions[12]->text(), "Boat");
        EXPECT_TRUE(actions[12]->isChecked());
        test::tapMenuItem(popup, test::menuItem(popup, "Car"));
    });
    tap(form->formLayout().labelRect(mobile));
    EXPECT_EQ(block(kGroupPhone).labelText(2), "Car");
    EXPECT_EQ(changes, 2);
}

TEST_P(ContactFormTest, NameBlockCollapsesSplitsTheNameAndFileAsFollows) {
    ContactRecord contact;
    contact.setField(ContactField::FirstName, "John");
    contact.setField(ContactField::LastName, "Smith");
    contact.setField(ContactField::Company, "Acme");
    tpl.setNamePart(ContactTemplate::kPartFileAs, true);
    open(contact);
    test::saveScreenPicture(*form, "card", shot("edit-form-name-expanded"));
    tap(form->formLayout().glyphRect(0));
    EXPECT_TRUE(block(kGroupName).name.collapsed);
    ASSERT_EQ(form->formLayout().lineOf(0, kLineFirst), -1) << "line 0 stands for lines 1 to 5";
    test::saveScreenPicture(*form, "card", shot("edit-form-name-collapsed"));
    const int name = form->formLayout().lineOf(0, kLineName);
    ASSERT_GE(name, 0);
    tap(form->formLayout().valueRect(name));
    EXPECT_EQ(editor()->text(), "John Smith");
    QTest::keyClick(editor(), Qt::Key_A, Qt::ControlModifier);
    type("Juan  Carlos de la Vega");
    const NameBlockData& data = block(kGroupName).name;
    EXPECT_EQ(data.lines[kLineFirst], "Juan");
    EXPECT_EQ(data.lines[kLineMiddle], "Carlos de la");
    EXPECT_EQ(data.lines[kLineLast], "Vega");
    EXPECT_EQ(data.lines[kLineFileAs], "Vega, Juan");

    // File As offers its suggestions; the company list filters at word starts.
    tap(form->formLayout().valueRect(form->formLayout().lineOf(0, kLineFileAs)));
    auto* fileAs = qobject_cast<QComboBox*>(form->editor());
    ASSERT_NE(fileAs, nullptr);
    EXPECT_EQ(fileAs->count(), 6);
    EXPECT_EQ(fileAs->itemText(4), "Vega, Juan Carlos de la (Acme)");
    QTest::keyClick(editor(), Qt::Key_Escape);
    tap(form->formLayout().valueRect(form->formLayout().lineOf(0, kLineCompany)));
    auto* company = qobject_cast<QComboBox*>(form->editor());
    ASSERT_NE(company, nullptr);
    QTest::keyClick(editor(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor(), "acm");
    EXPECT_EQ(company->count(), 2) << "Acme and Bauer-Acme";
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_EQ(block(kGroupName).name.lines[kLineFileAs], "Vega, Juan")
        << "the company changed, and File As took the first suggestion again";
    EXPECT_EQ(block(kGroupName).name.lines[kLineCompany], "acm");

    tap(form->formLayout().glyphRect(0));
    EXPECT_FALSE(block(kGroupName).name.collapsed);
    EXPECT_GE(form->formLayout().lineOf(0, kLineMiddle), 0);
}

TEST_P(ContactFormTest, TypedDatesAndMessengerTypes) {
    open(ContactRecord());
    const int date = lineOf(kGroupDate, 0);
    tap(form->formLayout().valueRect(date));
    type("31/2/1970");
    EXPECT_EQ(block(kGroupDate).rows[0].invalidDate, "31/2/1970");
    EXPECT_EQ(block(kGroupDate).rows[0].date, 0u);
    tap(form->formLayout().valueRect(date));
    QTest::keyClick(editor(), Qt::Key_A, Qt::ControlModifier);
    type("2010 3 4");
    EXPECT_EQ(dateFromFileTime(block(kGroupDate).rows[0].date), QDate(2010, 3, 4));

    const int im = lineOf(kGroupMsg, 0);
    test::whenOpen(false, [&](QWidget* popup) {
        EXPECT_TRUE(test::menuItem(popup, "AOL")->isChecked());
        test::tapMenuItem(popup, test::menuItem(popup, "ICQ"));
    });
    tap(form->formLayout().typeRect(im));
    EXPECT_EQ(block(kGroupMsg).messengerTypeText(0), "ICQ");
    test::whenOpen(false, [&](QWidget* popup) {
        test::tapMenuItem(popup, test::menuItem(popup, "Custom..."));
    });
    test::whenOpen(true, [&](QWidget* dialog) {
        auto* names = qobject_cast<LabelNameDialog*>(dialog);
        ASSERT_NE(names, nullptr);
        EXPECT_EQ(names->windowTitle(), "Add custom label:");
        names->field()->setText("Jabber");
        QTest::mouseClick(names->buttons()->buttons().first(), Qt::LeftButton);
    });
    tap(form->formLayout().typeRect(im));
    EXPECT_EQ(block(kGroupMsg).messengerTypeText(0), "Jabber");
}

TEST_P(ContactFormTest, AddressFormatsFromTheCountryList) {
    ContactRecord contact;
    contact.setField(ContactField::WorkStreet, "1 Main St");
    contact.setField(ContactField::WorkCountry, "USA");
    open(contact);
    const int work = lineOf(kGroupAddr, 0);
    QRect area;
    int selected = -1;
    test::whenOpen(false, [&](QWidget* popup) {
        test::tapMenuItem(popup, test::menuItem(popup, "Address format..."));
    });
    test::whenOpen(false, [&](QWidget* popup) {
        auto* list = qobject_cast<CountryListPopup*>(popup);
        ASSERT_NE(list, nullptr);
        area = list->geometry();
        selected = list->list()->currentRow();
        test::saveScreenPicture(*form, "card", shot("edit-form-country-list"));
        QListWidgetItem* japan = list->list()->item(27);
        list->list()->scrollToItem(japan);
        QTest::mouseClick(list->list()->viewport(), Qt::LeftButton, {},
                          list->list()->visualItemRect(japan).center());
    });
    tap(form->formLayout().labelRect(work));
    const QRect formRect(form->mapToGlobal(QPoint(0, 0)), form->size());
    EXPECT_EQ(area, formRect.adjusted(screen.scaleX(15), screen.scaleY(20), -screen.scaleX(15),
                                      -screen.scaleY(20)));
    EXPECT_EQ(selected, table.defaultIndex());
    const FormRow& row = block(kGroupAddr).rows[0];
    EXPECT_EQ(row.address.countryName(), "Japan");
    EXPECT_EQ(row.address.values()[kSlotCountry], "Japan") << "the country follows the format";
    EXPECT_FALSE(row.addressFormatUnset);

    // Added rows take the format chosen last; Down moves to the next line.
    tap(form->formLayout().addRect(work));
    EXPECT_EQ(block(kGroupAddr).rows[1].address.countryName(), "Japan");
    ASSERT_NE(editor(), nullptr);
    const int first = form->editingLine();
    QTest::keyClicks(editor(), "100-0001");
    QTest::keyClick(editor(), Qt::Key_Down);
    EXPECT_EQ(form->editingLine(), first + 1);
    EXPECT_EQ(block(kGroupAddr).rows[1].address.values()[kSlotPostalCode], "100-0001");
}

TEST_P(ContactFormTest, ChoosersOpenWhereTheyExist) {
    ContactRecord contact = test::richContact(QByteArray(1, '\x01'));
    contact.extended.links.prepend({"Ringtone", "\\Windows\\ring.wav"});
    const QByteArray pixels(144 * 3 * 72, '\x40');
    contact.picture = PictureBitmap::create(144, 72, pixels);
    QStringList asked;
    services.chooseCategories = [&](const QByteArray& mask) {
        asked.append("categories " + QString::number(int(mask.at(0))));
        return std::optional<QByteArray>(QByteArray(1, '\x03'));
    };
    services.chooseSound = [&](const QString& current) {
        asked.append("sound " + current);
        return std::optional<QString>("\\Windows\\chime.wav");
    };
    services.chooseFile = [&](const LinkedFileRequest& request) {
        asked.append(QStringList({"file", request.title, request.filter, request.startFolder,
                                  request.startName})
                         .join(" | "));
        return std::optional<QString>();
    };
    services.choosePicture = [&](const PictureChoice& current) {
        asked.append(QStringLiteral("picture %1").arg(current.picture->width()));
        return std::optional<PictureChoice>();
    };
    open(contact);
    test::saveScreenPicture(*form, "card", shot("edit-form-rich"));
    EXPECT_EQ(form->formLayout().pictureRect(0).size(), QSize(screen.scaleX(72), screen.scaleX(36)))
        << "scaled down by the larger ratio";
    tap(form->formLayout().pictureRect(0));
    tap(form->formLayout().valueRect(lineOf(kGroupCategory, 0)));
    tap(form->formLayout().valueRect(lineOf(kGroupLink, 0)));
    tap(form->formLayout().valueRect(lineOf(kGroupLink, 1)));
    EXPECT_EQ(asked, QStringList({"picture 144", "categories 1", "sound \\Windows\\ring.wav",
                                  "file | Select linked file | All Files (*.*) | \\My Documents | "
                                  "\\My Documents\\Projects\\Spectrometer.pdf"}));
    EXPECT_EQ(block(kGroupCategory).rows[0].text, "Family, VIP");
    EXPECT_EQ(block(kGroupLink).rows[0].text, "\\Windows\\chime.wav");
    EXPECT_EQ(changes, 2);
}

TEST_P(ContactFormTest, MissingChoosersAreReportedOnceAndChangeNothing) {
    open(test::richContact(QByteArray(1, '\x01')));
    tap(form->formLayout().valueRect(lineOf(kGroupCategory, 0)));
    tap(form->formLayout().valueRect(lineOf(kGroupCategory, 0)));
    tap(form->formLayout().pictureRect(0));
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(form->editor(), nullptr);
}

TEST_P(ContactFormTest, TemplateModeShowsLabelsAndEveryRowButton) {
    open(ContactRecord(), true);
    test::saveScreenPicture(*form, "card", shot("template-form"));
    const FormEntry& phones = block(kGroupPhone);
    EXPECT_TRUE(phones.rows.constFirst().text.isEmpty());
    tap(form->formLayout().valueRect(lineOf(kGroupPhone, 0)));
    EXPECT_EQ(form->editor(), nullptr) << "no values in template mode";
    tap(form->formLayout().deleteRect(lineOf(kGroupEMail, 0)));
    EXPECT_TRUE(block(kGroupEMail).rows.isEmpty()) << "the only row has its delete button";
    tap(form->formLayout().addRect(lineOf(kGroupPhone, 2)));
    EXPECT_EQ(block(kGroupPhone).rows.size(), 4) << "the last row always has its add button";
    EXPECT_EQ(form->editor(), nullptr);
}

using S = NoteEditorState;

TEST_P(ContactFormTest, TheNoteIsTypedAndDrawnInTheFormAndSavedAsItsDocument) {
    ContactRecord contact;
    contact.setField(ContactField::FirstName, "Ada");
    contact.setField(ContactField::WorkPhone, "111");
    open(contact);
    NotesBlock* notes = form->notesBlock();
    ASSERT_NE(notes, nullptr);
    EXPECT_EQ(form->findBlock(kGroupNotes), int(form->blocks().size()) - 1) << "the last block";
    const int canvasBefore = form->canvas()->height();
    tapNote(QPoint(10, 10));
    EXPECT_TRUE(noteEdit()->hasFocus());
    QTest::keyClicks(noteEdit(), "Call back");
    QTest::keyClick(noteEdit(), Qt::Key_Return);
    pressNoteButton(S::kBold);
    QTest::keyClicks(noteEdit(), "urgent");
    pressNoteButton(S::kBullets);
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(noteEdit(), Qt::Key_Return);
        QTest::keyClicks(noteEdit(), QStringLiteral("line %1").arg(i));
    }
    // The block grew with the note, and the form with it.
    const int block = form->findBlock(kGroupNotes);
    EXPECT_EQ(form->formLayout().blockRect(block).height(), notes->height());
    EXPECT_EQ(notes->geometry().top(), form->formLayout().blockRect(block).top());
    EXPECT_GT(form->canvas()->height(), canvasBefore + 4 * screen.scaleY(10));
    EXPECT_EQ(form->canvas()->height(), form->formLayout().height());
    // The cursor at the end of the note stays in view.
    const QPoint cursor =
        noteEdit()->viewport()->mapTo(form->viewport(), noteEdit()->cursorRect().center());
    EXPECT_TRUE(form->viewport()->rect().contains(cursor));
    EXPECT_TRUE(noteEdit()->hasFocus()) << "the tool bar keeps the typing in the note";

    pressNoteButton(S::kDraw);
    pressNoteButton(S::kColour);
    ASSERT_NE(form->notesBlock()->lastMenu(), nullptr);
    PopupMenu* colours = form->notesBlock()->lastMenu();
    EXPECT_LE(colours->sizeHint().height(), screen.scaleY(320)) << "the menu fits the screen";
    for (QAction* action : colours->actions()) {
        if (action->text() == "Blue") {
            action->trigger();
        }
    }
    colours->hide();
    drawInNote(QPoint(screen.scaleX(120), screen.scaleY(6)),
               QPoint(screen.scaleX(200), screen.scaleY(30)));
    EXPECT_GT(changes, 0);
    form->ensureWidgetVisible(notes);
    test::saveScreenPicture(*form, "card", shot("edit-form-note"));

    const ContactRecord saved = collectIntoContact(form->collect(), contact);
    EXPECT_FALSE(form->noteKept());
    const NoteDocument note = readNoteDocument(saved.userNote, Locale::user());
    ASSERT_EQ(note.paragraphs.size(), 8);
    EXPECT_EQ(note.paragraphs[0].text(), "Call back");
    EXPECT_FALSE(note.paragraphs[0].bullets);
    EXPECT_EQ(note.paragraphs[1].text(), "urgent");
    EXPECT_TRUE(note.paragraphs[1].runs[0].format.bold);
    EXPECT_TRUE(note.paragraphs[1].bullets);
    EXPECT_EQ(note.paragraphs[7].text(), "line 5");
    ASSERT_EQ(note.strokes.size(), 1);
    EXPECT_EQ(note.strokes[0].colour, 6);
    EXPECT_EQ(saved.field(ContactField::WorkPhone), "111");

    // Read back into a new form, untouched, it is stored byte for byte.
    changes = 0;
    open(saved);
    EXPECT_TRUE(noteEdit()->toPlainText().startsWith("Call back\nurgent\n"));
    EXPECT_EQ(noteEdit()->strokes(), note.strokes);
    EXPECT_EQ(collectIntoContact(form->collect(), saved).userNote, saved.userNote);
    EXPECT_EQ(changes, 0);
}

TEST_P(ContactFormTest, OnlyTogglingTheDrawingModeChangesNoNote) {
    open(ContactRecord());
    tapNote(QPoint(10, 10));
    pressNoteButton(S::kDraw);
    EXPECT_TRUE(noteEdit()->drawing());
    pressNoteButton(S::kDraw);
    EXPECT_TRUE(collectIntoContact(form->collect(), ContactRecord()).userNote.isEmpty());
    EXPECT_EQ(changes, 0);

    // A plain note written by another program stays as it was.
    ContactRecord plain;
    plain.userNote = utf16Note("written elsewhere");
    open(plain);
    EXPECT_EQ(noteEdit()->toPlainText(), "written elsewhere");
    tapNote(QPoint(10, 10));
    pressNoteButton(S::kDraw);
    pressNoteButton(S::kDraw);
    EXPECT_EQ(collectIntoContact(form->collect(), plain).userNote, plain.userNote);
    // Typed into, it becomes the editor's document.
    QTest::keyClick(noteEdit(), Qt::Key_End);
    QTest::keyClicks(noteEdit(), "!");
    const QByteArray typed = collectIntoContact(form->collect(), plain).userNote;
    EXPECT_EQ(readNoteDocument(typed, Locale::user()).paragraphs.value(0).text(),
              "written elsewhere!");
}

TEST_P(ContactFormTest, MovingOnToAnotherBlockLeavesTheNote) {
    ContactRecord contact;
    contact.setField(ContactField::WorkPhone, "111");
    QStringList lines;
    for (int i = 0; i < 30; ++i) {
        lines.append(QStringLiteral("note line %1").arg(i));
    }
    contact.userNote = utf16Note(lines.join("\r\n"));
    open(contact);
    tapNote(QPoint(10, 10));
    QTest::keyClick(noteEdit(), Qt::Key_End, Qt::ControlModifier);
    pressNoteButton(S::kDraw);
    ASSERT_TRUE(noteEdit()->drawing());
    EXPECT_FALSE(form->notesBlock()->button(S::kBold)->isEnabled());

    tap(form->formLayout().valueRect(lineOf(kGroupPhone, 0)));
    ASSERT_NE(editor(), nullptr) << "the phone is being edited";
    EXPECT_TRUE(editor()->hasFocus());
    EXPECT_FALSE(noteEdit()->drawing());
    EXPECT_FALSE(form->notesBlock()->button(S::kDraw)->isChecked());
    EXPECT_TRUE(form->notesBlock()->button(S::kBold)->isEnabled());
    EXPECT_EQ(noteEdit()->textCursor().position(), 0) << "back at the top";

    // Tapping the note ends the value's editing, keeping what was typed.
    QTest::keyClicks(editor(), "222");
    tapNote(QPoint(10, 10));
    EXPECT_EQ(form->editor(), nullptr);
    EXPECT_EQ(block(kGroupPhone).rows[0].text, "222");
    EXPECT_EQ(collectIntoContact(form->collect(), contact).userNote, contact.userNote);
}

TEST_P(ContactFormTest, TemplateModeHasNoNoteEditor) {
    tpl.setGroupShown(kGroupNotes, true);
    open(ContactRecord(), true);
    EXPECT_EQ(form->notesBlock(), nullptr);
    EXPECT_EQ(form->findChild<NotesBlock*>(), nullptr);
}

TEST_P(ContactFormTest, AChosenPictureIsShownAndSaved) {
    ContactRecord contact;
    contact.setField(ContactField::FirstName, "Pia");
    QByteArray pixels;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 90; ++x) {
            pixels.append(char(200)).append(char(x * 2)).append(char(y * 4));  // blue, green, red
        }
        pixels.append(2, '\0');  // rows padded to four bytes
    }
    const Picture chosen = PictureBitmap::create(90, 60, pixels);
    ASSERT_NE(chosen, nullptr);
    int asked = 0;
    services.choosePicture = [&](const PictureChoice& current) {
        ++asked;
        EXPECT_EQ(current.picture, nullptr) << "the contact had none";
        return std::optional<PictureChoice>(PictureChoice{chosen, current.name});
    };
    open(contact);
    const QRect icon = form->formLayout().pictureRect(0);
    tap(icon);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(changes, 1);
    const QRect shown = form->formLayout().pictureRect(0);
    EXPECT_EQ(shown.size(), GetParam() == 96 ? QSize(72, 48) : QSize(90, 60))
        << "shrunk into the frame when larger";
    const QImage canvas = form->canvas()->grab().toImage();
    const QRgb middle = canvas.pixel(shown.center() * canvas.devicePixelRatio());
    EXPECT_GT(qBlue(middle), 150) << "the picture, not the person icon";
    test::saveScreenPicture(*form, "card", shot("edit-form-picture"));
    const ContactRecord saved = collectIntoContact(form->collect(), contact);
    ASSERT_NE(saved.picture, nullptr);
    EXPECT_TRUE(samePicture(saved.picture, chosen));
}

INSTANTIATE_TEST_SUITE_P(BothResolutions, ContactFormTest, ::testing::Values(96, 192));

}  // namespace
}  // namespace kontavo
