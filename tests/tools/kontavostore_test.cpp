#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include "platform/locale.h"
#include "platform/sqliteobjectstore.h"
#include "store/contacts/categorymask.h"
#include "store/contacts/contactsdatabase.h"
#include "store/contacts/contactsdatabasereader.h"
#include "store/pictures/bmpcodec.h"
#include "store/pictures/imagefile.h"
#include "store/record/contactfields.h"
#include "support/tempdevice.h"

namespace kontavo {
namespace {

struct StoreRun {
    int status = -1;
    QString out;
    QString err;
};

class KontavoStoreTest : public ::testing::Test {
protected:
    StoreRun run(QStringList arguments, const QString& root = QString()) {
        arguments.prepend(root.isEmpty() ? m_device.root() : root);
        arguments.prepend(QStringLiteral("--device-root"));
        QProcess process;
        process.start(test::builtProgram(QStringLiteral("kontavo-store")), arguments);
        process.waitForFinished(60000);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }
    // The contacts database of the device, as the program itself opens it.
    ContactsDatabase& db() {
        if (!m_store) {
            m_store =
                std::make_unique<SqliteObjectStore>(SqliteObjectStore::fileInRoot(m_device.root()));
            m_db = std::make_unique<ContactsDatabase>(*m_store, Locale::user());
            m_db->open();
        }
        return *m_db;
    }
    // Every category's contact references equal the number of contacts
    // whose mask has its bit.
    void expectReferencesMatchMasks() {
        QHash<int, int> users;
        const QList<Oid> oids = *db().handle().recordOids();
        for (Oid oid : oids) {
            ContactRecord record;
            ASSERT_TRUE(db().readRecord(oid, record));
            for (int position : categorymask::positions(record.categoryMask)) {
                ++users[position];
            }
        }
        const std::optional<QList<CategoryRecord>> categories = db().categories().readAll();
        ASSERT_TRUE(categories);
        for (const CategoryRecord& category : *categories) {
            EXPECT_EQ(category.contactRefs.value_or(0), users.value(*category.position))
                << category.name.toStdString();
        }
    }

    test::TempDevice m_device;
    std::unique_ptr<SqliteObjectStore> m_store;
    std::unique_ptr<ContactsDatabase> m_db;
};

TEST_F(KontavoStoreTest, SeedingIsDeterministicAndCountsItsCategoryReferences) {
    ASSERT_EQ(run({"seed", "150", "--seed", "7"}).status, 0);
    QTemporaryDir second;
    ASSERT_EQ(run({"seed", "150", "--seed=7"}, second.path()).status, 0);
    const StoreRun list = run({"list"});
    EXPECT_EQ(list.out, run({"list"}, second.path()).out);
    EXPECT_EQ(list.out.count(QLatin1Char('\n')), 150);
    QTemporaryDir other;
    ASSERT_EQ(run({"seed", "150", "--seed", "8"}, other.path()).status, 0);
    EXPECT_NE(list.out, run({"list"}, other.path()).out);

    const int categories = int(db().categories().readAll()->size());
    EXPECT_GE(categories, 10);
    EXPECT_LE(categories, 20);
    expectReferencesMatchMasks();
    // Latin, Cyrillic and German names; extended properties in the notes.
    EXPECT_TRUE(list.out.contains(QRegularExpression("[А-Я][а-я]+, ")));
    EXPECT_TRUE(list.out.contains(QRegularExpression("[äöüß]")));
    int extended = 0;
    ContactsDatabaseReader reader(db().handle(), Locale::user());
    ASSERT_TRUE(reader.readAllForIndex([&](IndexedContact&& contact, int, int) {
        extended += contact.record.extended.isEmpty() ? 0 : 1;
    }));
    EXPECT_GT(extended, 10);
}

TEST_F(KontavoStoreTest, AddSetShowAndDeleteAContact) {
    const StoreRun added = run({"add", "FirstName=Anna", "LastName=Petrova", "MiddleName=Ivanovna",
                                "phone:Dacha=+7 495 111", "categories=Work;Дом",
                                "notes=Call after six", "Birthday=1980-02-29"});
    ASSERT_EQ(added.status, 0) << added.err.toStdString();
    const QString oid = added.out.trimmed();
    const StoreRun shown = run({"show", oid});
    EXPECT_TRUE(shown.out.contains("FirstName         Anna")) << shown.out.toStdString();
    EXPECT_TRUE(shown.out.contains("(Work, Дом)"));
    EXPECT_TRUE(shown.out.contains("1980-02-29"));
    EXPECT_TRUE(shown.out.contains("User note:\n  Call after six"));
    EXPECT_TRUE(shown.out.contains("phone:Dacha = +7 495 111"));

    ASSERT_EQ(run({"set", oid, "MiddleName=", "email:Private=a@b.c", "categories=Work"}).status, 0);
    ContactRecord record;
    ASSERT_TRUE(db().readRecord(oid.toUInt(), record));
    EXPECT_TRUE(record.field(ContactField::MiddleName).isEmpty());
    const StoreRun changed = run({"show", oid});
    EXPECT_FALSE(changed.out.contains("MiddleName"));
    EXPECT_TRUE(changed.out.contains("phone:Dacha = +7 495 111"));
    EXPECT_TRUE(changed.out.contains("email:Private = a@b.c"));
    // Leaving "Дом" took its only reference.
    EXPECT_TRUE(run({"categories"}).out.contains(QRegularExpression("\t0\tДом\n")));
    expectReferencesMatchMasks();

    EXPECT_EQ(run({"delete", oid}).status, 0);
    EXPECT_EQ(run({"show", oid}).status, 1);
    EXPECT_EQ(run({"delete", oid}).status, 1);
    expectReferencesMatchMasks();
}

TEST_F(KontavoStoreTest, ExtendedEntriesOfEveryKindGoIntoTheNotes) {
    const StoreRun added = run({"add", "LastName=Ext", "messenger:IM=ICQ;12345",
                                "address:Dacha=Lesnaya 1;Tver;;170000;Russia;7",
                                "date:Name day=2000-05-01", "webpage:Blog=https://b.example",
                                "homeformat=54", "PreferredItem=0x3A1C001F", "image=Ext.bmp"});
    ASSERT_EQ(added.status, 0) << added.err.toStdString();
    const QString shown = run({"show", added.out.trimmed()}).out;
    for (const char* line :
         {"messenger:IM = ICQ; 12345", "address:Dacha = Lesnaya 1; Tver; ; 170000; Russia; 7",
          "date:Name day = 2000-05-01", "webpage:Blog = https://b.example", "homeformat = 54",
          "PreferredItem     0x3A1C001F", "image = Ext.bmp"}) {
        EXPECT_TRUE(shown.contains(line)) << line << "\n" << shown.toStdString();
    }
    // An empty value removes the entries of that label.
    ASSERT_EQ(run({"set", added.out.trimmed(), "messenger:IM=", "date:Name day="}).status, 0);
    const QString changed = run({"show", added.out.trimmed()}).out;
    EXPECT_FALSE(changed.contains("messenger:IM"));
    EXPECT_FALSE(changed.contains("date:Name day"));
    EXPECT_TRUE(changed.contains("address:Dacha"));
}

TEST_F(KontavoStoreTest, NotesAreStoredAndShownByteForByte) {
    const QString oid = run({"add", "LastName=Raw"}).out.trimmed();
    QTemporaryFile file;
    ASSERT_TRUE(file.open());
    file.write(
        QByteArray("\xFE\xFF"
                   "A\0B\0",
                   6));
    file.close();
    EXPECT_EQ(run({"set-notes", oid, file.fileName()}).status, 0);
    EXPECT_EQ(run({"notes", oid, "--hex"}).out, "fe ff 41 00 42 00\n");
    EXPECT_EQ(run({"notes", oid}).out, "AB\n");
    EXPECT_EQ(run({"set-notes", oid, file.fileName() + ".missing"}).status, 1);
}

TEST_F(KontavoStoreTest, BadInputIsRefusedWithAMessage) {
    const QString oid = run({"add", "LastName=Kept"}).out.trimmed();
    struct Case {
        QStringList arguments;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {{"frobnicate"}, 2, "unknown command"},
        {{"show"}, 2, "wrong number of arguments"},
        {{"show", "12x"}, 2, "is not a record Oid"},
        {{"show", "0"}, 2, "is not a record Oid"},
        {{"show", "0x1FFFFFFFF"}, 2, "is not a record Oid"},
        {{"list", "--hex"}, 2, "has no option"},
        {{"seed", "many"}, 2, "needs a count"},
        {{"seed", "1", "--seed"}, 2, "needs a value"},
        {{"add", "NoEquals"}, 2, "is not FIELD=VALUE"},
        {{"add", "Shoe=42"}, 2, "unknown field"},
        {{"add", "Birthday=1980-13-01"}, 2, "needs a date"},
        {{"add", "categories=A,B"}, 2, "cannot contain"},
        {{"add", "phone:=1"}, 2, "must begin with a letter or a digit"},
        {{"set", "999999", "LastName=X"}, 1, "no contact 999999"},
        {{"show", "999999"}, 1, "no contact 999999"},
    };
    for (const Case& c : cases) {
        const StoreRun result = run(c.arguments);
        EXPECT_EQ(result.status, c.status) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(result.err.contains(c.message)) << result.err.toStdString();
    }
    // Nothing was written by the refused commands.
    EXPECT_EQ(run({"list"}).out.count(QLatin1Char('\n')), 1);
    EXPECT_EQ(run({}).status, 2);
}

// A file next to the device root (not inside it), as a user's own file.
QString writeBeside(const test::TempDevice& device, const QString& name, const QByteArray& bytes) {
    const QString path = device.root() + QStringLiteral("/../") + name;
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

QString pictureFile(const test::TempDevice& device, const QString& name) {
    return device.host(QStringLiteral("\\Kontavo Files\\") + name);
}

TEST_F(KontavoStoreTest, APictureIsFramedSavedAndNamedInTheNotes) {
    const QString oid = run({"add", "FirstName=Anna", "LastName=O'Neil"}).out.trimmed();
    const int width = 100;
    const int height = 80;
    const Picture source = PictureBitmap::create(
        width, height, QByteArray(PictureBitmap::rowSize(width) * height, '\x7f'));
    const QString file = writeBeside(m_device, "photo.dat", encodeBmp(*source));

    const StoreRun set = run({"set-picture", oid, file});
    ASSERT_EQ(set.status, 0) << set.err.toStdString();
    EXPECT_EQ(set.out, "Anna_O'Neil.bmp\n");
    const ImageLoad stored = loadImageFile(pictureFile(m_device, "Anna_O'Neil.bmp"), 1);
    ASSERT_TRUE(stored.ok());
    EXPECT_EQ(stored.format, ImageFormat::Bmp);
    EXPECT_EQ(stored.picture->width(), 100);  // the starting frame holds all of it
    EXPECT_TRUE(run({"notes", oid}).out.contains("[Anna_O'Neil.bmp]"));

    const StoreRun cleared = run({"set-picture", oid, "--clear"});
    ASSERT_EQ(cleared.status, 0) << cleared.err.toStdString();
    EXPECT_FALSE(QFile::exists(pictureFile(m_device, "Anna_O'Neil.bmp")));
    EXPECT_FALSE(run({"notes", oid}).out.contains("Anna_O'Neil.bmp"));
}

TEST_F(KontavoStoreTest, EachLoadFailureIsNamed) {
    const QString oid = run({"add", "LastName=Kept"}).out.trimmed();
    const StoreRun missing = run({"set-picture", oid, "/nonexistent/photo.jpg"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.err.contains("Cannot open picture file")) << missing.err.toStdString();
    const StoreRun text = run({"set-picture", oid, writeBeside(m_device, "text.bmp", "hello")});
    EXPECT_EQ(text.status, 1);
    EXPECT_TRUE(text.err.contains("Image format is not supported")) << text.err.toStdString();
    QByteArray huge = encodeBmp(*PictureBitmap::create(1, 1, QByteArray(4, '\0')));
    huge[18] = char(0xFF);  // 32767 pixels wide: past the limits
    huge[19] = char(0x7F);
    const StoreRun large = run({"set-picture", oid, writeBeside(m_device, "huge.bmp", huge)});
    EXPECT_EQ(large.status, 1);
    EXPECT_TRUE(large.err.contains("Not enough memory to load image")) << large.err.toStdString();
    EXPECT_EQ(run({"set-picture", oid}).status, 2);
    EXPECT_EQ(run({"set-picture", oid, "x.bmp", "--clear"}).status, 2);
}

}  // namespace
}  // namespace kontavo
