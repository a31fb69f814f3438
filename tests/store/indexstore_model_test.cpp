#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <algorithm>
#include <map>
#include <random>
#include <set>

#include "store/index/buffermemory.h"
#include "store/index/indexstore.h"

namespace kontavo {
namespace {

using Tree = IndexStore::Tree;

// The index as a plain map: word -> contacts, per tree.
struct Model {
    std::map<QString, std::set<Oid>> words[2];

    void insert(int tree, const QString& word, Oid oid) { words[tree][word].insert(oid); }
    void remove(Oid oid) {
        for (auto& tree : words) {
            for (auto it = tree.begin(); it != tree.end();) {
                it->second.erase(oid);
                it = it->second.empty() ? tree.erase(it) : std::next(it);
            }
        }
    }
    std::vector<Oid> find(int tree, const QString& prefix) const {
        std::set<Oid> found;
        for (auto it = words[tree].lower_bound(prefix);
             it != words[tree].end() && it->first.startsWith(prefix); ++it) {
            found.insert(it->second.begin(), it->second.end());
        }
        return {found.begin(), found.end()};
    }
};

QString randomWord(std::mt19937& random) {
    // A small alphabet (with a Cyrillic letter and a tilde) so words share
    // prefixes and tails are split and merged often.
    static const QString alphabet = QStringLiteral("abcde~\u0434");
    const int length = 1 + int(random() % 6);
    QString word;
    for (int i = 0; i < length; ++i) {
        word.append(alphabet[int(random() % alphabet.size())]);
    }
    return word;
}

void expectSameLookups(const IndexStore& store, const Model& model, std::mt19937& random) {
    static const QStringList shortPrefixes{"a", "b", "d", "~", "aa", "ab", "ea", "\u0434a", "cd"};
    for (int tree = 0; tree < 2; ++tree) {
        for (const QString& prefix : shortPrefixes) {
            ASSERT_EQ(store.findPrefix(Tree(tree), prefix), model.find(tree, prefix))
                << prefix.toStdString();
        }
        for (int i = 0; i < 20; ++i) {
            const QString prefix = randomWord(random);
            ASSERT_EQ(store.findPrefix(Tree(tree), prefix), model.find(tree, prefix))
                << prefix.toStdString();
        }
        // Several prefixes, short (cached) and long ones mixed.
        for (int i = 0; i < 20; ++i) {
            QStringList prefixes;
            const int count = 2 + int(random() % 3);
            for (int k = 0; k < count; ++k) {
                const QString word = randomWord(random);
                prefixes.append(random() % 3 == 0 ? word.left(2)
                                                  : word.left(1 + int(random() % 4)));
            }
            std::vector<Oid> expected = model.find(tree, prefixes.front());
            for (const QString& prefix : prefixes) {
                std::vector<Oid> both;
                const std::vector<Oid> more = model.find(tree, prefix);
                std::set_intersection(expected.begin(), expected.end(), more.begin(), more.end(),
                                      std::back_inserter(both));
                expected.swap(both);
            }
            ASSERT_EQ(store.findAll(Tree(tree), prefixes), expected)
                << prefixes.join(' ').toStdString();
        }
    }
}

TEST(IndexStoreModelTest, RandomInsertsAndRemovalsMatchAPlainMap) {
    std::mt19937 random(20240607);
    BufferMemory memory(QByteArray(int(IndexStore::sizeFor(0)), '\0'), 32 << 20);
    IndexStore store(memory);
    ASSERT_TRUE(store.initialise());
    Model model;
    for (int round = 0; round < 60; ++round) {
        for (int step = 0; step < 120; ++step) {
            const Oid oid = 1 + random() % 150;
            if (random() % 10 == 0) {
                ASSERT_TRUE(store.removeContact(oid));
                model.remove(oid);
            } else {
                const int tree = int(random() % 2);
                const QString word = randomWord(random);
                ASSERT_TRUE(store.insertWord(Tree(tree), word, oid));
                model.insert(tree, word, oid);
            }
        }
        expectSameLookups(store, model, random);
        if (round % 10 == 9) {
            QString problem;
            ASSERT_TRUE(store.check(&problem)) << problem.toStdString();
        }
    }
    // Every word of the model is found whole, under the right contacts.
    for (int tree = 0; tree < 2; ++tree) {
        std::map<QString, std::set<Oid>> walked;
        store.forEachWord(Tree(tree), [&](const QString& word, const std::vector<Oid>& oids) {
            walked[word].insert(oids.begin(), oids.end());
        });
        EXPECT_EQ(walked, model.words[tree]);
    }
    // Emptying the store frees everything it took.
    for (Oid oid = 1; oid <= 150; ++oid) {
        store.removeContact(oid);
    }
    QString problem;
    EXPECT_TRUE(store.check(&problem)) << problem.toStdString();
    EXPECT_TRUE(store.findPrefix(Tree::Words, u"").empty());
}

}  // namespace
}  // namespace kontavo
