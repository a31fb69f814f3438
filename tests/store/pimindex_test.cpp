#include "store/index/pimindex.h"

#include <gtest/gtest.h>

#include "indextestsupport.h"
#include "store/settings/settingsvalues.h"

namespace kontavo {
namespace {

using test::IndexedDevice;
using Open = ContactIndex::OpenResult;

// A device indexed with a few hand-made contacts.
struct SmallIndex : IndexedDevice {
    SmallIndex() {
        anna = add("Anna", "Karenina", "+7 (495) 123-45-67", "Reads novels");
        boris = add("Boris", "Godunov", "+7 (812) 765-43-21", "Tsar, reads chronicles");
        clara = add("Clara", "Schumann", "", "Plays piano");
        EXPECT_EQ(start(), Open::Rebuild);
    }
    Oid add(const QString& first, const QString& last, const QString& phone, const QString& notes) {
        ContactRecord record;
        record.setField(ContactField::FirstName, first);
        record.setField(ContactField::LastName, last);
        record.setField(ContactField::HomePhone, phone);
        return db.add(record, notes);
    }
    Oid anna, boris, clara;
};

TEST(PimIndexTest, FindWordsMatchesEveryWordAsAPrefix) {
    SmallIndex d;
    EXPECT_EQ(d.index->findWords("reads"), (QList<Oid>{d.anna, d.boris}));
    EXPECT_EQ(d.index->findWords("  READS  b "), QList<Oid>{d.boris});
    EXPECT_EQ(d.index->findWords("god,ts"), QList<Oid>{d.boris});
    EXPECT_EQ(d.index->findWords("reads piano"), QList<Oid>());
    EXPECT_EQ(d.index->findWords("reads zzz"), QList<Oid>()) << "a word without matches";
    EXPECT_EQ(d.index->findWords("~765"), QList<Oid>{d.anna}) << "the digits key, last digit first";
    EXPECT_EQ(d.index->findWords("~76543215554"), QList<Oid>());
    EXPECT_EQ(d.index->findWords(" - "), (QList<Oid>{d.anna, d.boris, d.clara}))
        << "no word at all narrows nothing";
    EXPECT_EQ(d.index->findWords("reads", ContactIndex::Narrowing::List1), QList<Oid>());
}

TEST(PimIndexTest, FindGroupKeyFollowsTheLetterGroups) {
    SmallIndex d;
    // English groups: Anna -> a m m a, Karenina -> j a p d m g m a.
    EXPECT_EQ(d.index->findGroupKey("amm"), QList<Oid>{d.anna});
    EXPECT_EQ(d.index->findGroupKey("p"), (QList<Oid>{d.anna, d.boris, d.clara}));
    EXPECT_EQ(d.index->findGroupKey("gjm"), QList<Oid>());
    EXPECT_EQ(d.index->findGroupKey("aaaa"), QList<Oid>());
    d.device.settings().set(settings::kAbcCustom,
                            QByteArray(reinterpret_cast<const char*>(u"AN/AN BCK/BCK"), 26));
    d.device.settings().set(settings::kAbcType, 0);
    test::IndexProgressObserver observer;
    ASSERT_TRUE(d.index->rebuildWords(d.db, &observer));
    EXPECT_EQ(d.index->findGroupKey("aaaa"), QList<Oid>{d.anna});  // "anna": every letter in AN
    EXPECT_EQ(d.index->findGroupKey("b"), QList<Oid>()) << "no word lies wholly in the groups";
    EXPECT_EQ(d.index->findWords("karenina"), QList<Oid>{d.anna}) << "plain words stay";
}

TEST(PimIndexTest, WordsRebuildReportsZeroToTwenty) {
    IndexedDevice d;
    d.fill(37);
    d.start();
    test::IndexProgressObserver observer;
    ASSERT_TRUE(d.index->rebuildWords(d.db, &observer));
    ASSERT_GE(observer.progress.size(), 3);
    EXPECT_EQ(observer.progress.front(), 0);
    EXPECT_EQ(observer.progress.back(), 20);
    EXPECT_EQ(observer.progress[observer.progress.size() - 2], 18);
    EXPECT_TRUE(std::is_sorted(observer.progress.begin(), observer.progress.end()));
    EXPECT_EQ(observer.progress.size(), 20) << "0, each of 1..18, 20";
    EXPECT_TRUE(d.device.settings().getFileFlag("pim_index1.dat"));
    EXPECT_EQ(d.differences(), QString());
}

TEST(PimIndexTest, RebuildShowsItsProgressAndGivesUpOnAFailedRead) {
    IndexedDevice d;
    d.fill(250);
    test::RecordingProgress progress;
    ASSERT_TRUE(d.index->rebuild(d.db, &progress, false));
    EXPECT_EQ(progress.texts, QStringList{"Reindex database"});
    EXPECT_EQ(progress.high, 100);
    EXPECT_EQ(progress.steps, 100);
    EXPECT_EQ(progress.closed, 1);
    d.db.failReadsAfter = 120;
    test::RecordingProgress failing;
    EXPECT_FALSE(d.index->rebuild(d.db, &failing, false));
    EXPECT_EQ(failing.closed, 1);
    EXPECT_FALSE(d.index->insert(d.db.indexed(d.db.contacts().begin()->first), 1));
}

// The index a rebuild replaces is dropped unwritten: when the rebuild then
// fails, the files left behind must not pass for current.
TEST(PimIndexTest, AFailedRebuildLeavesNoFilesThatPassForCurrent) {
    SmallIndex d;
    d.restart();
    ASSERT_EQ(d.index->open(d.db.info()), Open::Current);
    const Oid added = d.db.add(test::sampleContact(2), "");
    ASSERT_TRUE(d.index->insert(d.db.indexed(added), d.db.time()));
    d.db.failReadsAfter = 1;
    EXPECT_FALSE(d.index->rebuild(d.db, nullptr, false));
    d.restart();
    EXPECT_NE(d.index->open(d.db.info()), Open::Current);
    d.db.failReadsAfter = -1;
    ASSERT_TRUE(d.index->rebuild(d.db, nullptr, false));
    d.restart();
    EXPECT_EQ(d.index->open(d.db.info()), Open::Current);
    EXPECT_EQ(d.differences(), QString());
}

TEST(PimIndexTest, StoredPropertiesComeBackAsGiven) {
    SmallIndex d;
    const Oid oid = d.db.add(test::sampleContact(5), "x");
    d.db.change(oid, [](IndexedContact& c) { c.record.extended.image = "Anna_K.bmp"; });
    ASSERT_TRUE(d.index->insert(d.db.indexed(oid), d.db.time()));
    ExtendedProperties read;
    ASSERT_TRUE(d.index->readExtended(oid, read));
    EXPECT_EQ(read, d.db.indexed(oid).record.extended);
    EXPECT_EQ(d.index->pictureName(oid), QStringLiteral("Anna_K.bmp"));
    EXPECT_EQ(d.index->storedChecksum(oid), d.db.checksumOf(oid));
    EXPECT_FALSE(d.index->readExtended(99999, read));
    EXPECT_EQ(d.index->storedChecksum(99999), std::nullopt);
}

TEST(PimIndexTest, InsertingTwiceOrRemovingWhatIsNotThereKeepsOneEntry) {
    SmallIndex d;
    ASSERT_TRUE(d.index->insert(d.db.indexed(d.anna), d.db.time()));
    EXPECT_EQ(d.index->allOids(), (QList<Oid>{d.anna, d.boris, d.clara}));
    EXPECT_TRUE(d.index->remove(424242, d.db.time()));
    d.db.erase(d.clara);
    ASSERT_TRUE(d.index->remove(d.clara, d.db.time()));
    EXPECT_EQ(d.differences(), QString());
    EXPECT_EQ(d.index->findWords("piano"), QList<Oid>());
}

TEST(PimIndexTest, EachChangeRecordsTheDatabaseTime) {
    SmallIndex d;
    const Oid added = d.db.add(test::sampleContact(1), "");
    ASSERT_TRUE(d.index->insert(d.db.indexed(added), d.db.time()));
    d.restart();
    EXPECT_EQ(d.index->open(d.db.info()), Open::Current);
    d.db.erase(added);
    ASSERT_TRUE(d.index->remove(added, d.db.time()));
    d.restart();
    EXPECT_EQ(d.index->open(d.db.info()), Open::Current);
}

TEST(PimIndexTest, ChangesWaitForTheWriteBackUntilFlushedOrClosed) {
    SmallIndex d;
    d.index->startFlush();
    EXPECT_FALSE(d.index->hasPendingFlush());
    ASSERT_TRUE(d.index->remove(d.clara, d.db.time()));
    EXPECT_TRUE(d.index->hasPendingFlush());
    d.index->stopFlush();
    d.index->startFlush();
    EXPECT_FALSE(d.index->hasPendingFlush());
}

}  // namespace
}  // namespace kontavo
