// Thousands of random changes through the index against a plain model: the
// database itself, searched by brute force over each contact's words.
#include <gtest/gtest.h>

#include <random>

#include "indextestsupport.h"
#include "store/index/contactwords.h"
#include "store/settings/settingsvalues.h"

namespace kontavo {
namespace {

using test::FakeContactReader;
using test::IndexedDevice;

class Model {
public:
    Model(const IndexedDevice& device, const LetterGroupSet& groups) {
        for (const auto& [oid, contact] : device.db.contacts()) {
            const SearchWords words = contactWords(contact, &groups, device.locale);
            m_words[oid] = {words.plainWords(), words.groupWords()};
        }
    }

    QList<Oid> find(const QStringList& prefixes, int tree) const {
        QList<Oid> found;
        for (const auto& [oid, words] : m_words) {
            const bool all = std::all_of(prefixes.begin(), prefixes.end(), [&](const QString& p) {
                return std::any_of(words[tree].begin(), words[tree].end(),
                                   [&](const QString& w) { return w.startsWith(p); });
            });
            if (all) {
                found.append(oid);
            }
        }
        return found;
    }

private:
    std::map<Oid, std::array<QStringList, 2>> m_words;
};

class RandomContacts {
public:
    explicit RandomContacts(uint32_t seed) : m_random(seed) {}

    QString word() {
        static const QString letters = QStringLiteral("abkmo\u0434\u0436");
        QString text;
        for (int n = 1 + int(m_random() % 5); n > 0; --n) {
            text.append(letters[int(m_random() % letters.size())]);
        }
        return text;
    }
    QString digits() { return QString::number(m_random() % 100000); }

    void fill(IndexedContact& c) {
        c.record.setField(ContactField::FirstName, chance(90) ? word() : QString());
        c.record.setField(ContactField::LastName, chance(80) ? word() + "-" + word() : QString());
        c.record.setField(ContactField::Company, chance(30) ? word() : QString());
        c.record.setField(ContactField::MobilePhone, chance(60) ? "+7 " + digits() : QString());
        c.record.extended.emails.clear();
        if (chance(20)) {
            c.record.extended.emails = {{"x", word() + "@" + word() + ".ru"}};
        }
        c.notesText = chance(50) ? word() + " " + word() + ", " + word() : QString();
    }
    bool chance(int percent) { return int(m_random() % 100) < percent; }
    uint32_t next(uint32_t below) { return m_random() % below; }

private:
    std::mt19937 m_random;
};

struct ModelRun {
    ModelRun() : contacts(99) { device.db.failReadsAfter = -1; }

    Oid anyOid() {
        auto it = device.db.contacts().begin();
        std::advance(it, contacts.next(uint32_t(device.db.contacts().size())));
        return it->first;
    }
    void step();
    void compare();
    QString query(int words);

    IndexedDevice device;
    RandomContacts contacts;
};

void ModelRun::step() {
    PimIndex& index = *device.index;
    FakeContactReader& db = device.db;
    const uint32_t choice = contacts.next(1000);
    if (choice < 380 || db.contacts().size() < 5) {
        IndexedContact contact;
        contacts.fill(contact);
        const Oid oid = db.add(contact.record, contact.notesText);
        ASSERT_TRUE(index.insert(db.indexed(oid), db.time()));
    } else if (choice < 700) {
        const Oid oid = anyOid();
        db.change(oid, [&](IndexedContact& c) { contacts.fill(c); });
        ASSERT_TRUE(index.update(db.indexed(oid), db.time()));
    } else if (choice < 990) {
        const Oid oid = anyOid();
        db.erase(oid);
        ASSERT_TRUE(index.remove(oid, db.time()));
    } else if (choice < 994) {
        ASSERT_TRUE(index.rebuild(db, nullptr, false));
    } else if (choice < 997) {
        device.restart();
        ASSERT_EQ(device.start(), ContactIndex::OpenResult::Current);
    } else {
        const int type = 1 + int(contacts.next(4));
        device.device.settings().set(settings::kAbcType, type);
        ASSERT_TRUE(index.rebuildWords(db, nullptr));
    }
}

QString ModelRun::query(int words) {
    QStringList parts;
    for (int i = 0; i < words; ++i) {
        parts.append(contacts.word().left(1 + int(contacts.next(4))));
    }
    // Case, blanks and separators around the words change nothing.
    return "  " + parts.join(contacts.chance(50) ? " " : "-").toUpper() + " ";
}

void ModelRun::compare() {
    PimIndex& index = *device.index;
    const Model model(device, index.letterGroups());
    for (int i = 0; i < 12; ++i) {
        const QString text = query(1 + int(contacts.next(2)));
        ASSERT_EQ(index.findWords(text), model.find(splitWords(text), 0)) << text.toStdString();
    }
    const QStringList& table = index.letterGroups().groupTable();
    for (int i = 0; i < 8; ++i) {
        QString key;
        for (int n = 1 + int(contacts.next(3)); n > 0; --n) {
            key.append(table[int(contacts.next(uint32_t(table.size())))].front());
        }
        ASSERT_EQ(index.findGroupKey(key), model.find({key}, 1)) << key.toStdString();
    }
    ASSERT_EQ(device.differences(), QString());
}

TEST(PimIndexModelTest, RandomChangesKeepLookupsEqualToTheModel) {
    ModelRun run;
    run.device.fill(20);
    ASSERT_EQ(run.device.start(), ContactIndex::OpenResult::Rebuild);
    for (int i = 0; i < 3000; ++i) {
        ASSERT_NO_FATAL_FAILURE(run.step()) << "step " << i;
        if (i % 50 == 0) {
            ASSERT_NO_FATAL_FAILURE(run.compare()) << "step " << i;
        }
    }
    ASSERT_NO_FATAL_FAILURE(run.compare());
}

}  // namespace
}  // namespace kontavo
