#include "fakecontactreader.h"

#include <QDataStream>
#include <QFile>
#include <QSaveFile>

#include "store/index/propsrecord.h"

namespace kontavo::test {

namespace {

uint32_t fnv(uint32_t hash, QStringView text) {
    for (QChar c : text) {
        hash = (hash ^ c.unicode()) * 16777619u;
    }
    return (hash ^ 0xFFFF) * 16777619u;
}

}  // namespace

FakeContactReader::FakeContactReader() = default;

Oid FakeContactReader::add(ContactRecord record, const QString& notesText) {
    if (record.oid == 0) {
        record.oid = m_nextOid++;
    }
    m_nextOid = std::max(m_nextOid, record.oid + 1);
    m_contacts[record.oid] = {record, notesText};
    logChange(record.oid);
    return record.oid;
}

void FakeContactReader::change(Oid oid, const std::function<void(IndexedContact&)>& edit) {
    edit(m_contacts.at(oid));
    logChange(oid);
}

void FakeContactReader::erase(Oid oid) {
    m_contacts.erase(oid);
    logChange(oid);
}

void FakeContactReader::logChange(Oid oid) {
    ++m_time;
    m_log.push_back({m_time, oid});
}

void FakeContactReader::trimLog(size_t keep) {
    if (m_log.size() > keep) {
        m_log.erase(m_log.begin(), m_log.end() - std::ptrdiff_t(keep));
    }
}

std::optional<QList<Oid>> FakeContactReader::changedSince(uint64_t since) {
    if (since == m_time) {
        return QList<Oid>();
    }
    const auto anchor = std::find_if(
        m_log.begin(), m_log.end(), [since](const LogEntry& entry) { return entry.time == since; });
    if (anchor == m_log.end()) {
        return std::nullopt;
    }
    QList<Oid> oids;
    for (auto it = anchor + 1; it != m_log.end(); ++it) {
        oids.append(it->oid);
    }
    std::sort(oids.begin(), oids.end());
    oids.erase(std::unique(oids.begin(), oids.end()), oids.end());
    return oids;
}

bool FakeContactReader::readChecksum(Oid oid, std::optional<uint32_t>& checksum) {
    checksum.reset();
    if (!readAllowed()) {
        return false;
    }
    if (contains(oid)) {
        checksum = checksumOf(oid);
    }
    return true;
}

uint32_t FakeContactReader::checksumOf(Oid oid) const {
    const IndexedContact& contact = m_contacts.at(oid);
    ExtendedProperties extended = contact.record.extended;
    extended.checksum = 0;
    uint32_t hash = fnv(2166136261u ^ oid, contact.notesText);
    for (const QString& field : contact.record.fields) {
        hash = fnv(hash, field);
    }
    const QByteArray record = PropsRecord::encode(extended);
    hash = fnv(hash, QString::fromLatin1(record.toHex()));
    return hash ^ uint32_t(contact.record.birthday) ^ uint32_t(contact.record.anniversary >> 7);
}

IndexedContact FakeContactReader::indexed(Oid oid) const {
    IndexedContact contact = m_contacts.at(oid);
    contact.record.extended.checksum = checksumOf(oid);
    return contact;
}

DbInfo FakeContactReader::info() const {
    DbInfo info;
    info.oid = 1;
    info.name = QStringLiteral("Contacts Database");
    info.recordCount = uint32_t(m_contacts.size());
    info.lastModified = m_time;
    return info;
}

bool FakeContactReader::readAllowed() {
    if (failReadsAfter == 0) {
        return false;
    }
    if (failReadsAfter > 0) {
        --failReadsAfter;
    }
    return true;
}

std::optional<QList<Oid>> FakeContactReader::databaseOids() {
    QList<Oid> oids;
    for (const auto& [oid, contact] : m_contacts) {
        oids.append(oid);
    }
    return oids;
}

bool FakeContactReader::scanChecksums(const std::function<void(Oid, uint32_t)>& visit) {
    for (const auto& [oid, contact] : m_contacts) {
        if (!readAllowed()) {
            return false;
        }
        visit(oid, checksumOf(oid));
    }
    return true;
}

bool FakeContactReader::readForIndex(Oid oid, IndexedContact& out) {
    if (!contains(oid) || !readAllowed()) {
        return false;
    }
    out = indexed(oid);
    return true;
}

bool FakeContactReader::readAllForIndex(
    const std::function<void(IndexedContact&& contact, int done, int total)>& visit) {
    ++readAllCalls;
    const int total = int(m_contacts.size());
    int done = 0;
    for (const auto& [oid, contact] : m_contacts) {
        if (!readAllowed()) {
            return false;
        }
        visit(indexed(oid), ++done, total);
    }
    return true;
}

bool FakeContactReader::save(const QString& path) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    QDataStream out(&file);
    out << quint32(m_nextOid) << quint64(m_time) << quint32(m_contacts.size());
    for (const auto& [oid, contact] : m_contacts) {
        const ContactRecord& r = contact.record;
        out << quint32(oid) << QStringList(r.fields.begin(), r.fields.end()) << quint64(r.birthday)
            << quint64(r.anniversary) << PropsRecord::encode(r.extended) << contact.notesText;
    }
    return file.commit();
}

bool FakeContactReader::load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    QDataStream in(&file);
    quint32 nextOid = 0;
    quint64 time = 0;
    quint32 count = 0;
    in >> nextOid >> time >> count;
    m_contacts.clear();
    for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        quint32 oid = 0;
        QStringList fields;
        quint64 birthday = 0;
        quint64 anniversary = 0;
        QByteArray extended;
        QString notes;
        in >> oid >> fields >> birthday >> anniversary >> extended >> notes;
        IndexedContact contact;
        contact.record.oid = oid;
        std::copy_n(fields.begin(), std::min<qsizetype>(fields.size(), kContactFieldCount),
                    contact.record.fields.begin());
        contact.record.birthday = birthday;
        contact.record.anniversary = anniversary;
        contact.record.extended = PropsRecord::decode(extended).value_or(ExtendedProperties());
        contact.notesText = notes;
        m_contacts[oid] = contact;
    }
    m_nextOid = nextOid;
    m_time = time;
    m_log.clear();
    return in.status() == QDataStream::Ok;
}

ContactRecord sampleContact(int seed) {
    static const QStringList first = {"Anna", "Boris", "Clara", "David", "Елена", "Фёдор"};
    static const QStringList last = {"Ivanova", "Petrov", "Müller", "O'Brien", "Кузнецов", "Lee"};
    ContactRecord record;
    record.setField(ContactField::FirstName, first[seed % first.size()]);
    record.setField(ContactField::LastName, last[(seed / 3) % last.size()]);
    record.setField(ContactField::Company,
                    seed % 4 == 0 ? QStringLiteral("Acme Corp.") : QString());
    record.setField(ContactField::MobilePhone,
                    QStringLiteral("+7 (916) %1-%2").arg(100 + seed % 900).arg(1000 + seed % 9000));
    record.setField(ContactField::Email1, QStringLiteral("user%1@example.com").arg(seed));
    if (seed % 3 == 0) {
        record.setField(ContactField::HomeCity, QStringLiteral("Санкт-Петербург"));
        record.extended.homeAddressFormat = 7;
    }
    if (seed % 5 == 0) {
        record.extended.phones = {{"Dacha", QStringLiteral("8 495 %1").arg(5550000 + seed)}};
        record.extended.people = {{"Friend", QStringLiteral("Zoe%1").arg(seed % 7)}};
    }
    if (seed % 7 == 0) {
        record.birthday = 0x01C0000000000000ull + uint64_t(seed) * 864000000000ull;
    }
    return record;
}

QString sampleNotes(int seed) {
    return QStringLiteral("met at conference number %1, mark%2").arg(seed % 11).arg(seed);
}

}  // namespace kontavo::test
