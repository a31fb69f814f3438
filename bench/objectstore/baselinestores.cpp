#include "baselinestores.h"

#include <QFile>
#include <algorithm>

#include "platform/propcodec.h"

namespace kontavo::bench {

namespace {

bool openFresh(SqliteDb& db, const QString& path, const char* schema) {
    for (const char* suffix : {"", "-wal", "-shm"}) {
        QFile::remove(path + QLatin1String(suffix));
    }
    // The same memory-mapped reads as the object store, so that only the
    // schemas differ.
    return db.open(path) && db.exec("PRAGMA mmap_size=1073741824") && db.exec(schema);
}

QByteArray valueBytes(const PropValue& prop) {
    if (prop.type() == PropType::String) {
        const QString text = prop.toString();
        return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    }
    return prop.toBlob();
}

PropValue valueFrom(PropTag tag, const SqliteStatement& row, int intColumn, int bytesColumn) {
    const QByteArray bytes = row.columnBlob(bytesColumn);
    switch (tagType(tag)) {
        case PropType::String:
            return PropValue::string(
                tag, QString(reinterpret_cast<const QChar*>(bytes.constData()), bytes.size() / 2));
        case PropType::Blob:
            return PropValue::blob(tag, bytes);
        case PropType::FileTime:
            return PropValue::fileTime(tag, uint64_t(row.columnInt(intColumn)));
        case PropType::Int16:
            return PropValue::int16(tag, int16_t(row.columnInt(intColumn)));
        default:
            return PropValue::int32(tag, int32_t(row.columnInt(intColumn)));
    }
}

bool insertProps(SqliteStatement& insert, Oid oid, const PropList& props) {
    for (const PropValue& prop : props) {
        insert.reset();
        insert.bind(1, int64_t(oid));
        insert.bind(2, int64_t(prop.tag()));
        const bool variable = prop.type() == PropType::String || prop.type() == PropType::Blob;
        if (variable) {
            insert.bindNull(3);
            insert.bindBlob(4, valueBytes(prop));
        } else {
            insert.bind(3, prop.type() == PropType::FileTime ? int64_t(prop.toFileTime())
                                                             : int64_t(prop.toInt()));
            insert.bindNull(4);
        }
        if (!insert.run()) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool RowPerPropertyStore::open(const QString& path) {
    return openFresh(m_db, path,
                     "CREATE TABLE props(oid INTEGER NOT NULL, tag INTEGER NOT NULL,"
                     " ival INTEGER, bval BLOB, PRIMARY KEY(oid, tag)) WITHOUT ROWID;");
}

bool RowPerPropertyStore::fill(int count, const std::function<PropList()>& next) {
    SqliteTransaction tx(m_db);
    SqliteStatement insert(m_db, "INSERT INTO props VALUES(?1, ?2, ?3, ?4)");
    for (int i = 1; i <= count; ++i) {
        if (!insertProps(insert, Oid(i), next())) {
            return false;
        }
    }
    return tx.commit();
}

int RowPerPropertyStore::scan(const QList<PropTag>& tags) {
    QByteArray sql("SELECT oid, tag, ival, bval FROM props WHERE tag IN (");
    for (qsizetype i = 0; i < tags.size(); ++i) {
        sql += (i == 0 ? "" : ",") + QByteArray::number(tags[i]);
    }
    SqliteStatement select(m_db, sql + ") ORDER BY oid");
    int records = 0;
    Oid last = 0;
    PropList props;
    while (select.step()) {
        const Oid oid = Oid(select.columnInt(0));
        if (oid != last) {
            ++records;
            last = oid;
            props.clear();
        }
        props.append(valueFrom(PropTag(select.columnInt(1)), select, 2, 3));
    }
    return records;
}

PropList RowPerPropertyStore::readAll(Oid oid) {
    SqliteStatement select(m_db, "SELECT tag, ival, bval FROM props WHERE oid=?1");
    select.bind(1, int64_t(oid));
    PropList props;
    while (select.step()) {
        props.append(valueFrom(PropTag(select.columnInt(0)), select, 1, 2));
    }
    return props;
}

bool RowPerPropertyStore::update(Oid oid, const PropList& props) {
    SqliteTransaction tx(m_db);
    SqliteStatement remove(m_db, "DELETE FROM props WHERE oid=?1 AND tag=?2");
    SqliteStatement insert(m_db, "INSERT INTO props VALUES(?1, ?2, ?3, ?4)");
    for (const PropValue& prop : props) {
        remove.reset();
        remove.bind(1, int64_t(oid));
        remove.bind(2, int64_t(prop.tag()));
        if (!remove.run()) {
            return false;
        }
    }
    PropList values;
    std::copy_if(props.begin(), props.end(), std::back_inserter(values),
                 [](const PropValue& prop) { return !prop.isDeletion(); });
    return insertProps(insert, oid, values) && tx.commit();
}

bool SingleBlobStore::open(const QString& path) {
    return openFresh(m_db, path,
                     "CREATE TABLE records(oid INTEGER PRIMARY KEY, db INTEGER NOT NULL,"
                     " props BLOB NOT NULL); CREATE INDEX records_by_db ON records(db, oid);");
}

bool SingleBlobStore::fill(int count, const std::function<PropList()>& next) {
    SqliteTransaction tx(m_db);
    SqliteStatement insert(m_db, "INSERT INTO records VALUES(?1, 1, ?2)");
    for (int i = 1; i <= count; ++i) {
        const auto encoded =
            propcodec::encode(propcodec::normalized(next()), propcodec::kMaxValueBytes);
        insert.reset();
        insert.bind(1, int64_t(i));
        insert.bindBlob(2, encoded.inlinePart);
        if (!insert.run()) {
            return false;
        }
    }
    return tx.commit();
}

int SingleBlobStore::scan(const QList<PropTag>& tags) {
    QList<PropTag> sorted = tags;
    std::sort(sorted.begin(), sorted.end());
    SqliteStatement select(m_db, "SELECT oid, props FROM records WHERE db=1 ORDER BY oid");
    int records = 0;
    while (select.step()) {
        propcodec::InlineProps decoded;
        records += propcodec::decodeInline(select.columnBlob(1), sorted, decoded) ? 1 : 0;
    }
    return records;
}

bool OwnSchemaReader::open(const QString& path) {
    return m_db.open(path) && m_db.exec("PRAGMA mmap_size=1073741824");
}

int OwnSchemaReader::scan(Oid db, const QList<PropTag>& tags) {
    QList<PropTag> sorted = tags;
    std::sort(sorted.begin(), sorted.end());
    SqliteStatement select(m_db, "SELECT oid, props FROM records WHERE db=?1 ORDER BY oid");
    select.bind(1, int64_t(db));
    int records = 0;
    while (select.step()) {
        propcodec::InlineProps decoded;
        records += propcodec::decodeInline(select.columnBlob(1), sorted, decoded) ? 1 : 0;
    }
    return records;
}

}  // namespace kontavo::bench
