#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <optional>

#include "list/contactlisttypes.h"

namespace kontavo {

// The rows of the contact list over one query result: in a flat list one row
// per contact; grouped by company a header per company followed, while the
// company is open, by one row per contact of it. Companies start closed; a
// new source keeps open the companies of the same name. A plain value.
class ContactRows {
public:
    void setSource(ContactListSource source);
    const ContactListSource& source() const { return m_source; }

    bool isGrouped() const { return m_source.grouped; }
    int rowCount() const;
    int contactCount() const { return int(m_source.contacts.size()); }
    int companyCount() const { return int(m_source.companies.size()); }
    QString companyName(int company) const;
    // Contacts of `company`; 0 for no company.
    int companySize(int company) const;

    // The position of `row`; (-1, -1) outside the rows.
    RowPos at(int row) const;
    // The row of `pos`; -1 when it is not shown (a contact of a closed
    // company) or does not exist.
    int rowOf(RowPos pos) const;
    // The contact at `pos`; 0 for a header or no contact.
    Oid oidAt(RowPos pos) const;
    // Where `oid` is listed; nullopt when it is not.
    std::optional<RowPos> find(Oid oid) const;
    // The contact's place counted across companies (0-based); -1 for a header.
    int ordinal(RowPos pos) const;

    bool isOpen(int company) const;
    // Opens or closes the company header at `row`; false when `row` is no header.
    bool toggle(int row);
    // Opens `company` when it is closed.
    void open(int company);

    // The contacts of `rows`, each once, in row order; a header contributes
    // every contact of its company.
    QList<Oid> oidsOfRows(const QList<int>& rows) const;

private:
    int firstOf(int company) const { return m_firsts.value(company, 0); }
    void rebuildTable();

    ContactListSource m_source;
    QList<int> m_firsts;              // index of each company's first contact
    QList<RowPos> m_table;            // grouped: the rows shown
    QSet<QString> m_open;             // names of the open companies
    mutable QHash<Oid, int> m_index;  // Oid -> contact index, built on demand
};

}  // namespace kontavo
