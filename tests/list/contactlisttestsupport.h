#pragma once

// Fakes of the contact list's collaborators: a store of records in memory,
// a UI that answers from scripted values and records what it was shown;
// the actions that record calls and e-mails are support/recordingactions.h.
#include <QMap>
#include <QStringList>

#include "comm/callrouting.h"
#include "list/contactcontextmenu.h"
#include "list/contactliststore.h"
#include "list/contactlistui.h"
#include "store/record/contactrecord.h"
#include "support/recordingactions.h"

namespace kontavo::test {

// A contact with the given names (last, first, company).
ContactRecord makeContact(Oid oid, const QString& last, const QString& first = {},
                          const QString& company = {});

// Answers queries from its records: every record, or those whose last or
// first name starts with the search text (case-insensitive); in mode Recent
// the recent Oids that exist, in their order; flat lists ordered by last
// name then Oid, sort type 2 grouped by company. With `loading` set every
// query answers Loading; `ready` holds the list's ready callback.
class FakeListStore final : public ContactListStore {
public:
    void add(const ContactRecord& record) { records.insert(record.oid, record); }

    ContactListAnswer query(const ContactListQuery& query) override;
    void setReadyCallback(std::function<void()> callback) override { ready = std::move(callback); }
    bool readContact(Oid oid, ContactRecord& record) override;
    bool setPreferredItem(Oid oid, uint32_t tag) override;
    bool deleteContact(Oid oid) override;
    QList<Oid> existingContacts(const QList<Oid>& oids) override;
    QList<CategoryFilterMenu::NamedCategory> categoryNames(const QList<Oid>& oids) override;
    // Every entry of `categories`, active, at a position of its own.
    std::optional<QList<Category>> allCategories() override;

    QMap<Oid, ContactRecord> records;
    QMap<Oid, QString> categories;
    QList<ContactListQuery> queries;
    QList<Oid> reads;
    QStringList writes;  // "preferred <oid> <tag hex>", "delete <oid>"
    bool failQueries = false;
    bool loading = false;  // queries answer Loading
    std::function<void()> ready;
};

class FakeListUi final : public ContactListUi {
public:
    bool confirmDelete(QWidget*) override {
        ++deletePrompts;
        return answerYes;
    }
    int showPhoneMenu(const ContactListPhoneMenu& menu, const QRect& anchor, QWidget*) override;
    int showFilterMenu(const QList<CategoryFilterMenu::Item>& items, QWidget*) override {
        filterMenus.append(items);
        return filterChoice;
    }
    std::optional<QList<Oid>> chooseCategories(const QList<Oid>& current, QWidget*) override {
        dialogStarts.append(current);
        return dialogChoice;
    }
    int showContextMenu(const QList<MenuEntry>& entries, QPoint pos, QWidget*) override {
        contextMenus.append(entries);
        contextMenuAt = pos;
        return contextChoice;
    }
    int filterMenuCapacity(QWidget*) override { return capacity; }

    bool answerYes = true;
    int deletePrompts = 0;
    int phoneChoice = -1;
    // "label value" lines of each menu shown, "*" marks the preselected, a
    // disabled action item ends in " (disabled)"
    QStringList phoneMenus;
    QRect lastAnchor;
    int filterChoice = 0;
    QList<QList<CategoryFilterMenu::Item>> filterMenus;
    std::optional<QList<Oid>> dialogChoice;
    QList<QList<Oid>> dialogStarts;
    int capacity = 5;
    QList<QList<MenuEntry>> contextMenus;
    QPoint contextMenuAt;
    int contextChoice = 0;
};

}  // namespace kontavo::test
