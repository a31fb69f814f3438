#pragma once

#include <QList>
#include <QString>
#include <optional>

#include "platform/sqlitedb.h"
#include "platform/windowmessage.h"

namespace kontavo {

// One row of the window table.
struct WindowRow {
    WindowHandle handle = 0;
    qint64 pid = 0;
};

// The table every Kontavo program shares in the runtime folder
// ("windows.db", docs/formats/window-messages.md): which top-level windows
// exist (handle, class, owning process) and the registered window messages.
// Every change is one immediate transaction, so programs starting at the same
// moment never hand out the same handle or message number twice.
// Not thread-safe: one connection per thread.
class WindowTable {
public:
    // Opens or creates "<folder>/windows.db" (made anew when the file is
    // damaged); isOpen() tells the outcome.
    explicit WindowTable(const QString& folder);

    bool isOpen() const { return m_db.isOpen(); }

    // Enters a new window of `windowClass` owned by process `pid` under a
    // fresh even, non-zero handle; nullopt on failure.
    std::optional<WindowHandle> addWindow(const QString& windowClass, qint64 pid);
    bool removeWindow(WindowHandle handle);
    // The windows of the class (compared without regard to case), oldest first.
    QList<WindowRow> windowsOfClass(const QString& windowClass);
    std::optional<WindowRow> window(WindowHandle handle);

    // The number registered for `name` (without regard to case), entering the
    // next free one from 0xC000 when the name is new; 0 when all are taken.
    uint32_t registerMessage(const QString& name);

private:
    bool openFile(const QString& file);
    bool createSchema();
    bool isIntact();

    SqliteDb m_db;
    bool m_damaged = false;
};

}  // namespace kontavo
