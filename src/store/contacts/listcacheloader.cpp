#include "store/contacts/listcacheloader.h"

#include "store/contacts/contactlistcache.h"
#include "store/contacts/failedread.h"
#include "store/contacts/listcolumns.h"

namespace kontavo {

ListCacheLoader::ListCacheLoader(std::unique_ptr<ObjectDatabase> handle, ContactListCache& cache)
    : m_handle(std::move(handle)), m_cache(cache) {}

ListCacheLoader::~ListCacheLoader() = default;

ListCacheLoader::Step ListCacheLoader::step(int records) {
    const QList<PropTag>& tags = listColumnTags();
    for (int done = 0; done < std::max(records, 1); ++done) {
        const bool more = m_started ? m_handle->seekNext() : m_handle->seekFirst();
        m_started = true;
        if (!more) {
            return m_handle->lastError() == DbError::NoMoreItems ? Step::Done : Step::Failed;
        }
        const std::optional<DbRecord> read = m_handle->read(tags);
        if (read) {
            m_cache.loaded(listColumnsOf(*read));
        } else if (!passOverFailedRead(*m_handle)) {
            return Step::Failed;
        }
    }
    return Step::More;
}

}  // namespace kontavo
