#pragma once

#include <QList>
#include <QString>
#include <memory>

#include "platform/windowregistry.h"
#include "platform/windowtable.h"

class QLocalSocket;

namespace kontavo {

class LocalWindowEndpoint;

// The windows between programs on Linux: each window is a QLocalServer socket
// "w-<handle in hex>" in the runtime folder (mode 0700), and the shared
// WindowTable there says which handle belongs to which class and process.
// Windows of programs that died are found out when they are looked up or
// contacted (their process is gone or their socket refuses) and removed
// together with their socket file. See WindowRegistry for the contract; the
// registry must outlive the windows it made.
class LocalWindowRegistry final : public WindowRegistry {
public:
    // Works in `folder` (default: runtimeDir()); isOpen() tells whether the
    // folder and its table could be used.
    explicit LocalWindowRegistry(const QString& folder = QString());
    ~LocalWindowRegistry() override;
    LocalWindowRegistry(const LocalWindowRegistry&) = delete;
    LocalWindowRegistry& operator=(const LocalWindowRegistry&) = delete;

    bool isOpen() const { return m_table.isOpen(); }
    // The folder it works in (empty when the runtime folder was unusable).
    const QString& folder() const { return m_folder; }

    std::unique_ptr<WindowEndpoint> createWindow(const QString& windowClass,
                                                 WindowReceiver receiver) override;
    WindowHandle findWindow(const QString& windowClass) override;
    bool isWindow(WindowHandle window) override;
    bool postMessage(WindowHandle window, const WindowMessage& message) override;
    std::optional<int32_t> sendMessage(WindowHandle window, const WindowMessage& message,
                                       int timeoutMs = -1) override;
    uint32_t registerWindowMessage(const QString& name) override;
    bool setForegroundWindow(WindowHandle window) override;

    // Called by an endpoint that goes away.
    void forgetWindow(LocalWindowEndpoint* endpoint);

private:
    QString socketPath(WindowHandle window) const;
    // A connected socket to the window, or nullptr (the window is then
    // removed when its program is gone).
    std::unique_ptr<QLocalSocket> connectTo(WindowHandle window);
    bool deliver(WindowHandle window, const QByteArray& frame);
    std::optional<int32_t> awaitResult(QLocalSocket& socket, int timeoutMs);
    void removeDeadWindow(WindowHandle window);
    void pollOwnWindows();

    QString m_folder;
    WindowTable m_table;
};

}  // namespace kontavo
