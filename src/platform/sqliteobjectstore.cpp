#include "platform/sqliteobjectstore.h"

#include "platform/objectstorecore.h"
#include "platform/objectstorewriter.h"
#include "platform/sqliteobjectdatabase.h"

namespace kontavo {

namespace {

constexpr qsizetype kMaxNameLength = 255;

bool isValidName(const QString& name) {
    return !name.isEmpty() && name.size() <= kMaxNameLength && !name.contains(QChar(0));
}

}  // namespace

SqliteObjectStore::SqliteObjectStore(const QString& filePath)
    : m_core(std::make_shared<ObjectStoreCore>(filePath)) {
    if (!m_core->isOpen()) {
        m_lastError = DbError::InternalError;
    }
}

SqliteObjectStore::~SqliteObjectStore() = default;

QString SqliteObjectStore::fileInRoot(const QString& deviceRoot) {
    return deviceRoot + QStringLiteral("/objectstore.db");
}

bool SqliteObjectStore::isOpen() const {
    return m_core->isOpen();
}

QString SqliteObjectStore::errorMessage() const {
    return m_core->errorMessage();
}

std::unique_ptr<ObjectDatabase> SqliteObjectStore::open(const QString& name,
                                                        const DbOpenOptions& options) {
    if (!m_core->isOpen()) {
        m_lastError = DbError::InternalError;
        return nullptr;
    }
    if (!isValidName(name) || (options.sortTag != 0 && !hasKnownType(options.sortTag))) {
        m_lastError = DbError::InvalidParameter;
        return nullptr;
    }
    DbInfo info;
    const Fetch found = m_core->rows().databaseByName(name, info);
    if (found == Fetch::Failed || (found == Fetch::Missing && !options.createIfMissing)) {
        m_lastError = found == Fetch::Failed ? m_core->sqliteError() : DbError::FileNotFound;
        return nullptr;
    }
    if (found == Fetch::Missing) {
        std::optional<DbInfo> created = m_core->writer().createDatabase(name, m_lastError);
        if (!created) {
            return nullptr;
        }
        info = *created;
    }
    auto handle = std::make_unique<SqliteObjectDatabase>(m_core, info, options.sortTag);
    if (options.notify && !handle->listen(options.notify)) {
        m_lastError = handle->lastError();
        return nullptr;
    }
    m_lastError = DbError::None;
    return handle;
}

bool SqliteObjectStore::runBatch(const std::function<bool()>& work) {
    if (!m_core->isOpen()) {
        m_lastError = DbError::InternalError;
        return false;
    }
    m_lastError = DbError::None;
    return m_core->runBatch(work, m_lastError);
}

}  // namespace kontavo
