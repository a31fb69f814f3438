// Tools > File > "Import vCards..." and "Export vCards..." in the program:
// the store's own import and export under the progress window, the result
// in a message box.
#include <gtest/gtest.h>

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "comm/vcardimport.h"
#include "framefixture.h"
#include "list/contactstoresession.h"
#include "list/vcardfiledialog.h"
#include "listtestsupport.h"
#include "platform/locale.h"
#include "store/contacts/contactmanager.h"
#include "store/notes/extendedblock.h"
#include "support/recordingboxes.h"
#include "support/screenpicture.h"
#include "support/testimages.h"
#include "ui/messageboxes.h"

namespace kontavo {
namespace {

constexpr int kSeeded = 12;

using test::RecordingBoxes;

const QByteArray kCards =
    "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Appleseed;Johnny;;;\r\n"
    "item1.TEL:+1 408 555 0003\r\nitem1.X-ABLabel:_$!<AssistantPhone>!$_\r\n"
    "item2.X-ABRELATEDNAMES:Jane\r\nitem2.X-ABLabel:_$!<Spouse>!$_\r\n"
    "IMPP;X-SERVICE-TYPE=Jabber:xmpp:johnny@example.org\r\n"
    "CATEGORIES:Imported\r\n"
    "PHOTO;ENCODING=b;TYPE=JPEG:/9j/4AAQSkZJRg==\r\n"
    "END:VCARD\r\n"
    "BEGIN:VCARD\r\nVERSION:4.0\r\nUID:nothing-else\r\nEND:VCARD\r\n"
    "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Zebra;Zoe\r\nTEL;CELL:+7 916\r\nEND:VCARD\r\n";

class FrameVCardsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(seedDemoContactsIfEmpty(fixture.device.fs(), kSeeded, Locale::user()));
        session = ContactStoreSession::open(fixture.device.fs(), fixture.device.settings(),
                                            fixture.host, Locale::user());
        ASSERT_NE(session, nullptr);
        fixture.chooseVCardFile = [this](VCardFileChoice::Mode mode) -> std::optional<QString> {
            asked.append(mode);
            return chosen;
        };
        ASSERT_TRUE(fixture.create(session.get(), &session->manager()));
        ASSERT_TRUE(test::showActive(fixture.window));
    }
    void TearDown() override { fixture.destroyFrame(); }

    ContactManager& manager() { return session->manager(); }
    int rows() { return int(fixture.list().entries().size()); }
    QString write(const QString& name, const QByteArray& bytes) {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    test::FrameFixture fixture;
    std::unique_ptr<ContactStoreSession> session;
    QTemporaryDir folder;
    RecordingBoxes boxes;
    std::optional<QString> chosen;
    QList<VCardFileChoice::Mode> asked;
};

TEST_F(FrameVCardsTest, ImportFromTheMenuAddsTheContactsUnderProgressAndReportsThem) {
    ASSERT_TRUE(fixture.frame().isCommandAvailable(ContactsFrame::kCmdImportVCards));
    chosen = write(QStringLiteral("friends.vcf"), kCards);
    fixture.host.progress.clear();
    ASSERT_TRUE(fixture.frame().handleCommand(ContactsFrame::kCmdImportVCards, 0));
    EXPECT_EQ(asked, QList<VCardFileChoice::Mode>{VCardFileChoice::Mode::Open});
    EXPECT_EQ(rows(), kSeeded + 2);
    ASSERT_FALSE(fixture.host.progress.isEmpty());
    EXPECT_EQ(fixture.host.progress.mid(0, 2),
              QStringList({QStringLiteral("create"), QStringLiteral("title Import vCards")}));
    EXPECT_EQ(fixture.host.progress.count(QStringLiteral("step")), 2);
    EXPECT_EQ(fixture.host.progress.back(), QStringLiteral("close"));
    EXPECT_EQ(boxes.shown,
              QStringList({QStringLiteral("Import vCards|2 contacts imported, 1 cards could not "
                                          "be read\n1 pictures were not stored (a further "
                                          "picture of a card, or one that cannot be read)")}));
    // The first new contact is shown, its values where the card put them.
    const Oid first = fixture.list().selectedContact();
    ContactRecord record;
    ASSERT_TRUE(manager().readContact(first, record));
    EXPECT_EQ(record.field(ContactField::LastName), "Appleseed");
    EXPECT_EQ(record.field(ContactField::AssistantPhone), "+1 408 555 0003");
    EXPECT_EQ(record.field(ContactField::Spouse), "Jane");
    EXPECT_EQ(record.extended.messengers,
              QList<MessengerEntry>({{"IM", "johnny@example.org", "Jabber"}}));
    EXPECT_EQ(manager().categories().namesOfMask(record.categoryMask),
              QStringList{QStringLiteral("Imported")});
}

TEST_F(FrameVCardsTest, ACancelledChoiceOrAnUnreadableFileImportsNothing) {
    chosen.reset();
    ASSERT_TRUE(fixture.frame().handleCommand(ContactsFrame::kCmdImportVCards, 0));
    EXPECT_TRUE(boxes.shown.isEmpty());
    fixture.frame().importVCards(folder.filePath(QStringLiteral("missing.vcf")));
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_TRUE(boxes.shown[0].startsWith(QStringLiteral("Import vCards|Cannot read ")));
    fixture.frame().importVCards(write(QStringLiteral("none.vcf"), "hello\r\n"));
    EXPECT_EQ(boxes.shown.last(),
              QStringLiteral("Import vCards|0 contacts imported, 0 cards could not be read"));
    EXPECT_EQ(rows(), kSeeded);
}

// Every contact exported and imported again comes back as it was.
TEST_F(FrameVCardsTest, ExportWritesEveryContactAndReadsBackTheSame) {
    chosen = folder.filePath(QStringLiteral("all.vcf"));
    ASSERT_TRUE(fixture.frame().handleCommand(ContactsFrame::kCmdExportVCards, 0));
    EXPECT_EQ(asked, QList<VCardFileChoice::Mode>{VCardFileChoice::Mode::Save});
    EXPECT_EQ(boxes.shown, QStringList{QStringLiteral("Export vCards|%1 contacts exported to "
                                                      "all.vcf")
                                           .arg(kSeeded)});
    EXPECT_TRUE(fixture.host.progress.contains(QStringLiteral("title Export vCards")));
    QFile file(*chosen);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const VCardReadResult read = readVCards(file.readAll());
    ASSERT_EQ(read.contacts.size(), kSeeded);
    QList<ListEntry> entries;
    ASSERT_TRUE(manager().listContacts(CategoryFilter::any(), entries));
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const std::optional<VCardContact> stored = vcardContactOf(manager(), entries[i].oid);
        ASSERT_TRUE(stored);
        VCardContact expected = *stored;
        ContactRecord& record = expected.record;
        record.oid = 0;
        record.categoryMask = read.contacts[i].record.categoryMask;
        record.notesBlob.clear();
        record.extended.checksum = 0;
        record.extended.image.clear();
        record.picture = nullptr;  // the picture travels as the card's PHOTO
        EXPECT_EQ(read.contacts[i].picture, expected.picture) << i;
        // A Pocket Word Ink note travels as its text.
        EXPECT_EQ(noteToText(read.contacts[i].record.userNote, Locale::user()),
                  noteToText(record.userNote, Locale::user()))
            << i;
        record.userNote = read.contacts[i].record.userNote;
        EXPECT_TRUE(read.contacts[i].record.equals(record)) << i;
        EXPECT_EQ(read.contacts[i].categories, expected.categories) << i;
    }
}

// A card's photo becomes the contact's framed picture; exported, the
// picture goes out as a JPEG that comes back the same size.
TEST_F(FrameVCardsTest, ACardsPhotoBecomesTheContactsPictureAndTravelsBack) {
    const QByteArray jpeg = test::encodeJpeg(test::TestImage::pattern(160, 120));
    const QByteArray card = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Photo;Pia;;;\r\n"
                            "PHOTO;ENCODING=b;TYPE=JPEG:" +
                            jpeg.toBase64() + "\r\nEND:VCARD\r\n";
    fixture.frame().importVCards(write(QStringLiteral("pia.vcf"), card));
    EXPECT_EQ(boxes.shown, QStringList{QStringLiteral(
                               "Import vCards|1 contacts imported, 0 cards could not be read")});
    const Oid oid = fixture.list().selectedContact();
    ContactRecord record;
    ASSERT_TRUE(manager().readContact(oid, record));
    EXPECT_EQ(record.field(ContactField::FirstName), "Pia");
    ASSERT_NE(record.picture, nullptr) << "the photo is stored with the contact";
    EXPECT_FALSE(record.extended.image.isEmpty());
    const PictureBitmap& picture = *record.picture;
    EXPECT_LE(picture.width(), 2 * 72) << "twice the frame at most";
    EXPECT_LE(picture.height(), 2 * 72);
    EXPECT_GT(picture.width(), picture.height()) << "the landscape photo keeps its shape";
    const test::Rgb topLeft = test::pixelOf(picture, 0, 0);
    const test::Rgb bottomRight = test::pixelOf(picture, picture.width() - 1, picture.height() - 1);
    EXPECT_LT(topLeft.red + 100, bottomRight.red) << "not mirrored";
    EXPECT_LT(topLeft.green + 100, bottomRight.green) << "not upside down";

    const std::optional<VCardContact> exported = vcardContactOf(manager(), oid);
    ASSERT_TRUE(exported && exported->picture);
    EXPECT_EQ(exported->picture->mediaType, "image/jpeg");
    const QByteArray text = writeVCard(*exported);
    EXPECT_TRUE(text.contains("PHOTO;ENCODING=b;TYPE=JPEG:"));
    boxes.shown.clear();
    fixture.frame().importVCards(write(QStringLiteral("again.vcf"), text));
    EXPECT_EQ(boxes.shown, QStringList{QStringLiteral(
                               "Import vCards|1 contacts imported, 0 cards could not be read")});
    ContactRecord again;
    ASSERT_TRUE(manager().readContact(fixture.list().selectedContact(), again));
    ASSERT_NE(again.picture, nullptr);
    EXPECT_NE(again.oid, oid);
    EXPECT_EQ(again.picture->width(), picture.width());
    EXPECT_EQ(again.picture->height(), picture.height());
    EXPECT_NE(again.extended.image, record.extended.image) << "each contact has its own file";
}

// The file dialog: the vCard files of the folder, a name typed or picked,
// OK only for a file that can be used; it covers the program's screen.
TEST(VCardFileDialogTest, PicksAListedFileOrATypedNameAndFitsTheScreen) {
    QTemporaryDir folder;
    for (const char* name : {"b.vcf", "A.VCF", "notes.txt"}) {
        QFile file(folder.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    for (const int dpi : {96, 192}) {
        Screen::setCurrent(Screen(dpi, dpi));
        QWidget screen;
        screen.resize(240 * dpi / 96, 294 * dpi / 96);
        screen.show();
        VCardFileDialog open(VCardFileChoice(VCardFileChoice::Mode::Open, folder.path()),
                             QStringLiteral("Import vCards"), QString(), &screen);
        open.show();
        EXPECT_EQ(open.size(), screen.size());
        ASSERT_EQ(open.fileList()->count(), 2);
        EXPECT_EQ(open.fileList()->item(0)->text(), "A.VCF");
        EXPECT_FALSE(open.okButton()->isEnabled());
        QTest::keyClicks(open.nameEdit(), QStringLiteral("missing.vcf"));
        EXPECT_FALSE(open.okButton()->isEnabled());
        const QRect second = open.fileList()->visualItemRect(open.fileList()->item(1));
        QTest::mouseClick(open.fileList()->viewport(), Qt::LeftButton, {}, second.center());
        EXPECT_EQ(open.nameEdit()->text(), "b.vcf");
        ASSERT_TRUE(open.okButton()->isEnabled());
        QTest::mouseClick(open.okButton(), Qt::LeftButton);
        EXPECT_EQ(open.chosenFile(), folder.filePath(QStringLiteral("b.vcf")));
        if (dpi == 96) {
            test::saveScreenPicture(open, QStringLiteral("list"),
                                    QStringLiteral("vcardfiledialog-96"));
        }

        VCardFileDialog save(VCardFileChoice(VCardFileChoice::Mode::Save, folder.path()),
                             QStringLiteral("Export vCards"), QStringLiteral("Contacts.vcf"),
                             &screen);
        save.show();
        save.nameEdit()->clear();
        QTest::keyClicks(save.nameEdit(), QStringLiteral("backup"));
        QTest::keyClick(save.nameEdit(), Qt::Key_Return);
        EXPECT_EQ(save.chosenFile(), folder.filePath(QStringLiteral("backup.vcf")));
        if (dpi == 192) {
            test::saveScreenPicture(save, QStringLiteral("list"),
                                    QStringLiteral("vcardfiledialog-192"));
        }
    }
    Screen::setCurrent(Screen(96, 96));
}

}  // namespace
}  // namespace kontavo
