#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "platform/devicefs.h"
#include "platform/sqliteregistry.h"
#include "store/contacts/contactsdatabasereader.h"
#include "store/contacts/indexsharing.h"
#include "store/contacts/indexstartup.h"
#include "store/contacts/progresssink.h"
#include "store/index/pimindex.h"
#include "store/settings/settingsstore.h"
#include "storecommand.h"

namespace kontavo {

// Progress of long index work as lines on stderr: the text, then every
// tenth of the range.
class StderrProgress final : public ProgressSink {
public:
    int rangeLow() const override { return m_low; }
    int rangeHigh() const override { return m_high; }
    void show() override {}
    void setRange(int low, int high) override;
    void setStep(int step) override { m_step = step; }
    void setText(const QString& text) override;
    void stepOnce() override;
    void close() override {}

private:
    QString m_text;
    int m_low = 0, m_high = 100, m_step = 1, m_position = 0, m_printed = -1;
};

// The device's contact index as the program keeps it, for one command: the
// index files in the device's temporary folder, the settings in the device's
// registry, and a database handle of its own for the index's reads.
//
// The tool changes the index only while it is the master among the programs
// sharing it (context.participant; with none it is its own master): then it
// brings the index up as the program does at start. Otherwise it reads the
// index the master keeps, and the master's messages (stop, reload, take
// over) come here for as long as the object lives. Closing (at destruction)
// writes back what this tool changed and waits for it.
class ToolIndex final : public IndexParticipant {
public:
    // How long a command waits for another program to make the index usable
    // or current.
    static constexpr int kWaitMs = 60000;

    explicit ToolIndex(StoreContext& context);
    ~ToolIndex() override;
    ToolIndex(const ToolIndex&) = delete;
    ToolIndex& operator=(const ToolIndex&) = delete;

    // True while this tool may change the index.
    bool isMaster() const;
    // As master: opens the index and brings it up as the program does at
    // start. Otherwise: waits (up to `timeoutMs`, answering the other
    // programs) until the index the master keeps is usable, and gives
    // Current, or Failed when it did not become usable.
    IndexStartup start(int timeoutMs = kWaitMs);
    // Waits until the index says it is current to `databaseTime` at least
    // (another program keeps it up to date); false after `timeoutMs`.
    bool waitCurrentTo(uint64_t databaseTime, int timeoutMs = kWaitMs);
    // Runs `read` until one run saw an index no program changed meanwhile
    // (once, as master); false when none did within `timeoutMs`.
    bool readSettled(const std::function<void()>& read, int timeoutMs = kWaitMs);
    // Writes the index back now and waits; false when a file could not be
    // written completely.
    bool writeBack() { return m_index.writeBack(); }

    PimIndex& index() { return m_index; }
    ContactReader& reader() { return *m_reader; }
    std::optional<DbInfo> databaseInfo();
    // The host folder the index files are written to.
    QString folder() const;

    // IndexParticipant: what the other programs ask while the command runs.
    void takeOverIndex() override;
    void leaveMasterMode() override;
    void stopIndex() override;
    void reloadIndex() override;
    bool takePreferredItem(Oid oid, uint32_t tag) override;

private:
    IndexSharing* sharing() const;

    StoreContext& m_context;
    DeviceFs m_fs;
    SqliteRegistry m_registry;
    SettingsStore m_settings;
    std::unique_ptr<ObjectDatabase> m_handle;
    std::unique_ptr<ContactsDatabaseReader> m_reader;
    PimIndex m_index;
    StderrProgress m_progress;
    bool m_stopped = false;  // closed at the master's request
};

}  // namespace kontavo
