#pragma once

#include <QList>
#include <QLocalServer>
#include <QObject>
#include <QPointer>

#include "platform/windowregistry.h"

class QLocalSocket;

namespace kontavo {

class LocalWindowRegistry;

// A window's socket: accepts one request per connection from other programs
// (or this one), queues posts and foreground requests onto the event loop
// and answers sends at once. Owned by whoever created the window through
// LocalWindowRegistry::createWindow; one thread.
class LocalWindowEndpoint final : public QObject, public WindowEndpoint {
    Q_OBJECT
public:
    LocalWindowEndpoint(LocalWindowRegistry& registry, WindowHandle handle, QString windowClass,
                        WindowReceiver receiver);
    ~LocalWindowEndpoint() override;
    LocalWindowEndpoint(const LocalWindowEndpoint&) = delete;
    LocalWindowEndpoint& operator=(const LocalWindowEndpoint&) = delete;

    // Starts listening at `socketPath`; false when the socket cannot be made.
    bool listen(const QString& socketPath);

    WindowHandle handle() const override { return m_handle; }
    QString windowClass() const override { return m_class; }

    // Handles what has arrived without waiting: used while a send of this
    // process waits for its answer, so sends to this window are answered.
    void pollIncoming();

    // Handles what waited for a WindowMessageHold to go.
    void resume();

private:
    // True when requests must wait: a hold is on and this is not a poll.
    bool mustWait();
    void acceptPending();
    void serviceConnection(QLocalSocket* socket);
    void dispatch(QLocalSocket* socket, const QByteArray& bytes);
    void finish(QLocalSocket* socket);

    LocalWindowRegistry& m_registry;
    WindowHandle m_handle;
    QString m_class;
    WindowReceiver m_receiver;
    QLocalServer m_server;
    QList<QPointer<QLocalSocket>> m_connections;
    bool m_polling = false;
    bool m_waiting = false;  // requests wait for the hold to go
};

}  // namespace kontavo
