#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <utility>

#include "platform/objectstore.h"
#include "store/contacts/category.h"
#include "store/contacts/categoryrecord.h"

namespace kontavo {

class Locale;

// The categories of "\Categories Database", the database the device's
// personal-information programs share: adding, finding, listing and
// deleting category records, the contacts' reference counts in them, and
// category masks to names and back.
//
// Keeps one handle sorted by position open between open() and close(); a
// handle sorted by name is opened briefly for look-ups by name. Changes of
// several records run in one batch of the object store. UI thread only;
// `store` and `locale` must outlive the manager.
class CategoriesDBManager {
public:
    enum class AddResult { Failed = 0, Created = 1, Existed = 2 };
    struct Found {
        Oid oid = 0;
        int position = -1;
    };

    static QString databaseName() { return QStringLiteral("\\Categories Database"); }

    CategoriesDBManager(ObjectStore& store, const Locale& locale);
    CategoriesDBManager(const CategoriesDBManager&) = delete;
    CategoriesDBManager& operator=(const CategoriesDBManager&) = delete;

    // Opens the database sorted by position, creating it when missing.
    bool open();
    void close();
    bool isOpen() const { return m_db != nullptr; }
    Oid databaseOid() const;

    // The lowest position no category uses: 0 when none has position 0,
    // else the first gap in 1, 2, 3, ... nullopt when the database cannot be
    // read (the diagnostic "CategoriesDBManager::GetNewCatPosition: not error
    // seek" goes to the debug output) or every position is taken.
    std::optional<int> newPosition();
    // The category named exactly `name`. A found record is repaired: marked
    // active, and given a new position when it has none. nullopt when there
    // is none (or the database cannot be read or repaired).
    std::optional<Found> findByName(const QString& name);
    // Reuses a category of that name (Existed) or writes a new one with a new
    // position, active 1 and all reference counts 0 (Created); its Oid goes
    // to `oid`. An empty name fails.
    AddResult addCategory(const QString& name, Oid* oid = nullptr);
    // Deletes the record when no references remain; otherwise marks it
    // inactive, so that contacts using it keep it. False when it cannot be
    // read or changed.
    bool deleteCategory(Oid oid);

    // Contact references of the category at `position`. AddRef raises a
    // present count by one; Release lowers a non-zero count by one and
    // deletes an inactive category whose references all reach 0. A position
    // no category has is no failure; false only when the store fails.
    bool addRef(int position);
    bool release(int position);
    // The same for every bit set in the mask(s); MoveRefs releases the bits
    // only `oldMask` has and adds the bits only `newMask` has.
    bool addRefs(const QByteArray& mask);
    bool releaseRefs(const QByteArray& mask);
    bool moveRefs(const QByteArray& oldMask, const QByteArray& newMask);

    // Every record; nullopt when a read fails with anything but "no more items".
    std::optional<QList<CategoryRecord>> readAll();
    // See categorylisting.h; nullopt when the database cannot be read.
    std::optional<QList<Category>> listInUse();
    std::optional<QList<Category>> listForContact(const QByteArray& mask);
    // Names, (Oid, name) pairs and Oids of the categories whose bits are set,
    // ordered by name; empty when the database cannot be read.
    QStringList namesOfMask(const QByteArray& mask);
    QList<std::pair<Oid, QString>> pairsOfMask(const QByteArray& mask);
    QList<Oid> oidsOfMask(const QByteArray& mask);
    // The mask of the categories `oids` name; Oids that name no positioned
    // category are skipped.
    QByteArray maskOfOids(const QList<Oid>& oids);
    // The mask of the categories `names` name, each added (addCategory) when
    // it does not exist yet; nullopt when one cannot be added.
    std::optional<QByteArray> maskAddingNames(const QStringList& names);
    // (name, position) of a category; position -1 when it has none.
    std::optional<std::pair<QString, int>> readCategory(Oid oid);

private:
    // The category of that name, repaired; `failed` tells a store failure
    // from a name no category has.
    std::optional<Found> lookUp(const QString& name, bool& failed);
    std::optional<Found> repair(ObjectDatabase& db, const CategoryRecord& record);
    Oid writeNew(const QString& name);
    // Seeks the category at `position`; false when the store fails, with
    // `found` false when no category has it.
    bool seekPosition(int position, bool& found);
    std::optional<CategoryRecord> readCurrent();
    bool applyRelease(const CategoryRecord& record);

    ObjectStore& m_store;
    const Locale& m_locale;
    std::unique_ptr<ObjectDatabase> m_db;
};

}  // namespace kontavo
