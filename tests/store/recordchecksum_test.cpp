#include "store/contacts/recordchecksum.h"

#include <gtest/gtest.h>

#include "platform/sqliteobjectstore.h"
#include "store/contacts/contactprops.h"
#include "store/record/contactfields.h"
#include "support/tempdevice.h"

namespace kontavo {
namespace {

TEST(RecordChecksumTest, StringsAddUpInPairsOfUnits) {
    EXPECT_EQ(stringChecksum(u""), 0u);
    EXPECT_EQ(stringChecksum(u"a"), 0x61u);
    EXPECT_EQ(stringChecksum(u"ab"), 0x00620061u);
    EXPECT_EQ(stringChecksum(u"abc"), 0x00620061u + 0x63u);
    // Sums wrap at 32 bits.
    EXPECT_EQ(stringChecksum(u"\xFFFF\xFFFF\xFFFF\xFFFF"), 0xFFFFFFFEu);
}

TEST(RecordChecksumTest, NotesAddTheirLengthAndLittleEndianPairs) {
    EXPECT_EQ(notesChecksum(QByteArray()), 0u);
    EXPECT_EQ(notesChecksum(QByteArray("\x01\x02", 2)), 2u + 0x0201u);
    EXPECT_EQ(notesChecksum(QByteArray("\x01\x02\xFF", 3)), 3u + 0x0201u + 0xFFu);
}

TEST(RecordChecksumTest, RecordSumCoversOidItemDatesStringsAndNotes) {
    ContactRecord record;
    record.oid = 10;
    record.preferredItemTag = 0x3A1C001F;
    record.birthday = 0x0000000200000001ull;
    record.anniversary = 0x0000000400000003ull;
    record.setField(ContactField::FirstName, "ab");
    record.notesBlob = QByteArray("\x01\x02", 2);
    // The category mask takes no part.
    record.categoryMask = QByteArray("\xFF", 1);
    EXPECT_EQ(recordChecksum(record), 10u + 0x3A1C001Fu + 3u + 7u + 0x00620061u + 2u + 0x0201u);
}

// The same record, summed from the record and from its stored properties.
TEST(RecordChecksumTest, BothFormsAgreeForAStoredRecord) {
    test::TempDevice device;
    SqliteObjectStore store(SqliteObjectStore::fileInRoot(device.root()));
    DbOpenOptions options;
    options.createIfMissing = true;
    auto db = store.open("Contacts Database", options);
    ASSERT_NE(db, nullptr);
    ContactRecord record;
    int i = 0;
    for (const ContactFieldInfo& info : contactFieldTable()) {
        record.setField(info.field, QString(i % 7 + 1, QChar(0x0410 + i + 1)));
        ++i;
    }
    record.birthday = 0x01C2345678901234ull;
    record.anniversary = 0x01D0000000000001ull;
    record.preferredItemTag = 0xFFFF8001;
    record.categoryMask = QByteArray("\x03\0\0\0", 4);
    record.notesBlob = QByteArray("odd-length notes!");
    record.oid = db->write(0, contactWriteProps(record, ContactWrite::Create, true));
    ASSERT_NE(record.oid, 0u);
    ASSERT_TRUE(db->seekOid(record.oid));
    const auto read = db->readAll();
    ASSERT_TRUE(read);
    EXPECT_EQ(rawRecordChecksum(*read), recordChecksum(record));

    // A string property of another program counts in the raw sum only; an
    // integer of another id does not count at all.
    DbRecord foreign = *read;
    foreign.props.append(PropValue::int16(0x7001'0002, 99));
    EXPECT_EQ(rawRecordChecksum(foreign), recordChecksum(record));
    foreign.props.append(PropValue::string(0x7002'001F, "x"));
    EXPECT_EQ(rawRecordChecksum(foreign), recordChecksum(record) + 'x');
}

}  // namespace
}  // namespace kontavo
