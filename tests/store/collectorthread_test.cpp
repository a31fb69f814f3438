// Contacts collected on the collector's own thread against the same contacts
// collected directly.
#include "store/index/collectorthread.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/locale.h"
#include "store/index/indexcollector.h"
#include "store/index/lettergroupset.h"

namespace kontavo {
namespace {

const Locale& english() {
    static const Locale locale(QLocale(QLocale::English, QLocale::UnitedStates));
    return locale;
}

// Contacts in a random Oid order, a few of them repeated and one without an
// Oid, so that what the collector keeps depends on the order it is fed.
std::vector<IndexedContact> randomContacts(int count) {
    std::mt19937 random(7);
    std::vector<IndexedContact> contacts;
    for (int i = 0; i < count; ++i) {
        IndexedContact contact;
        contact.record.oid = i == 17 ? 0 : 1 + uint32_t(random() % uint32_t(count * 2));
        contact.record.setField(ContactField::FirstName,
                                QStringLiteral("Name%1").arg(random() % 50));
        contact.record.setField(ContactField::Company, QStringLiteral("Firm %1").arg(i));
        contact.record.extended.emails = {
            {QStringLiteral("Private"), QStringLiteral("n%1@mail.example").arg(i)}};
        contact.notesText = QStringLiteral("note %1").arg(i % 7);
        contacts.push_back(contact);
    }
    return contacts;
}

void expectSame(const IndexCollector& a, const IndexCollector& b) {
    ASSERT_EQ(a.count(), b.count());
    ASSERT_EQ(a.oids(), b.oids());
    for (uint32_t rank = 0; rank < a.oids().size(); ++rank) {
        EXPECT_EQ(a.record(rank).toByteArray(), b.record(rank).toByteArray()) << "rank " << rank;
    }
    for (int tree = 0; tree < 2; ++tree) {
        const WordPostings& x = a.words(tree);
        const WordPostings& y = b.words(tree);
        ASSERT_EQ(x.wordCount(), y.wordCount()) << "tree " << tree;
        for (size_t i = 0; i < x.wordCount(); ++i) {
            EXPECT_EQ(x.word(i), y.word(i));
            EXPECT_TRUE(std::ranges::equal(x.ranks(i), y.ranks(i))) << "word " << i;
        }
    }
}

TEST(CollectorThreadTest, CollectsWhatTheCollectorTakesDirectlyInTheSameOrder) {
    const LetterGroupSet groups = *LetterGroupSet::loadResourceSet(198);
    // Many batches, a last one only partly filled, and a single contact.
    for (const int count : {2000, 1, 0}) {
        const std::vector<IndexedContact> contacts = randomContacts(count);
        IndexCollector direct(&groups, english());
        for (const IndexedContact& contact : contacts) {
            direct.add(contact);
        }
        direct.finish();

        IndexCollector threaded(&groups, english());
        {
            CollectorThread collecting(threaded);
            for (IndexedContact contact : contacts) {
                collecting.add(std::move(contact));
            }
            collecting.end();
            EXPECT_EQ(threaded.count(), direct.count()) << "every contact taken by end()";
        }
        threaded.finish();
        expectSame(direct, threaded);
    }
}

TEST(CollectorThreadTest, LeavingWithoutEndStillHandsEverythingOver) {
    const std::vector<IndexedContact> contacts = randomContacts(700);
    IndexCollector direct(nullptr, english(), false);
    IndexCollector threaded(nullptr, english(), false);
    {
        CollectorThread collecting(threaded);
        for (IndexedContact contact : contacts) {
            direct.add(contact);
            collecting.add(std::move(contact));
        }
    }
    direct.finish();
    threaded.finish();
    expectSame(direct, threaded);
}

}  // namespace
}  // namespace kontavo
