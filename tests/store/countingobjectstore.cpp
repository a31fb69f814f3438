#include "countingobjectstore.h"

namespace kontavo::test {

class CountingDatabase final : public ObjectDatabase {
public:
    CountingDatabase(std::unique_ptr<ObjectDatabase> inner, CountingObjectStore& owner)
        : m_inner(std::move(inner)), m_owner(owner) {}

    Oid oid() const override { return m_inner->oid(); }
    QString name() const override { return m_inner->name(); }
    DbError lastError() const override { return m_error ? *m_error : m_inner->lastError(); }

    bool seekFirst() override { return count(++calls().seekFirst, m_inner->seekFirst()); }
    bool seekOid(Oid oid) override { return count(++calls().seekOid, m_inner->seekOid(oid)); }
    bool seekNext() override { return count(++calls().seekNext, m_inner->seekNext()); }
    bool seekValue(const PropValue& value) override {
        return count(++calls().seekValue, m_inner->seekValue(value));
    }
    bool atEnd() const override { return m_inner->atEnd(); }
    Oid currentOid() const override { return m_inner->currentOid(); }

    std::optional<DbRecord> readAll() override {
        ++calls().readAll;
        m_error.reset();
        return m_inner->readAll();
    }
    bool readEveryRecord(const std::function<void(const DbRecord&)>& visit,
                         const std::function<void(Oid)>& undecodable) override {
        ++calls().readEveryRecord;
        m_error.reset();
        return m_inner->readEveryRecord(visit, undecodable);
    }
    std::optional<DbRecord> read(const QList<PropTag>& tags) override {
        m_error.reset();
        if (++calls().read == m_owner.m_failReadAt) {
            m_error = m_owner.m_failError;
            return std::nullopt;
        }
        return m_inner->read(tags);
    }
    Oid write(Oid oid, const PropList& props) override {
        ++calls().write;
        m_error.reset();
        return m_inner->write(oid, props);
    }
    bool deleteRecord(Oid oid) override {
        ++calls().deleteRecord;
        m_error.reset();
        return m_inner->deleteRecord(oid);
    }
    std::optional<DbInfo> info() override {
        ++calls().info;
        m_error.reset();
        return m_inner->info();
    }
    std::optional<QList<Oid>> recordOids() override { return m_inner->recordOids(); }
    std::optional<QList<DbNotification>> changesSince(uint64_t lastModified) override {
        m_error.reset();
        return m_inner->changesSince(lastModified);
    }

private:
    HandleCalls& calls() { return m_owner.m_calls; }
    bool count(int, bool result) {
        m_error.reset();
        return result;
    }

    std::unique_ptr<ObjectDatabase> m_inner;
    CountingObjectStore& m_owner;
    std::optional<DbError> m_error;
};

std::unique_ptr<ObjectDatabase> CountingObjectStore::open(const QString& name,
                                                          const DbOpenOptions& options) {
    std::unique_ptr<ObjectDatabase> inner = m_inner.open(name, options);
    if (!inner) {
        return nullptr;
    }
    return std::make_unique<CountingDatabase>(std::move(inner), *this);
}

}  // namespace kontavo::test
