// kontavo-sample-callerid: a sample caller-ID companion, the stand-in for
// the handheld's "CallerID.exe". Installed as "CallerID.exe" next to the
// program (docs/companions.md), it keeps a window of class
// "CALLERID_MAINCLASS" while it runs, so that the program finds it running.
//
//   kontavo-sample-callerid             runs until told to stop
//   kontavo-sample-callerid /SHUTDOWN   tells the running one to stop
//
// What it receives goes, one line each, to the file $KONTAVO_CALLERID_LOG
// (else to stdout): "started", "message 3026 WPARAM LPARAM" for the
// ringtone notification (and any other message posted or sent to it),
// "stopped".
#include <QCoreApplication>
#include <QFile>
#include <QTimer>
#include <cstdio>

#include "platform/localwindowregistry.h"

namespace {

constexpr uint32_t kClose = 0x0010;  // WM_CLOSE
const QString kWindowClass = QStringLiteral("CALLERID_MAINCLASS");

void note(const QString& line) {
    const QString path = qEnvironmentVariable("KONTAVO_CALLERID_LOG");
    if (path.isEmpty()) {
        std::printf("%s\n", qPrintable(line));
        std::fflush(stdout);
        return;
    }
    QFile file(path);
    if (file.open(QIODevice::Append)) {
        file.write((line + QLatin1Char('\n')).toUtf8());
    }
}

// Asks the running companion to close; 0 when there was one.
int shutdown(kontavo::LocalWindowRegistry& windows) {
    const kontavo::WindowHandle running = windows.findWindow(kWindowClass);
    if (running == 0) {
        std::fprintf(stderr, "kontavo-sample-callerid: not running\n");
        return 1;
    }
    return windows.postMessage(running, {kClose, 0, 0}) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    kontavo::LocalWindowRegistry windows;
    if (!windows.isOpen()) {
        std::fprintf(stderr, "kontavo-sample-callerid: no runtime folder\n");
        return 2;
    }
    if (app.arguments().mid(1).contains(QStringLiteral("/SHUTDOWN"), Qt::CaseInsensitive)) {
        return shutdown(windows);
    }
    if (windows.findWindow(kWindowClass) != 0) {
        return 0;  // one companion at a time
    }
    kontavo::WindowReceiver receiver;
    receiver.message = [](const kontavo::WindowMessage& message, bool) -> int32_t {
        if (message.id == kClose) {
            QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
            return 0;
        }
        note(QStringLiteral("message %1 %2 %3")
                 .arg(message.id)
                 .arg(message.wParam)
                 .arg(message.lParam));
        return 0;
    };
    const std::unique_ptr<kontavo::WindowEndpoint> window =
        windows.createWindow(kWindowClass, receiver);
    if (window == nullptr) {
        std::fprintf(stderr, "kontavo-sample-callerid: cannot make its window\n");
        return 2;
    }
    note(QStringLiteral("started"));
    const int code = app.exec();
    note(QStringLiteral("stopped"));
    return code;
}
