#pragma once

// An object store that passes every call to a real one and counts the calls
// of the database handles it opens, and can make chosen calls fail.
#include <QList>
#include <memory>
#include <optional>

#include "platform/objectstore.h"

namespace kontavo::test {

struct HandleCalls {
    int seekFirst = 0;
    int seekOid = 0;
    int seekNext = 0;
    int seekValue = 0;
    int read = 0;
    int readAll = 0;
    int readEveryRecord = 0;
    int write = 0;
    int deleteRecord = 0;
    int info = 0;
};

class CountingObjectStore final : public ObjectStore {
public:
    explicit CountingObjectStore(ObjectStore& inner) : m_inner(inner) {}

    std::unique_ptr<ObjectDatabase> open(const QString& name,
                                         const DbOpenOptions& options) override;
    DbError lastError() const override { return m_inner.lastError(); }
    bool runBatch(const std::function<bool()>& work) override { return m_inner.runBatch(work); }

    // Calls of every handle opened so far, added up.
    HandleCalls& calls() { return m_calls; }
    void resetCalls() { m_calls = HandleCalls(); }
    // The n-th (1-based) listed read from now on fails with `error`.
    void failListedRead(int n, DbError error) {
        m_failReadAt = m_calls.read + n;
        m_failError = error;
    }

private:
    friend class CountingDatabase;
    ObjectStore& m_inner;
    HandleCalls m_calls;
    int m_failReadAt = -1;
    DbError m_failError = DbError::None;
};

}  // namespace kontavo::test
