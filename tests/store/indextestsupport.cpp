#include "indextestsupport.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

namespace kontavo::test {

IndexedDevice::IndexedDevice()
    : locale(QLocale(QLocale::English, QLocale::UnitedStates)),
      index(std::make_unique<PimIndex>(device.fs(), device.settings(), nullptr, locale)) {}

void IndexedDevice::fill(int contacts, int firstSeed) {
    for (int seed = firstSeed; seed < firstSeed + contacts; ++seed) {
        db.add(sampleContact(seed), sampleNotes(seed));
    }
}

void IndexedDevice::restart() {
    index->close();
    index = std::make_unique<PimIndex>(device.fs(), device.settings(), nullptr, locale);
}

ContactIndex::OpenResult IndexedDevice::start() {
    const auto result = index->open(db.info());
    if (result == ContactIndex::OpenResult::Stale) {
        lastSync = index->synchronize(db, nullptr);
        if (lastSync != ContactIndex::SyncResult::Done) {
            index->rebuild(db, nullptr, false);
        }
    } else if (result == ContactIndex::OpenResult::Rebuild) {
        index->rebuild(db, nullptr, false);
    }
    return result;
}

QString IndexedDevice::differences() {
    QString problem;
    if (!index->checkStores(&problem)) {
        return problem;
    }
    QList<Oid> expected;
    for (const auto& [oid, contact] : db.contacts()) {
        expected.append(oid);
        if (index->storedChecksum(oid) != db.checksumOf(oid)) {
            return QStringLiteral("checksum of %1").arg(oid);
        }
        const QString mark = contact.notesText.section(QLatin1Char(' '), -1);
        if (!mark.isEmpty() && !index->findWords(mark).contains(oid)) {
            return QStringLiteral("%1 not found by %2").arg(oid).arg(mark);
        }
    }
    if (index->allOids() != expected) {
        return QStringLiteral("indexed contacts differ");
    }
    return QString();
}

QString IndexedDevice::indexFile(const char* name) const {
    return device.host(QStringLiteral("\\Temp\\") + QLatin1String(name));
}

StartedDevice::StartedDevice() {
    fill(30);
    EXPECT_EQ(start(), ContactIndex::OpenResult::Rebuild);
    restart();
}

}  // namespace kontavo::test
