#include "platform/sqliteobjectdatabase.h"

#include <algorithm>

#include "platform/objectstorecore.h"
#include "platform/objectstorenotifier.h"
#include "platform/objectstorewriter.h"
#include "platform/propcodec.h"

namespace kontavo {

SqliteObjectDatabase::SqliteObjectDatabase(std::shared_ptr<ObjectStoreCore> core,
                                           const DbInfo& info, PropTag sortTag)
    : m_core(std::move(core)),
      m_oid(info.oid),
      m_name(info.name),
      m_sortTag(sortTag),
      m_cursor(*m_core, info.oid, sortTag) {}

SqliteObjectDatabase::~SqliteObjectDatabase() {
    if (m_listenerId != 0) {
        m_core->notifier().removeListener(m_listenerId);
    }
}

bool SqliteObjectDatabase::listen(DbNotifyFn notify) {
    m_listenerId = m_core->notifier().addListener(m_oid, std::move(notify));
    return m_listenerId != 0 || fail(m_core->sqliteError());
}

bool SqliteObjectDatabase::fail(DbError error) {
    m_lastError = error;
    return false;
}

bool SqliteObjectDatabase::moved(Fetch fetch, DbError missing) {
    m_currentGeneration = m_core->generation();
    if (fetch == Fetch::Found) {
        m_state = State::OnRecord;
        m_lastError = DbError::None;
        return true;
    }
    m_state = State::NoCurrent;
    return fail(fetch == Fetch::Missing ? missing : m_cursor.error());
}

bool SqliteObjectDatabase::seekFirst() {
    return moved(m_cursor.first(), DbError::NoMoreItems);
}

bool SqliteObjectDatabase::seekOid(Oid oid) {
    return moved(m_cursor.seekOid(oid), DbError::SeekFailed);
}

bool SqliteObjectDatabase::seekNext() {
    if (m_state == State::BeforeFirst && !seekFirst()) {
        return false;
    }
    if (m_state == State::NoCurrent) {
        return fail(DbError::NoMoreItems);
    }
    return moved(m_cursor.next(), DbError::NoMoreItems);
}

bool SqliteObjectDatabase::seekValue(const PropValue& value) {
    if (m_sortTag == 0 || value.tag() != m_sortTag || !value.isValid() || value.flags() != 0) {
        return fail(DbError::InvalidParameter);
    }
    return moved(m_cursor.seekValue(value), DbError::SeekFailed);
}

bool SqliteObjectDatabase::readyToRead() {
    if (m_state == State::BeforeFirst && !seekFirst()) {
        return false;
    }
    if (m_state == State::NoCurrent) {
        return fail(DbError::NoMoreItems);
    }
    if (m_currentGeneration != m_core->generation()) {
        // This store wrote since the seek: read the record as it is now.
        const Fetch fetch = m_cursor.refresh();
        if (fetch != Fetch::Found) {
            return fail(fetch == Fetch::Missing ? DbError::NotFound : m_cursor.error());
        }
        m_currentGeneration = m_core->generation();
    }
    return true;
}

std::optional<DbRecord> SqliteObjectDatabase::readAll() {
    if (!readyToRead()) {
        return std::nullopt;
    }
    return decodeCurrent({});
}

std::optional<DbRecord> SqliteObjectDatabase::read(const QList<PropTag>& tags) {
    if (!readyToRead()) {
        return std::nullopt;
    }
    if (tags != m_listedTags) {
        // List queries ask for the same tags record after record.
        m_listedTags = tags;
        m_sortedTags = tags;
        std::sort(m_sortedTags.begin(), m_sortedTags.end());
        m_sortedTags.erase(std::unique(m_sortedTags.begin(), m_sortedTags.end()),
                           m_sortedTags.end());
    }
    const QList<PropTag>& sorted = m_sortedTags;
    std::optional<DbRecord> found =
        sorted.isEmpty() ? DbRecord{m_cursor.current().oid, {}} : decodeCurrent(sorted);
    if (!found) {
        return std::nullopt;
    }
    DbRecord record{found->oid, {}};
    record.props.reserve(tags.size());
    for (PropTag tag : tags) {
        const auto it = std::lower_bound(
            found->props.cbegin(), found->props.cend(), tag,
            [](const PropValue& prop, PropTag wanted) { return prop.tag() < wanted; });
        const bool present = it != found->props.cend() && it->tag() == tag;
        record.props.append(present ? *it : PropValue::notFound(tag));
    }
    return record;
}

bool SqliteObjectDatabase::readEveryRecord(const std::function<void(const DbRecord&)>& visit,
                                           const std::function<void(Oid)>& undecodable) {
    DbRecord record;
    const bool read = m_core->rows().forEachRowWithExternal(
        m_oid, [&](Oid oid, const QByteArray& props, const QByteArray& external) {
            propcodec::InlineProps parts;
            if (propcodec::decodeInline(props, {}, parts) &&
                propcodec::resolveExternal(external, parts)) {
                record.oid = oid;
                record.props = std::move(parts.props);
                visit(record);
            } else {
                undecodable(oid);
            }
            return true;
        });
    if (!read) {
        return fail(m_core->sqliteError());
    }
    m_lastError = DbError::None;
    return true;
}

std::optional<DbRecord> SqliteObjectDatabase::decodeCurrent(const QList<PropTag>& sortedTags) {
    const StoredRow& row = m_cursor.current();
    propcodec::InlineProps decoded;
    if (!propcodec::decodeInline(row.props, sortedTags, decoded)) {
        fail(DbError::InvalidData);
        return std::nullopt;
    }
    if (decoded.externalSlots.isEmpty()) {
        return DbRecord{row.oid, decoded.props};
    }
    // Read both parts again in one query, so that they belong together.
    StoredRow fresh;
    QByteArray external;
    const Fetch fetch = m_core->rows().rowWithExternal(m_oid, row.oid, fresh, external);
    if (fetch != Fetch::Found) {
        fail(fetch == Fetch::Missing ? DbError::NotFound : m_core->sqliteError());
        return std::nullopt;
    }
    decoded = {};
    if (!propcodec::decodeInline(fresh.props, sortedTags, decoded) ||
        !propcodec::resolveExternal(external, decoded)) {
        fail(DbError::InvalidData);
        return std::nullopt;
    }
    return DbRecord{row.oid, decoded.props};
}

Oid SqliteObjectDatabase::write(Oid oid, const PropList& props) {
    DbError error = DbError::None;
    const Oid written = m_core->writer().write(m_oid, oid, props, error);
    m_lastError = error;
    return written;
}

bool SqliteObjectDatabase::deleteRecord(Oid oid) {
    DbError error = DbError::None;
    const bool deleted = m_core->writer().remove(m_oid, oid, error);
    m_lastError = error;
    return deleted;
}

std::optional<DbInfo> SqliteObjectDatabase::info() {
    std::optional<DbInfo> info = m_core->rows().database(m_oid);
    m_lastError = info ? DbError::None : m_core->sqliteError();
    return info;
}

std::optional<QList<Oid>> SqliteObjectDatabase::recordOids() {
    std::optional<QList<Oid>> oids = m_core->rows().oids(m_oid);
    m_lastError = oids ? DbError::None : m_core->sqliteError();
    return oids;
}

std::optional<QList<DbNotification>> SqliteObjectDatabase::changesSince(uint64_t lastModified) {
    QList<DbNotification> changes;
    const Fetch fetch = m_core->rows().changesSince(m_oid, lastModified, changes);
    if (fetch != Fetch::Found) {
        fail(fetch == Fetch::Missing ? DbError::SeekFailed : m_core->sqliteError());
        return std::nullopt;
    }
    m_lastError = DbError::None;
    return changes;
}

}  // namespace kontavo
