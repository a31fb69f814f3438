#include "platform/objectstorecursor.h"

#include <QHash>

#include "platform/objectstorecore.h"

namespace kontavo {

ObjectStoreCursor::ObjectStoreCursor(ObjectStoreCore& core, Oid db, PropTag sortTag)
    : m_core(core), m_db(db) {
    if (sortTag != 0) {
        m_order = std::make_unique<ObjectStoreSortOrder>(sortTag);
    }
}

Fetch ObjectStoreCursor::fail() {
    m_error = m_core.sqliteError();
    m_current = {};
    return Fetch::Failed;
}

void ObjectStoreCursor::dropAhead() {
    m_ahead.clear();
    m_aheadOrderPos.clear();
    m_aheadNext = 0;
}

bool ObjectStoreCursor::rebuildOrder() {
    m_generation = m_core.generation();
    return m_order->build(m_core, m_db, m_error);
}

Fetch ObjectStoreCursor::first() {
    dropAhead();
    m_current = {};
    m_orderPos = -1;
    if (m_order != nullptr && !rebuildOrder()) {
        return fail();
    }
    return next();
}

Fetch ObjectStoreCursor::next() {
    if (m_generation != m_core.generation()) {
        // This store changed the database: read on from where we are.
        dropAhead();
        if (m_order != nullptr) {
            const auto here =
                m_orderPos >= 0 ? std::optional(m_order->at(m_orderPos)) : std::nullopt;
            if (!rebuildOrder()) {
                return fail();
            }
            m_orderPos = here ? m_order->firstAfter(*here) - 1 : -1;
        }
        m_generation = m_core.generation();
    }
    if (m_aheadNext >= m_ahead.size() && !fillAhead()) {
        return fail();
    }
    return take();
}

Fetch ObjectStoreCursor::take() {
    if (m_aheadNext >= m_ahead.size()) {
        m_current = {};
        return Fetch::Missing;
    }
    m_current = m_ahead[m_aheadNext];
    if (m_order != nullptr) {
        m_orderPos = m_aheadOrderPos[m_aheadNext];
    }
    ++m_aheadNext;
    return Fetch::Found;
}

bool ObjectStoreCursor::fillAhead() {
    dropAhead();
    m_generation = m_core.generation();
    if (m_order != nullptr) {
        return fillFromOrder();
    }
    return m_core.rows().rowsAfter(m_db, m_current.oid, ObjectStoreRows::kBatch, m_ahead);
}

bool ObjectStoreCursor::fillFromOrder() {
    // Rows deleted since the order was read are passed over.
    qsizetype from = m_orderPos + 1;
    while (m_ahead.isEmpty() && from < m_order->size()) {
        QList<Oid> oids;
        for (qsizetype i = from; i < m_order->size() && oids.size() < ObjectStoreRows::kLookupBatch;
             ++i) {
            oids.append(m_order->at(i).oid);
        }
        QList<StoredRow> rows;
        if (!m_core.rows().rowsOf(m_db, oids, rows)) {
            return false;
        }
        QHash<Oid, qsizetype> found;
        for (qsizetype i = 0; i < rows.size(); ++i) {
            found.insert(rows[i].oid, i);
        }
        for (qsizetype i = 0; i < oids.size(); ++i) {
            if (const auto it = found.constFind(oids[i]); it != found.cend()) {
                m_ahead.append(rows[*it]);
                m_aheadOrderPos.append(from + i);
            }
        }
        from += oids.size();
    }
    return true;
}

Fetch ObjectStoreCursor::seekOid(Oid oid) {
    dropAhead();
    StoredRow row;
    const Fetch fetch = m_core.rows().row(m_db, oid, row);
    if (fetch != Fetch::Found) {
        m_current = {};
        return fetch == Fetch::Failed ? fail() : fetch;
    }
    if (m_order != nullptr) {
        if (m_generation != m_core.generation() || m_order->indexOf(oid) < 0) {
            if (!rebuildOrder()) {
                return fail();
            }
        }
        m_orderPos = m_order->indexOf(oid);
    }
    m_current = row;
    return Fetch::Found;
}

Fetch ObjectStoreCursor::refresh() {
    StoredRow row;
    const Fetch fetch = m_core.rows().row(m_db, m_current.oid, row);
    if (fetch == Fetch::Found) {
        m_current.props = row.props;
    } else if (fetch == Fetch::Failed) {
        m_error = m_core.sqliteError();
    }
    return fetch;
}

Fetch ObjectStoreCursor::seekValue(const PropValue& value) {
    dropAhead();
    m_current = {};
    if (!rebuildOrder()) {
        return fail();
    }
    const qsizetype index = m_order->firstEqual(value);
    if (index < 0) {
        return Fetch::Missing;
    }
    StoredRow row;
    const Fetch fetch = m_core.rows().row(m_db, m_order->at(index).oid, row);
    if (fetch == Fetch::Found) {
        m_current = row;
        m_orderPos = index;
    }
    return fetch == Fetch::Failed ? fail() : fetch;
}

}  // namespace kontavo
