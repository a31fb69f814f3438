#include "store/pictures/contactpicturefiles.h"

#include <gtest/gtest.h>

#include <QFile>

#include "store/pictures/bmpcodec.h"
#include "store/record/contactfields.h"
#include "store/record/contactrecord.h"
#include "store/record/picturename.h"
#include "support/tempdevice.h"

namespace kontavo {
namespace {

// Four pixels a row: rows without padding bytes.
Picture picture(char shade, int width = 4) {
    return PictureBitmap::create(width, 2, QByteArray(PictureBitmap::rowSize(width) * 2, shade));
}

class ContactPictureFilesTest : public ::testing::Test {
protected:
    ContactRecord person(const QString& first, const QString& last) {
        ContactRecord record;
        record.oid = 77;
        record.setField(ContactField::FirstName, first);
        record.setField(ContactField::LastName, last);
        return record;
    }
    bool exists(const QString& name) { return m_device.fs().fileExists(picturePath(name)); }
    QByteArray bytes(const QString& name) {
        QFile file(m_device.host(picturePath(name)));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }

    test::TempDevice m_device;
    ContactPictureFiles m_files{m_device.fs()};
};

TEST_F(ContactPictureFilesTest, SavingWritesTheBmpPrivatelyAndLoadingReadsItBack) {
    ContactRecord record = person("Anna", "O'Neil");
    record.picture = picture('\x42');
    ASSERT_TRUE(m_files.save(record, true));
    EXPECT_EQ(record.extended.image, "Anna_O'Neil.bmp");
    EXPECT_EQ(bytes(record.extended.image), encodeBmp(*record.picture));
    const QFileInfo info(m_device.host(picturePath(record.extended.image)));
    EXPECT_EQ(info.permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteOther),
              QFile::Permissions());
    ContactRecord loaded = record;
    loaded.picture = nullptr;
    m_files.load(loaded);
    EXPECT_TRUE(samePicture(loaded.picture, record.picture));
}

TEST_F(ContactPictureFilesTest, ReplacingAPictureKeepsItsNameAndLeavesNoOldFile) {
    ContactRecord record = person("A", "B");
    record.picture = picture('\x01');
    ASSERT_TRUE(m_files.save(record, true));
    record.picture = picture('\x02');
    ASSERT_TRUE(m_files.save(record, false));
    EXPECT_EQ(record.extended.image, "A_B.bmp");
    EXPECT_EQ(bytes("A_B.bmp"), encodeBmp(*record.picture));
    // Renamed: the old file goes once the new one is written.
    record.setField(ContactField::FirstName, "C");
    ASSERT_TRUE(m_files.save(record, false));
    EXPECT_EQ(record.extended.image, "C_B.bmp");
    EXPECT_FALSE(exists("A_B.bmp"));
}

TEST_F(ContactPictureFilesTest, AFailedWriteKeepsTheOldPictureAndName) {
    ContactRecord record = person("A", "B");
    record.picture = picture('\x01');
    ASSERT_TRUE(m_files.save(record, true));
    // The contact is renamed to C B, and a folder stands where its file would go.
    record.setField(ContactField::FirstName, "C");
    ASSERT_TRUE(QDir().mkpath(m_device.host(picturePath("C_B.bmp"))));
    record.picture = picture('\x02');
    EXPECT_FALSE(m_files.save(record, false));
    EXPECT_EQ(record.extended.image, "A_B.bmp");
    EXPECT_EQ(bytes("A_B.bmp"), encodeBmp(*picture('\x01')));
}

TEST_F(ContactPictureFilesTest, ANewContactNeverDeletesTheFileItsCopiedNameNames) {
    ContactRecord original = person("A", "B");
    original.picture = picture('\x01');
    ASSERT_TRUE(m_files.save(original, true));
    ContactRecord copy = original;
    copy.oid = 78;
    ASSERT_TRUE(m_files.save(copy, true));
    EXPECT_EQ(copy.extended.image, "A_B78.bmp");
    EXPECT_TRUE(exists("A_B.bmp"));
    ContactRecord copyWithout = original;
    copyWithout.picture = nullptr;
    ASSERT_TRUE(m_files.save(copyWithout, true));
    EXPECT_TRUE(copyWithout.extended.image.isEmpty());
    EXPECT_TRUE(exists("A_B.bmp"));
}

TEST_F(ContactPictureFilesTest, ClearingDeletesADecodableFileButKeepsAnUnreadableOne) {
    ContactRecord record = person("A", "B");
    record.picture = picture('\x01');
    ASSERT_TRUE(m_files.save(record, true));
    record.picture = nullptr;
    ASSERT_TRUE(m_files.save(record, false));
    EXPECT_FALSE(exists("A_B.bmp"));
    EXPECT_TRUE(record.extended.image.isEmpty());

    m_device.writeFile(picturePath("Later.bmp"), "BM not yet readable");
    record.extended.image = "Later.bmp";
    ASSERT_TRUE(m_files.save(record, false));
    EXPECT_EQ(record.extended.image, "Later.bmp");
    EXPECT_TRUE(exists("Later.bmp"));
}

TEST_F(ContactPictureFilesTest, LoadingKeepsAnUndecodableNameAndAdoptsTheExpectedFile) {
    m_device.writeFile(picturePath("Broken.bmp"), "not a picture");
    ContactRecord broken = person("A", "B");
    broken.extended.image = "Broken.bmp";
    m_files.load(broken);
    EXPECT_EQ(broken.picture, nullptr);
    EXPECT_EQ(broken.extended.image, "Broken.bmp");

    m_device.writeFile(picturePath("A_B.bmp"), encodeBmp(*picture('\x05')));
    ContactRecord moved = person("A", "B");
    moved.extended.image = "Gone.bmp";
    m_files.load(moved);
    EXPECT_EQ(moved.extended.image, "A_B.bmp");
    EXPECT_NE(moved.picture, nullptr);

    ContactRecord lost = person("X", "Y");
    lost.extended.image = "Gone.bmp";
    m_files.load(lost);
    EXPECT_TRUE(lost.extended.image.isEmpty());
    EXPECT_EQ(lost.picture, nullptr);
}

}  // namespace
}  // namespace kontavo
