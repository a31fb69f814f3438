#include "shell/program.h"

#include <QApplication>
#include <QPixmap>
#include <cstdio>

#include "diag/errorlog.h"
#include "diag/fatal.h"
#include "platform/devicefs.h"
#include "platform/localwindowregistry.h"
#include "platform/screen.h"
#include "platform/sqliteregistry.h"
#include "shell/commandline.h"
#include "shell/mainwndframe.h"
#include "shell/programoptions.h"
#include "shell/shellids.h"
#include "store/settings/settingsstore.h"
#include "ui/acceleratortable.h"
#include "ui/messageboxes.h"
#include "ui/shellui.h"

namespace kontavo {

namespace {

// Message boxes nobody could see go to stderr instead of waiting forever.
class ConsoleMessageBoxes final : public MessageBoxes {
public:
    void show(QWidget*, const QString& text, const QString& caption, Icon) override {
        std::fprintf(stderr, "kontavo: %s%s%s\n", qPrintable(caption),
                     caption.isEmpty() ? "" : ": ", qPrintable(text));
    }
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
// to the foreground; true when there was one.
bool handOver(WindowRegistry& windows, const QString& commandLine) {
    const WindowHandle running = windows.findWindow(shell::kMainWindowClass.toString());
    if (running == 0) {
        return false;
    }
    if (const std::optional<OpenContactRequest> request = CommandLine::parse(commandLine)) {
        windows.postMessage(running, {shell::kWmOpenContact, request->letter, request->oid});
    }
    windows.setForegroundWindow(running | 1);
    return true;
}

int saveScreenshot(MainWndFrame& window, const QString& path) {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
    }
    const bool saved = window.grab().save(path, "PNG");
    window.destroyMainWindow();
    if (!saved) {
        std::fprintf(stderr, "kontavo: cannot write the screenshot %s\n", qPrintable(path));
        return kExitUsage;
    }
    return 0;
}

int runMainWindow(QApplication& app, const ProgramOptions& options, const AppInfo& info,
                  const Integration& integration) {
    const DeviceFs device(DeviceFs::resolveRoot(options.deviceRoot));
    setLogModule(QCoreApplication::applicationFilePath());
    setLogDevice(&device);
    SqliteRegistry registry(SqliteRegistry::fileInRoot(device.root()));
    LocalWindowRegistry windows;
    if (!registry.isOpen() || !windows.isOpen()) {
        std::fprintf(stderr, "kontavo: cannot open %s\n",
                     !registry.isOpen() ? "the registry in the device root"
                                        : "the runtime folder for windows");
        return kExitUsage;
    }
    if (handOver(windows, options.commandLine)) {
        return kExitHandedOver;
    }
    // A second start may have come up between the first look and now.
    if (handOver(windows, options.commandLine)) {
        return kExitHandedOver;
    }
    SettingsStore settings(registry);
    ShellUi shellUi;
    ConsoleMessageBoxes console;
    const InstalledMessageBoxes boxes(
        QGuiApplication::platformName() == QLatin1String("offscreen") ? &console : nullptr);
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
                             integration.editPhoneFormats,
                             [](int code) { QCoreApplication::exit(code); }};
    MainWndFrame window(services);
    if (!window.create()) {
        return kExitStartupFailed;
    }
    window.show();
    if (const std::optional<OpenContactRequest> request = CommandLine::parse(options.commandLine)) {
        postWindowMessage(&window, {shell::kWmOpenContact, request->letter, request->oid});
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
