#include "contactlisttestsupport.h"

#include <algorithm>

#include "list/contactlistphonemenu.h"

namespace kontavo::test {

ContactRecord makeContact(Oid oid, const QString& last, const QString& first,
                          const QString& company) {
    ContactRecord record;
    record.oid = oid;
    record.setField(ContactField::LastName, last);
    record.setField(ContactField::FirstName, first);
    record.setField(ContactField::Company, company);
    return record;
}

namespace {

bool matches(const ContactRecord& record, const QString& text) {
    return text.isEmpty() ||
           record.field(ContactField::LastName).startsWith(text, Qt::CaseInsensitive) ||
           record.field(ContactField::FirstName).startsWith(text, Qt::CaseInsensitive);
}

ContactListSource groupedByCompany(const QList<ContactRecord>& found) {
    QMap<QString, QList<Oid>> companies;
    for (const ContactRecord& record : found) {
        companies[record.field(ContactField::Company)].append(record.oid);
    }
    ContactListSource source;
    source.grouped = true;
    for (auto it = companies.cbegin(); it != companies.cend(); ++it) {
        source.companies.append(it.key());
        source.counts.append(int(it.value().size()));
        source.contacts.append(it.value());
    }
    return source;
}

}  // namespace

ContactListAnswer FakeListStore::query(const ContactListQuery& query) {
    queries.append(query);
    if (failQueries) {
        return {ContactListAnswer::State::Failed, {}};
    }
    if (loading) {
        return {ContactListAnswer::State::Loading, {}};
    }
    QList<ContactRecord> found;
    if (query.mode == CategoryFilterMenu::Mode::Recent) {
        for (Oid oid : query.recent) {
            if (records.contains(oid) && matches(records[oid], query.search.text)) {
                found.append(records[oid]);
            }
        }
    } else {
        for (const ContactRecord& record : std::as_const(records)) {
            if (matches(record, query.search.text)) {
                found.append(record);
            }
        }
        std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
            return a.field(ContactField::LastName) < b.field(ContactField::LastName);
        });
    }
    if (query.sortType == 2) {
        return {ContactListAnswer::State::Ready, groupedByCompany(found)};
    }
    ContactListSource source;
    for (const ContactRecord& record : found) {
        source.contacts.append(record.oid);
    }
    return {ContactListAnswer::State::Ready, source};
}

bool FakeListStore::readContact(Oid oid, ContactRecord& record) {
    reads.append(oid);
    if (!records.contains(oid)) {
        return false;
    }
    record = records[oid];
    return true;
}

bool FakeListStore::setPreferredItem(Oid oid, uint32_t tag) {
    writes.append(QStringLiteral("preferred %1 %2").arg(oid).arg(tag, 0, 16));
    if (!records.contains(oid)) {
        return false;
    }
    records[oid].preferredItemTag = tag;
    return true;
}

bool FakeListStore::deleteContact(Oid oid) {
    writes.append(QStringLiteral("delete %1").arg(oid));
    return records.remove(oid) > 0;
}

QList<Oid> FakeListStore::existingContacts(const QList<Oid>& oids) {
    QList<Oid> existing;
    for (Oid oid : oids) {
        if (records.contains(oid)) {
            existing.append(oid);
        }
    }
    return existing;
}

QList<CategoryFilterMenu::NamedCategory> FakeListStore::categoryNames(const QList<Oid>& oids) {
    QList<CategoryFilterMenu::NamedCategory> named;
    for (Oid oid : oids) {
        if (categories.contains(oid)) {
            named.append({oid, categories[oid]});
        }
    }
    return named;
}

std::optional<QList<Category>> FakeListStore::allCategories() {
    QList<Category> all;
    for (auto it = categories.cbegin(); it != categories.cend(); ++it) {
        all.append({it.key(), it.value(), int16_t(all.size()), true});
    }
    return all;
}

int FakeListUi::showPhoneMenu(const ContactListPhoneMenu& menu, const QRect& anchor, QWidget*) {
    QStringList lines;
    for (int i = 0; i < menu.entries().size(); ++i) {
        const auto& entry = menu.entries()[i];
        lines.append((i == menu.preselected() ? "*" : "") + entry.item.label + ' ' +
                     entry.shownValue);
    }
    lines.append(menu.actionText() + (menu.offersAction() ? "" : " (disabled)"));
    phoneMenus.append(lines.join('|'));
    lastAnchor = anchor;
    return phoneChoice;
}

}  // namespace kontavo::test
