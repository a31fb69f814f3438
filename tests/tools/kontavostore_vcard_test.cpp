#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "platform/locale.h"
#include "platform/sqliteobjectstore.h"
#include "store/contacts/contactsdatabase.h"
#include "store/notes/extendedblock.h"
#include "support/tempdevice.h"
#include "support/testimages.h"

namespace kontavo {
namespace {

struct StoreRun {
    int status = -1;
    QByteArray out;
    QString err;
};

// kontavo-store import and export against temporary device roots.
class KontavoStoreVCardTest : public ::testing::Test {
protected:
    StoreRun run(const QString& root, QStringList arguments) {
        arguments.prepend(root);
        arguments.prepend(QStringLiteral("--device-root"));
        QProcess process;
        process.start(test::builtProgram(QStringLiteral("kontavo-store")), arguments);
        process.waitForFinished(120000);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                process.readAllStandardOutput(), QString::fromUtf8(process.readAllStandardError())};
    }
    QString writeFile(const QString& name, const QByteArray& bytes) {
        const QString path = m_files.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QList<Oid> oidsOf(const QByteArray& out) {
        QList<Oid> oids;
        for (const QByteArray& line : out.split('\n')) {
            if (!line.isEmpty()) {
                oids.append(line.toUInt());
            }
        }
        return oids;
    }

    test::TempDevice m_first;
    test::TempDevice m_second;
    QTemporaryDir m_files;
};

// A contact as the program reads it: the user note and the extended
// properties split out of the notes, the category names.
struct StoredContact {
    ContactRecord record;
    QStringList categories;
    QString note;
};

StoredContact readStored(const QString& root, Oid oid) {
    SqliteObjectStore store(SqliteObjectStore::fileInRoot(root));
    ContactsDatabase db(store, Locale::user());
    StoredContact stored;
    if (!db.open() || !db.readRecord(oid, stored.record)) {
        ADD_FAILURE() << "no contact " << oid;
        return stored;
    }
    QString text;
    EXPECT_TRUE(readBlock(stored.record.notesBlob, stored.record.extended, text));
    stored.categories = db.categories().namesOfMask(stored.record.categoryMask);
    stored.note = noteToText(stripBlock(stored.record.notesBlob));
    return stored;
}

TEST_F(KontavoStoreVCardTest, ExportThenImportIntoAFreshDeviceGivesEqualContacts) {
    ASSERT_EQ(run(m_first.root(), {"seed", "40", "--seed", "3"}).status, 0);
    const StoreRun added =
        run(m_first.root(),
            {"add", "FirstName=Анна", "LastName=Pe;tro,va", "Spouse=Ivan", "MobilePhone=+7 916 1",
             "HomePhone2=22", "phone:Dacha=+7 1", "messenger:Chat=ICQ;123",
             "address:Cottage=Lane;Tver;;17;RU;54", "date:Met=2001-09-11", "Birthday=1980-02-15",
             "categories=Work;Семья", "notes=Line one"});
    ASSERT_EQ(added.status, 0) << added.err.toStdString();
    const QString file = m_files.filePath(QStringLiteral("all.vcf"));
    const StoreRun exported = run(m_first.root(), {"export", "--output", file});
    ASSERT_EQ(exported.status, 0) << exported.err.toStdString();

    const StoreRun imported = run(m_second.root(), {"import", file});
    ASSERT_EQ(imported.status, 0) << imported.err.toStdString();
    const QList<Oid> newOids = oidsOf(imported.out);
    ASSERT_EQ(newOids.size(), 41);

    // The same cards come out of the second device, contact for contact.
    QFile original(file);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    EXPECT_EQ(run(m_second.root(), {"export"}).out, original.readAll());

    const StoredContact before = readStored(m_first.root(), oidsOf(added.out).front());
    const StoredContact after = readStored(m_second.root(), newOids.back());
    for (int f = 0; f < kContactFieldCount; ++f) {
        EXPECT_EQ(before.record.fields[size_t(f)], after.record.fields[size_t(f)]) << f;
    }
    EXPECT_EQ(before.record.birthday, after.record.birthday);
    EXPECT_EQ(before.record.extended, after.record.extended);
    EXPECT_EQ(before.note, after.note);
    EXPECT_EQ(after.note, QStringLiteral("Line one"));
    EXPECT_EQ(before.categories, after.categories);
    // The index was kept in step with the new contacts.
    const StoreRun verified = run(m_second.root(), {"verify-index", "--all"});
    EXPECT_EQ(verified.status, 0) << verified.out.toStdString() << verified.err.toStdString();
}

TEST_F(KontavoStoreVCardTest, ExportsTheNamedContactsOnly) {
    const QList<Oid> oids = oidsOf(run(m_first.root(), {"add", "LastName=First"}).out +
                                   run(m_first.root(), {"add", "LastName=Second"}).out);
    ASSERT_EQ(oids.size(), 2);
    const StoreRun one = run(m_first.root(), {"export", QString::number(oids[1])});
    ASSERT_EQ(one.status, 0);
    EXPECT_EQ(one.out.count("BEGIN:VCARD"), 1);
    EXPECT_TRUE(one.out.contains("\r\nN:Second;;;;\r\n"));
}

TEST_F(KontavoStoreVCardTest, ACardThatCannotBeStoredIsReportedAndTheOthersImported) {
    // A value longer than a note paragraph can hold cannot be written.
    const QByteArray tooLong = "X-KONTAVO-PHONE;X-LABEL=Huge:" + QByteArray(70000, '7') + "\r\n";
    const QString file =
        writeFile("mixed.vcf",
                  "BEGIN:VCARD\r\nN:Good;One\r\nEND:VCARD\r\n"
                  "BEGIN:VCARD\r\nN:Bad\r\n" +
                      tooLong +
                      "END:VCARD\r\n"
                      "BEGIN:VCARD\r\nN:Good;Two\r\nCATEGORIES:Friends\r\nEND:VCARD\r\n");
    const StoreRun imported = run(m_first.root(), {"import", file});
    EXPECT_EQ(imported.status, 1);
    EXPECT_TRUE(imported.err.contains(QStringLiteral("card 2"))) << imported.err.toStdString();
    const QList<Oid> oids = oidsOf(imported.out);
    ASSERT_EQ(oids.size(), 2);
    EXPECT_EQ(readStored(m_first.root(), oids[1]).categories, QStringList({"Friends"}));
    EXPECT_EQ(QString::fromUtf8(run(m_first.root(), {"list"}).out).count(QLatin1Char('\n')), 2);
}

// A card's photo is stored as the contact's picture file and exported again
// as a JPEG; a second picture of the card is reported as not stored.
TEST_F(KontavoStoreVCardTest, APhotoIsStoredAndExportedAgain) {
    const QByteArray jpeg = test::encodeJpeg(test::TestImage::pattern(90, 120));
    const QString file = writeFile(
        "photo.vcf", "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lens;Lea;;;\r\nPHOTO;ENCODING=b;TYPE=JPEG:" +
                         jpeg.toBase64() + "\r\nLOGO;ENCODING=b;TYPE=JPEG:" + jpeg.toBase64() +
                         "\r\nEND:VCARD\r\n");
    const StoreRun imported = run(m_first.root(), {"import", file});
    ASSERT_EQ(imported.status, 0) << imported.err.toStdString();
    EXPECT_TRUE(imported.err.contains("1 pictures were not stored")) << imported.err.toStdString();
    const QList<Oid> oids = oidsOf(imported.out);
    ASSERT_EQ(oids.size(), 1);
    const StoredContact stored = readStored(m_first.root(), oids[0]);
    ASSERT_FALSE(stored.record.extended.image.isEmpty()) << "the picture file is named";

    const StoreRun exported = run(m_first.root(), {"export", QString::number(oids[0])});
    ASSERT_EQ(exported.status, 0) << exported.err.toStdString();
    EXPECT_TRUE(exported.out.contains("PHOTO;ENCODING=b;TYPE=JPEG:")) << exported.out.constData();
    EXPECT_FALSE(exported.out.contains("LOGO"));
}

TEST_F(KontavoStoreVCardTest, ReportsBadFilesAndArguments) {
    EXPECT_EQ(run(m_first.root(), {"import"}).status, 2);
    EXPECT_EQ(run(m_first.root(), {"import", "a.vcf", "b.vcf"}).status, 2);
    const StoreRun missing = run(m_first.root(), {"import", m_files.filePath("none.vcf")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("cannot read")));
    const StoreRun empty = run(m_first.root(), {"import", writeFile("e.vcf", "no cards here\n")});
    EXPECT_EQ(empty.status, 1);
    EXPECT_TRUE(empty.err.contains(QStringLiteral("no vCard")));
    EXPECT_EQ(run(m_first.root(), {"export", "twelve"}).status, 2);
    EXPECT_EQ(run(m_first.root(), {"export", "--output"}).status, 2);
    EXPECT_EQ(run(m_first.root(), {"export", "4242"}).status, 1);
    // A failed export leaves an existing output file as it was.
    ASSERT_EQ(run(m_first.root(), {"add", "LastName=Kept"}).status, 0);
    const QString kept = writeFile("kept.vcf", "old");
    EXPECT_EQ(run(m_first.root(), {"export", "4242", "--output", kept}).status, 1);
    const QString unwritable = m_files.filePath("missing-folder/out.vcf");
    EXPECT_EQ(run(m_first.root(), {"export", "--output", unwritable}).status, 1);
    QFile file(kept);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("old"));
}

}  // namespace
}  // namespace kontavo
