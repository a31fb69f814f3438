#pragma once

#include "list/contactliststore.h"

namespace kontavo {

class CategoryFilter;
class ContactManager;

// The contact list's store over the open ContactManager: searches go to the
// contact index (findWords for text, findGroupKey for letter groups), and
// the manager's list cache filters and orders the contacts found; in mode
// Recent the contacts keep the order of the recent list. `manager` must
// outlive it. UI thread only.
class ManagerListStore final : public ContactListStore {
public:
    explicit ManagerListStore(ContactManager& manager) : m_manager(manager) {}

    ContactListAnswer query(const ContactListQuery& query) override;
    void setReadyCallback(std::function<void()> ready) override;
    bool readContact(Oid oid, ContactRecord& record) override;
    bool setPreferredItem(Oid oid, uint32_t tag) override;
    bool deleteContact(Oid oid) override;
    QList<Oid> existingContacts(const QList<Oid>& oids) override;
    QList<CategoryFilterMenu::NamedCategory> categoryNames(const QList<Oid>& oids) override;
    std::optional<QList<Category>> allCategories() override;

private:
    CategoryFilter filterOf(const ContactListQuery& query);
    // The Oids the search or the recent list allows; nullopt: every contact.
    std::optional<QList<Oid>> candidates(const ContactListQuery& query);

    ContactManager& m_manager;
};

}  // namespace kontavo
