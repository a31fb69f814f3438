#pragma once

#include <QStringList>
#include <memory>

#include "fakecontactreader.h"
#include "store/contacts/contactobserver.h"
#include "store/contacts/progresssink.h"
#include "store/index/pimindex.h"
#include "support/tempdevice.h"

namespace kontavo::test {

// Remembers everything a progress display was told.
class RecordingProgress final : public ProgressSink {
public:
    int rangeLow() const override { return low; }
    int rangeHigh() const override { return high; }
    void show() override { ++shown; }
    void setRange(int l, int h) override { low = l, high = h; }
    void setStep(int s) override { step = s; }
    void setText(const QString& t) override { texts.append(t); }
    void stepOnce() override { ++steps; }
    void close() override { ++closed; }

    int low = 0, high = 0, step = 0, steps = 0, shown = 0, closed = 0;
    QStringList texts;
};

// Remembers the words-rebuild progress it was given.
class IndexProgressObserver final : public ContactObserver {
public:
    void onCreated(Oid) override {}
    void onChanged(Oid) override {}
    void onDeleted(Oid) override {}
    void onReloaded() override {}
    void onIndexProgress(int step) override { progress.append(step); }
    void setIdle(bool) override {}
    void setBacklog(bool) override {}

    QList<int> progress;
};

// A device with a contacts database and the index over it, as the program
// holds them; the index can be dropped and opened again like a restart.
struct IndexedDevice {
    IndexedDevice();

    void fill(int contacts, int firstSeed = 0);
    // Closes the index (writing it back) and makes a new one, as a restart.
    void restart();
    // What the program does at start: open, then rebuild or synchronise.
    ContactIndex::OpenResult start();
    // Every contact of the database is indexed with its checksum and can be
    // found by its notes mark, and nothing else is indexed; the stores are
    // consistent. Empty when so, else what differs.
    QString differences();
    QString indexFile(const char* name) const;

    TempDevice device;
    Locale locale;
    FakeContactReader db;
    std::unique_ptr<PimIndex> index;
    ContactIndex::SyncResult lastSync = ContactIndex::SyncResult::Done;
};

// A device whose index was built and written back for 30 contacts.
struct StartedDevice : IndexedDevice {
    StartedDevice();
    Oid oidAt(int i) const { return std::next(db.contacts().begin(), i)->first; }
};

}  // namespace kontavo::test
