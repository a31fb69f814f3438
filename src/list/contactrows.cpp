#include "list/contactrows.h"

#include <algorithm>

namespace kontavo {

void ContactRows::setSource(ContactListSource source) {
    m_source = std::move(source);
    if (!m_source.grouped) {
        m_source.companies.clear();
        m_source.counts.clear();
    }
    m_firsts.clear();
    int first = 0;
    for (int count : std::as_const(m_source.counts)) {
        m_firsts.append(first);
        first += count;
    }
    QSet<QString> stillOpen;
    for (const QString& name : std::as_const(m_source.companies)) {
        if (m_open.contains(name)) {
            stillOpen.insert(name);
        }
    }
    m_open = stillOpen;
    m_index.clear();
    rebuildTable();
}

int ContactRows::rowCount() const {
    return m_source.grouped ? int(m_table.size()) : contactCount();
}

QString ContactRows::companyName(int company) const {
    return m_source.companies.value(company);
}

int ContactRows::companySize(int company) const {
    return m_source.counts.value(company, 0);
}

RowPos ContactRows::at(int row) const {
    if (row < 0 || row >= rowCount()) {
        return {};
    }
    return m_source.grouped ? m_table[row] : RowPos{0, row};
}

int ContactRows::rowOf(RowPos pos) const {
    if (!m_source.grouped) {
        return pos.group == 0 && pos.item >= 0 && pos.item < contactCount() ? pos.item : -1;
    }
    if (pos.group < 0 || pos.group >= companyCount() || pos.item >= companySize(pos.group)) {
        return -1;
    }
    // Headers are few compared to rows: find the header, then step in.
    const auto header =
        std::lower_bound(m_table.begin(), m_table.end(), pos.group,
                         [](const RowPos& row, int group) { return row.group < group; });
    const int headerRow = int(header - m_table.begin());
    if (pos.item < 0) {
        return headerRow;
    }
    return isOpen(pos.group) ? headerRow + 1 + pos.item : -1;
}

Oid ContactRows::oidAt(RowPos pos) const {
    const int index = ordinal(pos);
    return index < 0 ? 0 : m_source.contacts[index];
}

int ContactRows::ordinal(RowPos pos) const {
    if (pos.item < 0) {
        return -1;
    }
    if (!m_source.grouped) {
        return pos.group == 0 && pos.item < contactCount() ? pos.item : -1;
    }
    if (pos.group >= companyCount() || pos.item >= companySize(pos.group)) {
        return -1;
    }
    return firstOf(pos.group) + pos.item;
}

std::optional<RowPos> ContactRows::find(Oid oid) const {
    if (oid == 0) {
        return std::nullopt;
    }
    if (m_index.isEmpty() && !m_source.contacts.isEmpty()) {
        m_index.reserve(m_source.contacts.size());
        for (int i = 0; i < contactCount(); ++i) {
            m_index.insert(m_source.contacts[i], i);
        }
    }
    const auto found = m_index.constFind(oid);
    if (found == m_index.cend()) {
        return std::nullopt;
    }
    const int index = found.value();
    if (!m_source.grouped) {
        return RowPos{0, index};
    }
    const int company =
        int(std::upper_bound(m_firsts.begin(), m_firsts.end(), index) - m_firsts.begin()) - 1;
    return RowPos{company, index - firstOf(company)};
}

bool ContactRows::isOpen(int company) const {
    return m_open.contains(companyName(company));
}

bool ContactRows::toggle(int row) {
    const RowPos pos = at(row);
    if (!pos.isHeader()) {
        return false;
    }
    const QString name = companyName(pos.group);
    if (!m_open.remove(name)) {
        m_open.insert(name);
    }
    rebuildTable();
    return true;
}

void ContactRows::open(int company) {
    if (company >= 0 && company < companyCount() && !isOpen(company)) {
        m_open.insert(companyName(company));
        rebuildTable();
    }
}

QList<Oid> ContactRows::oidsOfRows(const QList<int>& rows) const {
    QList<Oid> oids;
    QSet<Oid> seen;
    auto add = [&](Oid oid) {
        if (oid != 0 && !seen.contains(oid)) {
            seen.insert(oid);
            oids.append(oid);
        }
    };
    for (int row : rows) {
        const RowPos pos = at(row);
        if (pos.isHeader()) {
            for (int i = 0; i < companySize(pos.group); ++i) {
                add(oidAt({pos.group, i}));
            }
        } else {
            add(oidAt(pos));
        }
    }
    return oids;
}

void ContactRows::rebuildTable() {
    m_table.clear();
    if (!m_source.grouped) {
        return;
    }
    for (int company = 0; company < companyCount(); ++company) {
        m_table.append({company, -1});
        if (isOpen(company)) {
            for (int i = 0; i < companySize(company); ++i) {
                m_table.append({company, i});
            }
        }
    }
}

}  // namespace kontavo
