#pragma once

#include <memory>

#include "platform/objectstore.h"

namespace kontavo {

class ContactListCache;

// Reads the list columns of every record of a database into a list cache
// that is loading, a number of records per step, through a handle of its
// own (whose position no other reader moves). A record deleted while the
// walk runs is skipped. Not thread-safe.
class ListCacheLoader {
public:
    enum class Step { More, Done, Failed };

    ListCacheLoader(std::unique_ptr<ObjectDatabase> handle, ContactListCache& cache);
    ~ListCacheLoader();

    // Reads up to `records` records (at least one). Done: every record was
    // handed over (ending the load is the caller's); Failed: a read failed.
    Step step(int records);

private:
    std::unique_ptr<ObjectDatabase> m_handle;
    ContactListCache& m_cache;
    bool m_started = false;
};

}  // namespace kontavo
