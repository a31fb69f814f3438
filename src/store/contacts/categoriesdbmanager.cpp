#include "store/contacts/categoriesdbmanager.h"

#include <QtDebug>
#include <algorithm>

#include "platform/locale.h"
#include "store/contacts/categorylisting.h"
#include "store/contacts/categorymask.h"

namespace kontavo {

namespace {

// Counts are 16-bit: a count that would overflow stays at the top instead
// of wrapping to a negative value.
constexpr int kMaxCount = 0x7FFF;

PropValue count16(PropTag tag, int value) {
    return PropValue::int16(tag, int16_t(std::clamp(value, -0x8000, kMaxCount)));
}

bool failedBeyondEnd(const ObjectDatabase& db) {
    return db.lastError() != DbError::NoMoreItems;
}

}  // namespace

CategoriesDBManager::CategoriesDBManager(ObjectStore& store, const Locale& locale)
    : m_store(store), m_locale(locale) {}

bool CategoriesDBManager::open() {
    DbOpenOptions options;
    options.sortTag = categorytag::kPosition;
    options.createIfMissing = true;
    m_db = m_store.open(databaseName(), options);
    return m_db != nullptr;
}

void CategoriesDBManager::close() {
    m_db.reset();
}

Oid CategoriesDBManager::databaseOid() const {
    return m_db ? m_db->oid() : 0;
}

// Positions sort numerically, so the walk from position 0 meets 1, 2, 3, ...
// until the first gap; records without a position come last.
std::optional<int> CategoriesDBManager::newPosition() {
    if (!m_db) {
        return std::nullopt;
    }
    if (!m_db->seekValue(PropValue::int16(categorytag::kPosition, 0))) {
        if (m_db->lastError() == DbError::SeekFailed) {
            return 0;
        }
        qWarning("CategoriesDBManager::GetNewCatPosition: not error seek (%s, %d)", __FILE__,
                 __LINE__);
        return std::nullopt;
    }
    int expected = 1;
    while (m_db->seekNext()) {
        const std::optional<DbRecord> read = m_db->read({categorytag::kPosition});
        if (!read) {
            return std::nullopt;
        }
        const PropValue& position = read->props.first();
        // A repeated position (a database damaged elsewhere) must not hide
        // the gap after it.
        if (position.isNotFound() || position.toInt() < expected) {
            continue;
        }
        if (position.toInt() != expected) {
            return expected;
        }
        ++expected;
    }
    if (failedBeyondEnd(*m_db)) {
        return std::nullopt;
    }
    if (expected > categorymask::kMaxPosition) {
        return std::nullopt;
    }
    return expected;
}

std::optional<CategoriesDBManager::Found> CategoriesDBManager::findByName(const QString& name) {
    std::optional<Found> found;
    m_store.runBatch([&] {
        bool failed = false;
        found = lookUp(name, failed);
        return !failed;
    });
    return found;
}

std::optional<CategoriesDBManager::Found> CategoriesDBManager::lookUp(const QString& name,
                                                                      bool& failed) {
    failed = true;
    DbOpenOptions options;
    options.sortTag = categorytag::kName;
    const std::unique_ptr<ObjectDatabase> byName =
        m_db ? m_store.open(databaseName(), options) : nullptr;
    if (!byName) {
        return std::nullopt;
    }
    if (!byName->seekValue(PropValue::string(categorytag::kName, name))) {
        failed = byName->lastError() != DbError::SeekFailed;
        return std::nullopt;
    }
    const std::optional<DbRecord> read = byName->readAll();
    if (!read) {
        return std::nullopt;
    }
    const std::optional<Found> found = repair(*byName, CategoryRecord::fromProps(*read));
    failed = !found;
    return found;
}

std::optional<CategoriesDBManager::Found> CategoriesDBManager::repair(
    ObjectDatabase& db, const CategoryRecord& record) {
    PropList fixes;
    if (!record.active || *record.active == 0) {
        fixes.append(PropValue::int16(categorytag::kActive, 1));
    }
    int position = record.hasPosition() ? *record.position : -1;
    if (position < 0) {
        const std::optional<int> fresh = newPosition();
        if (!fresh) {
            return std::nullopt;
        }
        position = *fresh;
        fixes.append(PropValue::int16(categorytag::kPosition, int16_t(position)));
    }
    if (!fixes.isEmpty() && db.write(record.oid, fixes) == 0) {
        return std::nullopt;
    }
    return Found{record.oid, position};
}

CategoriesDBManager::AddResult CategoriesDBManager::addCategory(const QString& name, Oid* oid) {
    if (name.isEmpty() || !m_db) {
        return AddResult::Failed;
    }
    AddResult result = AddResult::Failed;
    Oid made = 0;
    const bool committed = m_store.runBatch([&] {
        bool failed = false;
        if (const std::optional<Found> found = lookUp(name, failed)) {
            result = AddResult::Existed;
            made = found->oid;
            return true;
        }
        if (failed) {
            return false;
        }
        made = writeNew(name);
        result = AddResult::Created;
        return made != 0;
    });
    if (!committed) {
        return AddResult::Failed;
    }
    if (oid != nullptr) {
        *oid = made;
    }
    return result;
}

Oid CategoriesDBManager::writeNew(const QString& name) {
    const std::optional<int> position = newPosition();
    if (!position) {
        return 0;
    }
    return m_db->write(0, {PropValue::string(categorytag::kName, name),
                           PropValue::int16(categorytag::kPosition, int16_t(*position)),
                           PropValue::int16(categorytag::kActive, 1),
                           PropValue::int16(categorytag::kContactRefs, 0),
                           PropValue::int16(categorytag::kOtherRefs1, 0),
                           PropValue::int16(categorytag::kOtherRefs2, 0)});
}

bool CategoriesDBManager::deleteCategory(Oid oid) {
    if (!m_db) {
        return false;
    }
    return m_store.runBatch([&] {
        if (!m_db->seekOid(oid)) {
            return false;
        }
        const std::optional<CategoryRecord> record = readCurrent();
        if (!record) {
            return false;
        }
        if (record->referenceSum() > 0) {
            if (record->active && *record->active == 0) {
                return true;
            }
            return m_db->write(oid, {PropValue::int16(categorytag::kActive, 0)}) != 0;
        }
        return m_db->deleteRecord(oid);
    });
}

bool CategoriesDBManager::seekPosition(int position, bool& found) {
    found = false;
    if (!m_db || position < 0 || position > categorymask::kMaxPosition) {
        return m_db != nullptr;
    }
    if (m_db->seekValue(PropValue::int16(categorytag::kPosition, int16_t(position)))) {
        found = true;
        return true;
    }
    return m_db->lastError() == DbError::SeekFailed;
}

std::optional<CategoryRecord> CategoriesDBManager::readCurrent() {
    const std::optional<DbRecord> read = m_db->readAll();
    if (!read) {
        return std::nullopt;
    }
    return CategoryRecord::fromProps(*read);
}

bool CategoriesDBManager::addRef(int position) {
    bool found = false;
    if (!seekPosition(position, found)) {
        return false;
    }
    if (!found) {
        return true;
    }
    const std::optional<DbRecord> read = m_db->read({categorytag::kContactRefs});
    if (!read) {
        return false;
    }
    const PropValue& refs = read->props.first();
    if (refs.isNotFound()) {
        return true;
    }
    return m_db->write(read->oid, {count16(categorytag::kContactRefs, refs.toInt() + 1)}) != 0;
}

bool CategoriesDBManager::release(int position) {
    bool found = false;
    if (!seekPosition(position, found)) {
        return false;
    }
    if (!found) {
        return true;
    }
    const std::optional<CategoryRecord> record = readCurrent();
    return record && applyRelease(*record);
}

bool CategoriesDBManager::applyRelease(const CategoryRecord& record) {
    const int refs = record.contactRefs.value_or(0);
    if (refs <= 0) {
        return true;
    }
    const bool unused = refs == 1 && record.active && *record.active == 0 &&
                        record.otherRefs1.value_or(0) == 0 && record.otherRefs2.value_or(0) == 0;
    if (unused) {
        return m_db->deleteRecord(record.oid);
    }
    return m_db->write(record.oid, {count16(categorytag::kContactRefs, refs - 1)}) != 0;
}

bool CategoriesDBManager::addRefs(const QByteArray& mask) {
    return moveRefs(QByteArray(), mask);
}

bool CategoriesDBManager::releaseRefs(const QByteArray& mask) {
    return moveRefs(mask, QByteArray());
}

bool CategoriesDBManager::moveRefs(const QByteArray& oldMask, const QByteArray& newMask) {
    if (!m_db) {
        return false;
    }
    return m_store.runBatch([&] {
        for (int position : categorymask::positions(oldMask)) {
            if (!categorymask::hasBit(newMask, position) && !release(position)) {
                return false;
            }
        }
        for (int position : categorymask::positions(newMask)) {
            if (!categorymask::hasBit(oldMask, position) && !addRef(position)) {
                return false;
            }
        }
        return true;
    });
}

std::optional<QList<CategoryRecord>> CategoriesDBManager::readAll() {
    if (!m_db) {
        return std::nullopt;
    }
    QList<CategoryRecord> records;
    for (bool more = m_db->seekFirst(); more; more = m_db->seekNext()) {
        const std::optional<CategoryRecord> record = readCurrent();
        if (!record) {
            return std::nullopt;
        }
        records.append(*record);
    }
    if (failedBeyondEnd(*m_db)) {
        return std::nullopt;
    }
    return records;
}

std::optional<QList<Category>> CategoriesDBManager::listInUse() {
    const std::optional<QList<CategoryRecord>> records = readAll();
    if (!records) {
        return std::nullopt;
    }
    return categorylisting::inUse(*records, m_locale);
}

std::optional<QList<Category>> CategoriesDBManager::listForContact(const QByteArray& mask) {
    const std::optional<QList<CategoryRecord>> records = readAll();
    if (!records) {
        return std::nullopt;
    }
    return categorylisting::forContact(*records, mask, m_locale);
}

QStringList CategoriesDBManager::namesOfMask(const QByteArray& mask) {
    QStringList names;
    for (const auto& [oid, name] : pairsOfMask(mask)) {
        names.append(name);
    }
    return names;
}

QList<std::pair<Oid, QString>> CategoriesDBManager::pairsOfMask(const QByteArray& mask) {
    QList<std::pair<Oid, QString>> pairs;
    if (categorymask::isNone(mask)) {
        return pairs;
    }
    const std::optional<QList<CategoryRecord>> records = readAll();
    if (!records) {
        return pairs;
    }
    for (const Category& category : categorylisting::ofMask(*records, mask, m_locale)) {
        pairs.append({category.oid, category.name});
    }
    return pairs;
}

QList<Oid> CategoriesDBManager::oidsOfMask(const QByteArray& mask) {
    QList<Oid> oids;
    for (const auto& [oid, name] : pairsOfMask(mask)) {
        oids.append(oid);
    }
    return oids;
}

QByteArray CategoriesDBManager::maskOfOids(const QList<Oid>& oids) {
    QList<int> positions;
    for (Oid oid : oids) {
        if (const std::optional<std::pair<QString, int>> category = readCategory(oid)) {
            positions.append(category->second);
        }
    }
    return categorymask::fromPositions(positions);
}

std::optional<QByteArray> CategoriesDBManager::maskAddingNames(const QStringList& names) {
    QList<Oid> oids;
    for (const QString& name : names) {
        Oid oid = 0;
        if (addCategory(name, &oid) == AddResult::Failed) {
            return std::nullopt;
        }
        oids.append(oid);
    }
    return maskOfOids(oids);
}

std::optional<std::pair<QString, int>> CategoriesDBManager::readCategory(Oid oid) {
    if (!m_db || oid == 0 || !m_db->seekOid(oid)) {
        return std::nullopt;
    }
    const std::optional<CategoryRecord> record = readCurrent();
    if (!record) {
        return std::nullopt;
    }
    return std::pair<QString, int>{record->name, record->hasPosition() ? *record->position : -1};
}

}  // namespace kontavo
