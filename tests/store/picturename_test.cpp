#include "store/picturename.h"

#include <gtest/gtest.h>

#include "store/contactrecord.h"
#include "support/tempdevice.h"

namespace kontavo {
namespace {

using F = ContactField;

class PictureNameTest : public ::testing::Test {
protected:
    ContactRecord contact(const QString& first, const QString& middle, const QString& last,
                          const QString& title = QString(), Oid oid = 0) {
        ContactRecord record;
        record.setField(F::FirstName, first);
        record.setField(F::MiddleName, middle);
        record.setField(F::LastName, last);
        record.setField(F::Title, title);
        record.oid = oid;
        return record;
    }
    void touch(const QString& name) { m_device.writeFile(picturePath(name), "BM"); }
    QString name(const ContactRecord& record, bool unique) {
        return pictureFileName(record, m_device.fs(), unique);
    }

    test::TempDevice m_device;
};

TEST_F(PictureNameTest, NamePartsJoinWithUnderscores) {
    EXPECT_EQ(name(contact("A", "", "B"), false), QStringLiteral("A_B.bmp"));
    EXPECT_EQ(name(contact("Anna", "Maria", "Berg"), true), QStringLiteral("Anna_Maria_Berg.bmp"));
    EXPECT_EQ(name(contact("", "", "", "", 1234), false), QStringLiteral("1234.bmp"));
    EXPECT_EQ(name(contact("", "", "", "Dr.", 1234), false), QStringLiteral("Dr_.bmp"));
}

TEST_F(PictureNameTest, UnsafeCharactersBecomeUnderscores) {
    EXPECT_EQ(sanitizePictureNamePart(QString("a/b.c\\d:e*f?g\"h<i>j|k") + QChar(0x1F)),
              QStringLiteral("a_b_c_d_e_f_g_h_i_j_k_"));
    EXPECT_EQ(name(contact("..", "", "x/y"), true), QStringLiteral("___x_y.bmp"));
    EXPECT_EQ(sanitizePictureNamePart(QStringLiteral("Фёдор")), QStringLiteral("Фёдор"))
        << "letters stay";
}

TEST_F(PictureNameTest, TheFolderIsCreatedWhenMissing) {
    ASSERT_FALSE(m_device.fs().folderExists(pictureFolder()));
    name(contact("A", "", "B"), false);
    EXPECT_TRUE(m_device.fs().folderExists(QStringLiteral("\\Kontavo Files")));
}

TEST_F(PictureNameTest, ClashesAppendTitleOrOidThenACounter) {
    touch("A_B.bmp");
    EXPECT_EQ(name(contact("A", "", "B"), false), QStringLiteral("A_B.bmp"))
        << "without uniqueness an existing file is the answer";
    EXPECT_EQ(name(contact("A", "", "B", "Dr", 9), true), QStringLiteral("A_BDr.bmp"));
    EXPECT_EQ(name(contact("A", "", "B", "", 9), true), QStringLiteral("A_B9.bmp"));
    touch("a_b9.BMP");  // names match without regard to case, as on the handheld
    EXPECT_EQ(name(contact("A", "", "B", "", 9), true), QStringLiteral("A_B9_1.bmp"));
    touch("A_B9_1.bmp");
    touch("A_B9_2.bmp");
    EXPECT_EQ(name(contact("A", "", "B", "", 9), true), QStringLiteral("A_B9_3.bmp"));
}

TEST_F(PictureNameTest, ANamelessContactCountsUpFromItsOid) {
    touch("77.bmp");
    EXPECT_EQ(name(contact("", "", "", "", 77), true), QStringLiteral("77_1.bmp"));
}

}  // namespace
}  // namespace kontavo
