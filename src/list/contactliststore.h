#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <optional>

#include "list/categoryfiltermenu.h"
#include "list/contactlisttypes.h"

namespace kontavo {

struct ContactRecord;

// What the list asks of the index and the contacts database for one fill.
struct ContactListQuery {
    int sortType = 0;
    CategoryFilterMenu::Mode mode = CategoryFilterMenu::Mode::All;
    QList<Oid> categories;  // mode Categories: the categories of the filter
    QList<Oid> recent;      // mode Recent: the recently used contacts, newest first
    ListSearch search;

    bool operator==(const ContactListQuery&) const = default;
};

// A store's answer to a list query: the contacts when ready; Loading while
// the store still reads what it orders the list by (the store's ready
// callback follows); Failed when it cannot answer.
struct ContactListAnswer {
    enum class State { Ready, Loading, Failed };
    State state = State::Failed;
    ContactListSource source;

    bool isReady() const { return state == State::Ready; }
};

// The contact store as the contact list uses it (implemented over the
// ContactManager by ManagerListStore; tests give a fake). UI thread only.
class ContactListStore {
public:
    virtual ~ContactListStore() = default;

    // The contacts of `query`: in mode Recent in the order of the recent
    // list, otherwise flat in name or "File As" order (sort types 0 and 1)
    // or grouped by company (sort type 2).
    virtual ContactListAnswer query(const ContactListQuery& query) = 0;
    // Called (on the UI thread) when a query that was answered Loading may
    // be asked again.
    virtual void setReadyCallback(std::function<void()> ready) = 0;
    // The contact with everything the list shows (extended items, picture).
    virtual bool readContact(Oid oid, ContactRecord& record) = 0;
    virtual bool setPreferredItem(Oid oid, uint32_t tag) = 0;
    virtual bool deleteContact(Oid oid) = 0;
    // Which of `oids` still name contacts, in their order.
    virtual QList<Oid> existingContacts(const QList<Oid>& oids) = 0;
    // (Oid, name) of each of `oids` that names a category, in their order.
    virtual QList<CategoryFilterMenu::NamedCategory> categoryNames(const QList<Oid>& oids) = 0;
    // Every category record (active or not); nullopt when they cannot be read.
    virtual std::optional<QList<Category>> allCategories() = 0;
};

}  // namespace kontavo
