#include "shell/program.h"

#include <QApplication>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstdio>

#include "diag/errorlog.h"
#include "diag/fatal.h"
#include "platform/devicefs.h"
#include "platform/localwindowregistry.h"
#include "platform/runtimedir.h"
#include "platform/screen.h"
#include "platform/sqliteregistry.h"
#include "shell/commandline.h"
#include "shell/devicerootcheck.h"
#include "shell/mainwndframe.h"
#include "shell/programoptions.h"
#include "shell/shellids.h"
#include "shell/vcardhandover.h"
#include "store/settings/settingsstore.h"
#include "ui/acceleratortable.h"
#include "ui/messageboxes.h"
#include "ui/shellui.h"
#include "ui/sippanel.h"

namespace kontavo {

namespace {

// Message boxes go to stderr: always while the program starts (a start
// from a terminal or a script says why it stopped), and on screen as well
// when there is one to see them.
class ConsoleMessageBoxes final : public MessageBoxes {
public:
    explicit ConsoleMessageBoxes(bool onScreen) : m_onScreen(onScreen) {}
    void show(QWidget* parent, const QString& text, const QString& caption, Icon icon) override {
        std::fprintf(stderr, "kontavo: %s%s%s\n", qPrintable(caption),
                     caption.isEmpty() ? "" : ": ", qPrintable(text));
        if (m_onScreen) {
            MessageBoxes::onScreen().show(parent, text, caption, icon);
        }
    }
    bool askYesNo(QWidget* parent, const QString& text, const QString& caption,
                  Icon icon) override {
        return m_onScreen && MessageBoxes::onScreen().askYesNo(parent, text, caption, icon);
    }

private:
    bool m_onScreen;
};

// Installs a message box presenter for as long as it lives.
class InstalledMessageBoxes {
public:
    explicit InstalledMessageBoxes(MessageBoxes* presenter) { MessageBoxes::install(presenter); }
    ~InstalledMessageBoxes() { MessageBoxes::install(nullptr); }
    InstalledMessageBoxes(const InstalledMessageBoxes&) = delete;
    InstalledMessageBoxes& operator=(const InstalledMessageBoxes&) = delete;
};

bool hasDisplay() {
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

bool isOffscreen() {
    return QGuiApplication::platformName() == QLatin1String("offscreen");
}

std::optional<ProgramOptions> readOptions(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    QString error;
    std::optional<ProgramOptions> options = ProgramOptions::parse(arguments, &error);
    if (!options) {
        std::fprintf(stderr, "kontavo: %s\n%s", qPrintable(error),
                     qPrintable(ProgramOptions::usage()));
    }
    return options;
}

// A running instance gets the command line (when it is accepted) and comes
// to the foreground; true when there was one. The hand-over is said on
// stderr, as the process ends without a window of its own.
bool handOver(LocalWindowRegistry& windows, const ProgramOptions& options) {
    const QString& commandLine = options.commandLine;
    const WindowHandle running = windows.findWindow(shell::kMainWindowClass.toString());
    if (running == 0) {
        return false;
    }
    if (!options.vcardFiles.isEmpty()) {
        for (const QString& file : options.vcardFiles) {
            const std::optional<uint32_t> number = VCardHandOver::put(windows.folder(), file);
            if (number) {
                windows.postMessage(running, {shell::kWmImportVCards, 0, *number});
            }
            std::fprintf(stderr,
                         number ? "kontavo: Kontavo is running already; it imports \"%s\"\n"
                                : "kontavo: cannot hand \"%s\" to the running Kontavo\n",
                         qPrintable(file));
        }
    } else if (const std::optional<OpenContactRequest> request = CommandLine::parse(commandLine)) {
        windows.postMessage(running, {shell::kWmOpenContact, request->letter, request->oid});
        std::fprintf(stderr, "kontavo: Kontavo is running already; it opens \"%s\"\n",
                     qPrintable(commandLine));
    } else {
        std::fprintf(stderr, "kontavo: Kontavo is running already; it was brought to the front\n");
    }
    windows.setForegroundWindow(running | 1);
    return true;
}

// Draws the screen as it stands once the start-up's posted work is done: the
// main window, or the full-screen window over it (the card a "v OID" command
// line opened).
int saveScreenshot(MainWndFrame& window, const QString& path) {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
    }
    QWidget* shown = QApplication::activeModalWidget();
    const bool saved = (shown != nullptr ? shown : &window)->grab().save(path, "PNG");
    window.destroyMainWindow();
    if (!saved) {
        std::fprintf(stderr, "kontavo: cannot write the screenshot %s\n", qPrintable(path));
        return kExitUsage;
    }
    return 0;
}

QString deviceRootOf(const ProgramOptions& options) {
    return options.demo ? DeviceFs::demoRoot() : DeviceFs::resolveRoot(options.deviceRoot);
}

// Says why the start ends, on stderr and in a message box.
int startFails(const QString& text) {
    MessageBoxes::current().show(nullptr, text, QStringLiteral("Error"), MessageBoxes::Icon::Error);
    return kExitUsage;
}

int runMainWindow(QApplication& app, const ProgramOptions& options, const AppInfo& info,
                  const Integration& integration) {
    ShellUi shellUi;
    ConsoleMessageBoxes startup(!isOffscreen());
    std::optional<InstalledMessageBoxes> boxes(&startup);
    const QString root = deviceRootOf(options);
    if (const std::optional<QString> problem = deviceRootProblem(root)) {
        return startFails(QStringLiteral("Cannot use the device root %1: %2.").arg(root, *problem));
    }
    const DeviceFs device(root);
    setLogModule(QCoreApplication::applicationFilePath());
    setLogDevice(&device);
    SqliteRegistry registry(SqliteRegistry::fileInRoot(device.root()));
    if (!registry.isOpen()) {
        return startFails(
            QStringLiteral("Cannot open the registry %1: %2.")
                .arg(SqliteRegistry::fileInRoot(device.root()), registry.errorMessage()));
    }
    // A screenshot keeps to itself: its window lives in a private folder,
    // where it neither finds a running instance nor is found by one.
    std::optional<QTemporaryDir> privateFolder;
    if (options.screenshot) {
        privateFolder.emplace();
    }
    LocalWindowRegistry windows(privateFolder ? privateFolder->path() : QString());
    if (!windows.isOpen()) {
        const QString folder = windows.folder().isEmpty() ? runtimeDirPath() : windows.folder();
        return startFails(
            QStringLiteral("Cannot use the runtime folder %1: it must be a folder of yours that "
                           "only you can read and write (mode 0700).")
                .arg(folder));
    }
    if (!options.screenshot) {
        // A second start may come up between the first look and the second.
        if (handOver(windows, options) || handOver(windows, options)) {
            return kExitHandedOver;
        }
    }
    SettingsStore settings(registry);
    MainWndServices services{&device,
                             &settings,
                             &windows,
                             &shellUi,
                             PlatformVersion::current(),
                             QCoreApplication::applicationDirPath(),
                             info,
                             integration.openContactStore,
                             integration.createContactsFrame,
                             integration.runOptions,
                             integration.editTemplate,
                             [](int code) { QCoreApplication::exit(code); }};
    services.handOverFolder = windows.folder();
    MainWndFrame window(services);
    if (!window.create()) {
        return kExitStartupFailed;
    }
    // Started: message boxes from now on only on screen (a program without
    // one has nobody to ask, and writes them to stderr).
    boxes.reset();
    ConsoleMessageBoxes console(false);
    const InstalledMessageBoxes running(isOffscreen() ? &console : nullptr);
    window.show();
    if (options.sipUp) {
        if (options.screenshot) {
            window.sipPanel()->setSlideDuration(0);  // the picture shows it up
        }
        shellUi.setSipUp(true);
    }
    if (const std::optional<OpenContactRequest> request = CommandLine::parse(options.commandLine)) {
        postWindowMessage(&window, {shell::kWmOpenContact, request->letter, request->oid});
    }
    for (const QString& file : options.vcardFiles) {
        if (const std::optional<uint32_t> number = VCardHandOver::put(windows.folder(), file)) {
            postWindowMessage(&window, {shell::kWmImportVCards, 0, *number});
        }
    }
    if (const std::optional<AcceleratorTable> table =
            AcceleratorTable::load(shell::kMainAccelerators)) {
        shellUi.setAccelerators(&window, *table);
    }
    return options.screenshot ? saveScreenshot(window, *options.screenshot) : app.exec();
}

}  // namespace

int runProgram(int argc, char** argv, const AppInfo& info, const Integration& integration) {
    const std::optional<ProgramOptions> options = readOptions(argc, argv);
    if (!options) {
        return kExitUsage;
    }
    if (options->help) {
        std::fputs(qPrintable(ProgramOptions::usage()), stdout);
        return 0;
    }
    if (options->version) {
        std::printf("kontavo %s (build %s)\n", qPrintable(info.version), qPrintable(info.build));
        return 0;
    }
    if (!hasDisplay()) {
        if (!options->screenshot) {
            std::fprintf(stderr,
                         "kontavo: no display (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
                         "Start it in a desktop session, or draw the main screen into a file "
                         "with --screenshot FILE.png.\n");
            return kExitUsage;
        }
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    Screen::setCurrent(Screen(options->dpi, options->dpi));
    QApplication app(argc, argv);
    return runMain([&] { return runMainWindow(app, *options, info, integration); });
}

}  // namespace kontavo
