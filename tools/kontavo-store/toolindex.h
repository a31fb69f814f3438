#pragma once

#include <memory>
#include <optional>

#include "platform/devicefs.h"
#include "platform/sqliteregistry.h"
#include "store/contacts/contactsdatabasereader.h"
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
// registry, and a database handle of its own for the index's reads. Closing
// (at destruction) writes the index back and waits for it.
class ToolIndex {
public:
    explicit ToolIndex(StoreContext& context);
    ~ToolIndex();
    ToolIndex(const ToolIndex&) = delete;
    ToolIndex& operator=(const ToolIndex&) = delete;

    // Opens the index and brings it up to date as the program does at start.
    IndexStartup start();
    PimIndex& index() { return m_index; }
    ContactReader& reader() { return *m_reader; }
    std::optional<DbInfo> databaseInfo();

private:
    StoreContext& m_context;
    DeviceFs m_fs;
    SqliteRegistry m_registry;
    SettingsStore m_settings;
    std::unique_ptr<ObjectDatabase> m_handle;
    std::unique_ptr<ContactsDatabaseReader> m_reader;
    PimIndex m_index;
    StderrProgress m_progress;
};

}  // namespace kontavo
