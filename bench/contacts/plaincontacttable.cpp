#include "plaincontacttable.h"

#include <QFile>

#include "platform/objectstore.h"
#include "store/contacts/contactprops.h"
#include "store/contacts/listquery.h"

namespace kontavo::bench {

bool PlainContactTable::open(const QString& path) {
    QFile::remove(path);
    return m_db.open(path) && m_db.exec("PRAGMA mmap_size=1073741824") &&
           m_db.exec(
               "CREATE TABLE contacts (oid INTEGER PRIMARY KEY, last TEXT, first TEXT, "
               "company TEXT, title TEXT, work TEXT, work2 TEXT, mask BLOB)");
}

bool PlainContactTable::fillFrom(ObjectDatabase& db) {
    SqliteTransaction transaction(m_db);
    SqliteStatement insert(m_db, "INSERT INTO contacts VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
    for (bool more = db.seekFirst(); more; more = db.seekNext()) {
        const std::optional<DbRecord> read = db.read(listEntryTags());
        if (!read) {
            return false;
        }
        insert.reset();
        insert.bind(1, int64_t(read->oid));
        for (int i = 0; i < 6; ++i) {
            const PropValue& value = read->props[i];
            value.isNotFound() ? insert.bindNull(i + 2) : insert.bind(i + 2, value.toString());
        }
        const PropValue& mask = read->props[6];
        mask.isNotFound() ? insert.bindNull(8) : insert.bindBlob(8, mask.toBlob());
        if (!insert.run()) {
            return false;
        }
    }
    return transaction.commit();
}

bool PlainContactTable::list(const CategoryFilter& filter, QList<ListEntry>& out) {
    SqliteStatement select(m_db,
                           "SELECT oid, last, first, company, title, work, work2, mask "
                           "FROM contacts ORDER BY oid");
    while (select.step()) {
        if (!filter.keeps(select.columnBlob(7))) {
            continue;
        }
        ListEntry entry;
        entry.oid = Oid(select.columnInt(0));
        const QString name = ContactRecord::shortDisplayName(
            select.columnText(1), select.columnText(2), select.columnText(4));
        entry.displayName = name.isEmpty() ? QString() : name;
        entry.company = select.columnText(3);
        const QString work = select.columnText(5);
        entry.firstPhone = work.isEmpty() ? select.columnText(6) : work;
        entry.secondPhone = work.isEmpty() ? QString() : select.columnText(6);
        out.append(entry);
    }
    return select.done();
}

}  // namespace kontavo::bench
