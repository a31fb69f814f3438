#include "platform/localwindowendpoint.h"

#include <QLocalSocket>
#include <QScopeGuard>

#include "platform/localwindowregistry.h"
#include "platform/windowmessagecodec.h"

namespace kontavo {

namespace {

int g_holds = 0;

// Endpoints with requests waiting for the holds to go.
QList<QPointer<LocalWindowEndpoint>>& waitingEndpoints() {
    static QList<QPointer<LocalWindowEndpoint>> endpoints;
    return endpoints;
}

}  // namespace

WindowMessageHold::WindowMessageHold() {
    ++g_holds;
}

// The waiting requests are handled by the event loop itself, not here: the
// hold's owner may still be in the middle of its work.
WindowMessageHold::~WindowMessageHold() {
    if (--g_holds > 0) {
        return;
    }
    const QList<QPointer<LocalWindowEndpoint>> waiting = std::move(waitingEndpoints());
    waitingEndpoints().clear();
    for (const QPointer<LocalWindowEndpoint>& endpoint : waiting) {
        if (endpoint != nullptr) {
            QMetaObject::invokeMethod(endpoint, &LocalWindowEndpoint::resume, Qt::QueuedConnection);
        }
    }
}

bool WindowMessageHold::isHeld() {
    return g_holds > 0;
}

LocalWindowEndpoint::LocalWindowEndpoint(LocalWindowRegistry& registry, WindowHandle handle,
                                         QString windowClass, WindowReceiver receiver)
    : m_registry(registry),
      m_handle(handle),
      m_class(std::move(windowClass)),
      m_receiver(std::move(receiver)) {
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, &LocalWindowEndpoint::acceptPending);
}

LocalWindowEndpoint::~LocalWindowEndpoint() {
    // The server deletes its sockets after this object's members are gone:
    // they must not call back into it on the way.
    const QList<QLocalSocket*> sockets = m_server.findChildren<QLocalSocket*>();
    for (QLocalSocket* socket : sockets) {
        socket->disconnect(this);
    }
    m_connections.clear();
    m_server.close();
    m_registry.forgetWindow(this);
}

bool LocalWindowEndpoint::listen(const QString& socketPath) {
    if (m_server.listen(socketPath)) {
        return true;
    }
    // A socket file left by a dead program under a handle now reused.
    QLocalServer::removeServer(socketPath);
    return m_server.listen(socketPath);
}

bool LocalWindowEndpoint::mustWait() {
    if (m_polling || !WindowMessageHold::isHeld()) {
        return false;
    }
    if (!m_waiting) {
        m_waiting = true;
        waitingEndpoints().append(this);
    }
    return true;
}

void LocalWindowEndpoint::resume() {
    m_waiting = false;
    acceptPending();
    const QList<QPointer<QLocalSocket>> connections = m_connections;
    for (const QPointer<QLocalSocket>& socket : connections) {
        if (socket != nullptr) {
            serviceConnection(socket);
        }
    }
}

void LocalWindowEndpoint::pollIncoming() {
    m_polling = true;
    const auto polled = qScopeGuard([this] { m_polling = false; });
    bool timedOut = false;
    m_server.waitForNewConnection(0, &timedOut);
    acceptPending();
    const QList<QPointer<QLocalSocket>> connections = m_connections;
    for (const QPointer<QLocalSocket>& socket : connections) {
        if (socket != nullptr && m_connections.contains(socket)) {
            socket->waitForReadyRead(0);
            serviceConnection(socket);
        }
    }
}

void LocalWindowEndpoint::acceptPending() {
    if (mustWait()) {
        return;
    }
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        m_connections.append(socket);
        connect(socket, &QLocalSocket::readyRead, this,
                [this, socket] { serviceConnection(socket); });
        connect(socket, &QLocalSocket::disconnected, this,
                [this, socket] { serviceConnection(socket); });
        serviceConnection(socket);
    }
}

// One request per connection: once its frame is read, the connection is
// taken out of the list before the request runs, so a nested send that polls
// this window never sees it again.
void LocalWindowEndpoint::serviceConnection(QLocalSocket* socket) {
    if (!m_connections.contains(socket) || mustWait()) {
        return;
    }
    if (socket->bytesAvailable() >= WindowMessageCodec::kFrameSize) {
        const QByteArray bytes = socket->read(WindowMessageCodec::kFrameSize);
        m_connections.removeAll(socket);
        socket->disconnect(this);
        // The receiver may destroy this window (and so the socket) meanwhile.
        const QPointer<QLocalSocket> guard(socket);
        dispatch(socket, bytes);
        if (guard != nullptr) {
            finish(guard);
        }
    } else if (socket->state() != QLocalSocket::ConnectedState) {
        // A probe, or a sender that gave up before its frame was complete.
        m_connections.removeAll(socket);
        socket->disconnect(this);
        finish(socket);
    }
}

void LocalWindowEndpoint::dispatch(QLocalSocket* socket, const QByteArray& bytes) {
    const std::optional<WindowFrame> frame = WindowMessageCodec::decode(bytes);
    if (!frame) {
        return;
    }
    const WindowMessage message = frame->message;
    switch (frame->request) {
        case WindowRequest::Post:
            QMetaObject::invokeMethod(
                this,
                [this, message] {
                    if (m_receiver.message) {
                        m_receiver.message(message, false);
                    }
                },
                Qt::QueuedConnection);
            break;
        case WindowRequest::Foreground:
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (m_receiver.foreground) {
                        m_receiver.foreground();
                    }
                },
                Qt::QueuedConnection);
            break;
        case WindowRequest::Send: {
            const QPointer<QLocalSocket> guard(socket);
            const int32_t result = m_receiver.message ? m_receiver.message(message, true) : 0;
            if (guard == nullptr) {
                return;
            }
            WindowFrame answer{WindowRequest::Result, {message.id, 0, uint32_t(result)}};
            socket->write(WindowMessageCodec::encode(answer));
            socket->waitForBytesWritten(1000);
            break;
        }
        case WindowRequest::Result:
            break;
    }
}

void LocalWindowEndpoint::finish(QLocalSocket* socket) {
    socket->disconnectFromServer();
    socket->deleteLater();
}

}  // namespace kontavo
