#include "store/contacts/contactprops.h"

#include <gtest/gtest.h>

#include <QSet>

#include "platform/sqliteobjectstore.h"
#include "store/record/contactfields.h"
#include "support/tempdevice.h"

namespace kontavo {
namespace {

using F = ContactField;

PropTag tagOf(F field) {
    return fieldInfo(field).tag();
}

const PropValue* find(const PropList& props, PropTag tag) {
    for (const PropValue& value : props) {
        if (value.tag() == tag) {
            return &value;
        }
    }
    return nullptr;
}

ContactRecord sparseRecord() {
    ContactRecord record;
    record.oid = 77;
    record.setField(F::FirstName, "Anna");
    record.setField(F::LastName, "Petrova");
    record.notesBlob = QByteArray("\xFE\xFFh\0i\0", 6);
    return record;
}

TEST(ContactPropsTest, CreateWritesOnlyWhatHoldsSomething) {
    ContactRecord record = sparseRecord();
    record.categoryMask.clear();
    const PropList props = contactWriteProps(record, ContactWrite::Create, true);
    EXPECT_EQ(props.size(), 3);
    EXPECT_EQ(find(props, tagOf(F::MiddleName)), nullptr);
    EXPECT_EQ(find(props, kTagCategoryMask), nullptr);
    EXPECT_EQ(find(props, kTagBirthday), nullptr);
    EXPECT_EQ(find(props, kTagPreferredItem), nullptr);
    ASSERT_NE(find(props, kTagNotes), nullptr);
    for (const PropValue& value : props) {
        EXPECT_FALSE(value.isDeletion()) << value.tag();
    }
}

TEST(ContactPropsTest, CreateWritesTheOneByteMaskOfANewRecord) {
    const PropList props = contactWriteProps(sparseRecord(), ContactWrite::Create, false);
    ASSERT_NE(find(props, kTagCategoryMask), nullptr);
    EXPECT_EQ(find(props, kTagCategoryMask)->toBlob(), QByteArray(1, '\0'));
    // Notes that were not rebuilt are not written at all.
    EXPECT_EQ(find(props, kTagNotes), nullptr);
}

TEST(ContactPropsTest, UpdateWritesEveryFieldAndDeletesTheEmptyOnes) {
    ContactRecord record = sparseRecord();
    record.notesBlob.clear();
    record.categoryMask.clear();
    const PropList props = contactWriteProps(record, ContactWrite::Update, true);
    // 43 strings, notes, mask, two dates and the preferred item.
    EXPECT_EQ(props.size(), 48);
    ASSERT_NE(find(props, tagOf(F::MiddleName)), nullptr);
    EXPECT_TRUE(find(props, tagOf(F::MiddleName))->isDeletion());
    EXPECT_FALSE(find(props, tagOf(F::FirstName))->isDeletion());
    for (PropTag tag :
         {kTagNotes, kTagCategoryMask, kTagBirthday, kTagAnniversary, kTagPreferredItem}) {
        ASSERT_NE(find(props, tag), nullptr) << tag;
        EXPECT_TRUE(find(props, tag)->isDeletion()) << tag;
    }
    // The strings come first, in the order of the field table.
    for (int i = 0; i < kContactFieldCount; ++i) {
        EXPECT_EQ(props[i].tag(), contactFieldTable()[size_t(i)].tag());
    }
}

TEST(ContactPropsTest, UpdateKeepsNotesThatWereNotRebuilt) {
    const PropList props = contactWriteProps(sparseRecord(), ContactWrite::Update, false);
    EXPECT_EQ(find(props, kTagNotes), nullptr);
}

TEST(ContactPropsTest, ReadDispatchesByIdAndType) {
    DbRecord read;
    read.oid = 1234;
    read.props = {PropValue::string(tagOf(F::Company), "Tarnwel"),
                  PropValue::fileTime(kTagBirthday, 111), PropValue::fileTime(kTagAnniversary, 222),
                  PropValue::int32(kTagPreferredItem, int32_t(0xF0001234)),
                  PropValue::blob(kTagCategoryMask, QByteArray("\x05", 1)),
                  PropValue::blob(kTagNotes, "notes"),
                  // An id of a contact field with another type, an unknown id
                  // and a property the record lacks are all skipped.
                  PropValue::int32(makePropTag(0x3A06, proptype::kInt32), 5),
                  PropValue::string(0x7FFF001F, "stray"), PropValue::notFound(tagOf(F::LastName))};
    ContactRecord record;
    record.setField(F::LastName, "kept");
    EXPECT_EQ(applyContactProps(read, record), 1234u);
    EXPECT_EQ(record.oid, 1234u);
    EXPECT_EQ(record.field(F::Company), "Tarnwel");
    EXPECT_EQ(record.field(F::FirstName), "");
    EXPECT_EQ(record.field(F::LastName), "kept");
    EXPECT_EQ(record.birthday, 111u);
    EXPECT_EQ(record.anniversary, 222u);
    EXPECT_EQ(record.preferredItemTag, 0xF0001234u);
    EXPECT_EQ(record.categoryMask, QByteArray("\x05", 1));
    EXPECT_EQ(record.notesBlob, "notes");
}

TEST(ContactPropsTest, TagListsHoldEverythingButTheNotes) {
    const QList<PropTag>& tags = contactTagsWithoutNotes();
    EXPECT_EQ(tags.size(), 47);
    EXPECT_EQ(QSet<PropTag>(tags.begin(), tags.end()).size(), 47);
    EXPECT_FALSE(tags.contains(kTagNotes));
    EXPECT_TRUE(tags.contains(kTagCategoryMask));
    EXPECT_EQ(listEntryTags(), (QList<PropTag>{0x3A11001F, 0x3A06001F, 0x3A16001F, 0x4023001F,
                                               0x3A08001F, 0x4007001F, 0x00160041}));
}

// Writing and reading through the object store: a cleared field is gone
// after an update, and every value survives.
TEST(ContactPropsTest, UpdateThroughTheStoreRemovesClearedProperties) {
    test::TempDevice device;
    SqliteObjectStore store(SqliteObjectStore::fileInRoot(device.root()));
    DbOpenOptions options;
    options.createIfMissing = true;
    auto db = store.open("Contacts Database", options);
    ASSERT_NE(db, nullptr);
    ContactRecord record = sparseRecord();
    record.setField(F::MiddleName, "Ivanovna");
    record.birthday = 0x01C0000000000000ull;
    record.preferredItemTag = tagOf(F::MobilePhone);
    const Oid oid = db->write(0, contactWriteProps(record, ContactWrite::Create, true));
    ASSERT_NE(oid, 0u);
    record.oid = oid;
    record.setField(F::MiddleName, "");
    record.birthday = 0;
    record.preferredItemTag = 0;
    ASSERT_NE(db->write(oid, contactWriteProps(record, ContactWrite::Update, true)), 0u);
    ASSERT_TRUE(db->seekOid(oid));
    const auto read = db->readAll();
    ASSERT_TRUE(read);
    for (const PropValue& value : read->props) {
        EXPECT_NE(value.tag(), tagOf(F::MiddleName));
        EXPECT_NE(value.tag(), kTagBirthday);
        EXPECT_NE(value.tag(), kTagPreferredItem);
    }
    ContactRecord back;
    applyContactProps(*read, back);
    EXPECT_TRUE(back.equals(record));
}

}  // namespace
}  // namespace kontavo
