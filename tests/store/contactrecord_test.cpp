#include "store/contactrecord.h"

#include <gtest/gtest.h>

#include "store/itemkey.h"

namespace kontavo {
namespace {

using F = ContactField;

ContactRecord named(const QString& first, const QString& middle, const QString& last,
                    const QString& company = QString()) {
    ContactRecord record;
    record.setField(F::FirstName, first);
    record.setField(F::MiddleName, middle);
    record.setField(F::LastName, last);
    record.setField(F::Company, company);
    return record;
}

TEST(ContactRecordTest, NameLinesFollowTheFallbackChain) {
    struct Row {
        const char* scenario;
        ContactRecord record;
        QString first;
        QString second;
    };
    ContactRecord titleOnly;
    titleOnly.setField(F::Title, "Dr.");
    titleOnly.setField(F::Suffix, "Jr.");
    ContactRecord suffixOnly;
    suffixOnly.setField(F::Suffix, "Jr.");
    const Row rows[] = {
        {"full name", named("Ann", "B", "Smith", "Acme"), "Smith, Ann B", "Acme"},
        {"last and middle", named("", "B", "Smith"), "Smith B", ""},
        {"first and middle", named("Ann", "B", "", "Acme"), "Ann B", "Acme"},
        {"middle only", named("", "B", ""), "B", ""},
        {"company only", named("", "", "", "Acme"), "Acme", ""},
        {"title wins over suffix", titleOnly, "Dr.", ""},
        {"suffix", suffixOnly, "Jr.", ""},
        {"nothing", ContactRecord(), "", ""},
    };
    for (const Row& row : rows) {
        const NameLines lines = row.record.nameLines();
        EXPECT_EQ(lines.first, row.first) << row.scenario;
        EXPECT_EQ(lines.second, row.second) << row.scenario;
    }
}

TEST(ContactRecordTest, ShortDisplayNameUsesTheFallbackOnlyWithoutNames) {
    EXPECT_EQ(ContactRecord::shortDisplayName("Smith", "Ann", "Dr."), QStringLiteral("Smith, Ann"));
    EXPECT_EQ(ContactRecord::shortDisplayName("Smith", "", "Dr."), QStringLiteral("Smith"));
    EXPECT_EQ(ContactRecord::shortDisplayName("", "Ann", "Dr."), QStringLiteral("Ann"));
    EXPECT_EQ(ContactRecord::shortDisplayName("", "", "Dr."), QStringLiteral("Dr."));
    EXPECT_EQ(ContactRecord::shortDisplayName("", "", ""), QStringLiteral(""));
}

TEST(ContactRecordTest, NewAndClearedRecordsDifferInTheirCategoryMask) {
    ContactRecord fresh;
    EXPECT_EQ(fresh.categoryMask, QByteArray(1, '\0'));
    EXPECT_TRUE(fresh.isEmpty());

    ContactRecord record = named("Ann", "", "Smith");
    record.oid = 7;
    record.birthday = 5;
    record.notesBlob = "x";
    record.extended.phones.append(LabeledValue{"Cell", "1"});
    record.picture = PictureBitmap::create(1, 1, QByteArray(4, 'p'));
    record.clear();
    EXPECT_EQ(record.oid, 0u);
    EXPECT_TRUE(record.categoryMask.isEmpty());
    EXPECT_FALSE(record.picture);
    EXPECT_TRUE(record.isEmpty());
}

TEST(ContactRecordTest, IsEmptyIgnoresOidButSeesEveryOtherPart) {
    ContactRecord record;
    record.oid = 42;
    EXPECT_TRUE(record.isEmpty());
    record.categoryMask = QByteArray(2, '\0');
    EXPECT_FALSE(record.isEmpty()) << "only a single zero byte counts as no categories";
    record.categoryMask.clear();
    record.extended.workAddressFormat = 3;
    EXPECT_FALSE(record.isEmpty());
    record.extended.workAddressFormat = 0;
    record.userNote = "n";
    EXPECT_FALSE(record.isEmpty());
    record.userNote.clear();
    record.setField(F::FileAs, "x");
    EXPECT_FALSE(record.isEmpty());
}

TEST(ContactRecordTest, CopySharesBlobsAndPicture) {
    ContactRecord record = named("Ann", "", "Smith");
    record.notesBlob = QByteArray(1000, 'n');
    record.picture = PictureBitmap::create(2, 2, QByteArray(16, 'p'));
    ContactRecord copy;
    copy.copy(record);
    EXPECT_TRUE(copy.equals(record));
    EXPECT_EQ(copy.picture.get(), record.picture.get());
    EXPECT_EQ(copy.notesBlob.constData(), record.notesBlob.constData());
}

TEST(ContactRecordTest, SameContentIgnoresNotesBlobImageAndChecksumOnly) {
    ContactRecord a = named("Ann", "", "Smith");
    a.extended.image = "Ann_Smith.bmp";
    a.extended.checksum = 1;
    a.notesBlob = "old";
    ContactRecord b = a;
    b.extended.image = "Ann_Smith_1.bmp";
    b.extended.checksum = 2;
    b.notesBlob = "new";
    EXPECT_TRUE(a.sameContent(b));
    EXPECT_FALSE(a.equals(b));

    b = a;
    b.userNote = "typed";
    EXPECT_FALSE(a.sameContent(b));
    b = a;
    b.extended.dates.append(ExtendedDate{"Met", 1});
    EXPECT_FALSE(a.sameContent(b));
    b = a;
    b.picture = PictureBitmap::create(1, 1, QByteArray(4, 'p'));
    EXPECT_FALSE(a.sameContent(b));
}

TEST(ContactRecordTest, PicturesCompareByContent) {
    ContactRecord a;
    ContactRecord b;
    a.picture = PictureBitmap::create(1, 2, QByteArray(8, 'p'));
    b.picture = PictureBitmap::create(1, 2, QByteArray(8, 'p'));
    EXPECT_TRUE(a.equals(b));
    b.picture = PictureBitmap::create(2, 1, QByteArray(8, 'p'));
    EXPECT_FALSE(a.equals(b));
    EXPECT_EQ(PictureBitmap::create(3, 1, QByteArray(9, 'p')), nullptr) << "rows pad to 4 bytes";
    EXPECT_NE(PictureBitmap::create(3, 1, QByteArray(12, 'p')), nullptr);
}

TEST(ContactRecordTest, PhoneListTakesItsOwnOrderThenExtendedPhones) {
    ContactRecord record;
    record.setField(F::HomeFax, "hf");
    record.setField(F::WorkPhone2, "w2");
    record.setField(F::CarPhone, "car");
    record.setField(F::WorkPhone, "w");
    record.setField(F::Pager, "pg");
    record.extended.phones = {{"Dacha", "d"}, {"Empty", ""}, {"Boat", "b"}};
    const QList<LabeledValue> expected = {{"Work", "w"},  {"Pager", "pg"},    {"Car", "car"},
                                          {"Work", "w2"}, {"Home fax", "hf"}, {"Dacha", "d"},
                                          {"Boat", "b"}};
    EXPECT_EQ(record.phoneList(), expected);
    EXPECT_EQ(record.allPhoneNumbers(), QStringList({"w", "pg", "car", "w2", "hf", "d", "b"}));
}

class PreferredItemTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_record.setField(F::MobilePhone, "m");
        m_record.setField(F::WorkPhone, "w");
        m_record.setField(F::Email1, "e");
    }
    uint32_t tag(ContactField f) const { return fieldInfo(f).tag(); }
    ContactRecord m_record;
};

TEST_F(PreferredItemTest, CandidatesAreStandardPhonesExtendedPhonesEmailsExtendedEmails) {
    m_record.extended.phones = {{"Dacha", "1"}, {"Blank", ""}};
    m_record.extended.emails = {{"Old", "o@x"}};
    const QList<uint32_t> expected = {0x3A08001F, 0x3A1C001F, itemKey(u"Dacha", u"1"), 0x4083001F,
                                      itemKey(u"Old", u"o@x")};
    EXPECT_EQ(m_record.preferredCandidates(), expected);
}

TEST_F(PreferredItemTest, StepsWrapAtBothEnds) {
    EXPECT_EQ(m_record.nextPreferredItem(1), tag(F::MobilePhone)) << "none set counts as the first";
    m_record.preferredItemTag = tag(F::Email1);
    EXPECT_EQ(m_record.nextPreferredItem(1), tag(F::WorkPhone));
    m_record.preferredItemTag = tag(F::WorkPhone);
    EXPECT_EQ(m_record.nextPreferredItem(-1), tag(F::Email1));
    m_record.preferredItemTag = tag(F::MobilePhone);
    EXPECT_EQ(m_record.nextPreferredItem(5), tag(F::WorkPhone)) << "past the end restarts at 0";
}

TEST_F(PreferredItemTest, FewerThanTwoCandidatesGiveNoResult) {
    ContactRecord single;
    single.setField(F::Pager, "p");
    single.extended.phones = {{"Blank", ""}};
    EXPECT_FALSE(single.nextPreferredItem(1).has_value());
}

TEST_F(PreferredItemTest, FindPreferredExtendedSearchesPhonesBeforeEmails) {
    m_record.extended.emails = {{"Same", "v"}};
    m_record.extended.phones = {{"Same", "v"}};
    m_record.preferredItemTag = itemKey(u"Same", u"v");
    const auto found = m_record.findPreferredExtended();
    ASSERT_TRUE(found);
    EXPECT_EQ(found->kind, ExtendedItemKind::Phone);

    m_record.extended.phones.clear();
    EXPECT_EQ(m_record.findPreferredExtended()->kind, ExtendedItemKind::Email);
    m_record.extended.emails = {{"Same", "changed"}};
    EXPECT_FALSE(m_record.findPreferredExtended().has_value());
}

}  // namespace
}  // namespace kontavo
