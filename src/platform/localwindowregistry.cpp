#include "platform/localwindowregistry.h"

#include <signal.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QLocalSocket>
#include <cerrno>

#include "platform/localwindowendpoint.h"
#include "platform/runtimedir.h"
#include "platform/windowmessagecodec.h"

namespace kontavo {

namespace {

constexpr int kConnectTimeoutMs = 2000;
// How often a waiting send looks at its own windows' sockets.
constexpr int kPollIntervalMs = 2;

bool processExists(qint64 pid) {
    return pid > 0 && (kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

// Every window of this process, whichever registry made it: a waiting send
// answers sends to all of them.
QList<LocalWindowEndpoint*>& processEndpoints() {
    static QList<LocalWindowEndpoint*> endpoints;
    return endpoints;
}

}  // namespace

LocalWindowRegistry::LocalWindowRegistry(const QString& folder)
    : m_folder(folder.isEmpty() ? runtimeDir() : folder), m_table(m_folder) {}

LocalWindowRegistry::~LocalWindowRegistry() = default;

QString LocalWindowRegistry::socketPath(WindowHandle window) const {
    return m_folder + QStringLiteral("/w-%1").arg(window, 8, 16, QLatin1Char('0'));
}

std::unique_ptr<WindowEndpoint> LocalWindowRegistry::createWindow(const QString& windowClass,
                                                                  WindowReceiver receiver) {
    if (!isOpen()) {
        return nullptr;
    }
    const std::optional<WindowHandle> handle = m_table.addWindow(windowClass, getpid());
    if (!handle) {
        return nullptr;
    }
    auto endpoint =
        std::make_unique<LocalWindowEndpoint>(*this, *handle, windowClass, std::move(receiver));
    processEndpoints().append(endpoint.get());
    if (!endpoint->listen(socketPath(*handle))) {
        return nullptr;  // the endpoint's destructor removes the row
    }
    return endpoint;
}

void LocalWindowRegistry::forgetWindow(LocalWindowEndpoint* endpoint) {
    processEndpoints().removeAll(endpoint);
    m_table.removeWindow(endpoint->handle());
}

WindowHandle LocalWindowRegistry::findWindow(const QString& windowClass) {
    if (!isOpen()) {
        return 0;
    }
    for (const WindowRow& row : m_table.windowsOfClass(windowClass)) {
        if (isWindow(row.handle)) {
            return row.handle;
        }
    }
    return 0;
}

bool LocalWindowRegistry::isWindow(WindowHandle window) {
    return connectTo(window) != nullptr;
}

std::unique_ptr<QLocalSocket> LocalWindowRegistry::connectTo(WindowHandle window) {
    window &= ~WindowHandle(1);
    const std::optional<WindowRow> row = isOpen() ? m_table.window(window) : std::nullopt;
    if (!row) {
        return nullptr;
    }
    if (processExists(row->pid)) {
        auto socket = std::make_unique<QLocalSocket>();
        socket->connectToServer(socketPath(window));
        if (socket->waitForConnected(kConnectTimeoutMs)) {
            return socket;
        }
        // A live program whose socket is merely busy keeps its window, and
        // so does one whose socket is not there yet: its window is being
        // made (the row comes before the socket listens).
        if (socket->error() != QLocalSocket::ConnectionRefusedError) {
            return nullptr;
        }
    }
    removeDeadWindow(window);
    return nullptr;
}

void LocalWindowRegistry::removeDeadWindow(WindowHandle window) {
    // Only a window whose program is gone, or whose socket refuses while the
    // program lives on (a crashed listener), is removed; ours never are.
    for (const LocalWindowEndpoint* endpoint : processEndpoints()) {
        if (endpoint->handle() == window) {
            return;
        }
    }
    m_table.removeWindow(window);
    QFile::remove(socketPath(window));
}

bool LocalWindowRegistry::deliver(WindowHandle window, const QByteArray& frame) {
    std::unique_ptr<QLocalSocket> socket = connectTo(window);
    if (socket == nullptr) {
        return false;
    }
    socket->write(frame);
    const bool written = socket->waitForBytesWritten(kConnectTimeoutMs);
    socket->disconnectFromServer();
    return written;
}

bool LocalWindowRegistry::postMessage(WindowHandle window, const WindowMessage& message) {
    return deliver(window, WindowMessageCodec::encode({WindowRequest::Post, message}));
}

bool LocalWindowRegistry::setForegroundWindow(WindowHandle window) {
    return deliver(window, WindowMessageCodec::encode({WindowRequest::Foreground, {}}));
}

std::optional<int32_t> LocalWindowRegistry::sendMessage(WindowHandle window,
                                                        const WindowMessage& message,
                                                        int timeoutMs) {
    std::unique_ptr<QLocalSocket> socket = connectTo(window);
    if (socket == nullptr) {
        return std::nullopt;
    }
    socket->write(WindowMessageCodec::encode({WindowRequest::Send, message}));
    if (!socket->waitForBytesWritten(kConnectTimeoutMs)) {
        return std::nullopt;
    }
    return awaitResult(*socket, timeoutMs);
}

// Waits for the answer while answering the sends that reach this process's
// own windows, as a blocked sender does on the handheld.
std::optional<int32_t> LocalWindowRegistry::awaitResult(QLocalSocket& socket, int timeoutMs) {
    const QDeadlineTimer deadline =
        timeoutMs < 0 ? QDeadlineTimer(QDeadlineTimer::Forever) : QDeadlineTimer(timeoutMs);
    QByteArray reply;
    while (true) {
        socket.waitForReadyRead(kPollIntervalMs);
        reply += socket.readAll();
        if (reply.size() >= WindowMessageCodec::kFrameSize) {
            const std::optional<WindowFrame> frame = WindowMessageCodec::decode(reply);
            if (!frame || frame->request != WindowRequest::Result) {
                return std::nullopt;
            }
            return int32_t(frame->message.lParam);
        }
        if (socket.state() != QLocalSocket::ConnectedState || deadline.hasExpired()) {
            return std::nullopt;  // the receiver died, or took too long
        }
        pollOwnWindows();
    }
}

void LocalWindowRegistry::pollOwnWindows() {
    const QList<LocalWindowEndpoint*> endpoints = processEndpoints();
    for (LocalWindowEndpoint* endpoint : endpoints) {
        if (processEndpoints().contains(endpoint)) {
            endpoint->pollIncoming();
        }
    }
}

uint32_t LocalWindowRegistry::registerWindowMessage(const QString& name) {
    return isOpen() && !name.isEmpty() ? m_table.registerMessage(name) : 0;
}

}  // namespace kontavo
