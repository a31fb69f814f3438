#include "shell/mainwndframe.h"

#include <QApplication>
#include <QCloseEvent>
#include <QScreen>

#include "comm/callerid.h"
#include "comm/contactaddins.h"
#include "comm/dialmethod.h"
#include "diag/resources.h"
#include "platform/devicefs.h"
#include "platform/screen.h"
#include "shell/appointmentsframe.h"
#include "shell/menucommands.h"
#include "shell/progresswnd.h"
#include "shell/shellids.h"
#include "store/settings/settingsstore.h"
#include "store/sync/pimsync.h"
#include "ui/icons.h"
#include "ui/menubar.h"
#include "ui/messageboxes.h"
#include "ui/sharedfonts.h"
#include "ui/shellui.h"
#include "ui/sippanel.h"

namespace kontavo {

namespace {
MainWndFrame* g_instance = nullptr;
}  // namespace

MainWndFrame::MainWndFrame(MainWndServices services) : m_services(std::move(services)) {
    g_instance = this;
    setObjectName(shell::kMainWindowClass.toString());
    setAutoFillBackground(true);
    QPalette colors = palette();
    colors.setColor(QPalette::Window, Qt::white);
    setPalette(colors);
}

MainWndFrame::~MainWndFrame() {
    destroyMainWindow();
    if (g_instance == this) {
        g_instance = nullptr;
    }
}

MainWndFrame* MainWndFrame::instance() {
    return g_instance;
}

WindowHandle MainWndFrame::handle() const {
    return m_endpoint != nullptr ? m_endpoint->handle() : 0;
}

AppFrame* MainWndFrame::appointmentsFrame() const {
    return m_appointmentsFrame.get();
}

bool MainWndFrame::create() {
    loadSharedResources();
    writeProgramPath();
    setWindowTitle(loadStringStrict(shell::kTitleString));
    loadIconPixmapStrict(icon::kApplication);
    setWindowIcon(loadIcon(icon::kApplication));
    const bool created = createWindowAndMenuBar() && checkPlatformVersion();
    if (created) {
        registerMessages();
        joinSharing();
        ContactAddIns::setCurrent(
            ContactAddIns::load(m_services.settings->registry(), *m_services.device));
        chooseDialupMode();
    }
    if (!created || !openContactStore()) {
        destroyMainWindow();
        return false;
    }
    applyDoubleSized();
    recordCallerIdState();
    if (!createFrames()) {
        destroyMainWindow();
        return false;
    }
    m_activeFrame = m_contactsFrame != nullptr ? static_cast<AppFrame*>(m_contactsFrame.get())
                                               : m_appointmentsFrame.get();
    m_activeFrame->showFrame();
    m_created = true;
    // The most recently started program keeps the index from now on.
    m_sync->becomeMaster();
    takeTalkKey();
    return true;
}

void MainWndFrame::loadSharedResources() {
    SharedFonts::setCurrent(SharedFonts::create(*m_services.settings, Screen::current()));
    setFont(SharedFonts::current().normal);
}

// "ProgramPath" names the program as the handheld would: the program's
// folder (here the host folder, written with backslashes) and "Kontavo.exe".
void MainWndFrame::writeProgramPath() {
    QString folder = m_services.programFolder;
    folder.replace(QLatin1Char('/'), QLatin1Char('\\'));
    if (folder.endsWith(QLatin1Char('\\'))) {
        folder.chop(1);
    }
    m_services.settings->set(settings::kProgramPath, folder + QStringLiteral("\\Kontavo.exe"));
}

bool MainWndFrame::createWindowAndMenuBar() {
    WindowReceiver receiver;
    receiver.message = [this](const WindowMessage& message, bool) {
        return sendWindowMessage(this, message);
    };
    // The window comes forward with the dialog it is running, if any.
    receiver.foreground = [this] {
        show();
        QWidget* front = QApplication::activeModalWidget();
        for (QWidget* window : {static_cast<QWidget*>(this), front}) {
            if (window != nullptr) {
                window->raise();
                window->activateWindow();
            }
        }
    };
    m_endpoint = m_services.windows->createWindow(shell::kMainWindowClass.toString(), receiver);
    ShellUi& shellUi = *m_services.shell;
    setFixedSize(shellUi.screenSize());
    rebuildMenuBar();
    m_sipWasUp = false;
    shellUi.setSipUp(false);
    m_clientRect = QRect(0, 0, width(), height() - shellUi.menuBarHeight());
    m_sipPanel = new SipPanel(shellUi, this);
    if (QScreen* display = screen()) {
        connect(display, &QScreen::geometryChanged, this, [this] {
            postWindowMessage(this, {wm::kSettingChange, wm::kSettingReset, 0});
        });
    }
    return m_endpoint != nullptr && m_menuBar != nullptr;
}

bool MainWndFrame::checkPlatformVersion() {
    if (m_services.platformVersion.major <= 4) {
        return true;
    }
    MessageBoxes::current().show(this, loadString(shell::kWrongPlatformString),
                                 QStringLiteral("Error"), MessageBoxes::Icon::Error);
    return false;
}

void MainWndFrame::registerMessages() {
    for (size_t i = 0; i < m_syncMessages.size(); ++i) {
        m_syncMessages[i] =
            m_services.windows->registerWindowMessage(shell::kSyncMessageNames[i].toString());
    }
}

void MainWndFrame::joinSharing() {
    m_sync = std::make_unique<PimSync>(*m_services.windows, m_services.device->root());
    if (m_sync->open()) {
        m_sync->registerWindow(handle());
    }
}

void MainWndFrame::leaveSharing() {
    if (m_sync != nullptr) {
        m_sync->unregisterWindow();
        m_sync->close();
    }
}

void MainWndFrame::chooseDialupMode() {
    initDialMethod(*m_services.settings, m_services.device->isPhoneDevice(),
                   ContactAddIns::current().dialerCommand() != 0);
}

bool MainWndFrame::openContactStore() {
    if (!m_services.openContactStore) {
        return true;
    }
    QString why;
    m_store = m_services.openContactStore(*this, &why);
    if (m_store != nullptr) {
        return true;
    }
    QString text = QStringLiteral("Unable connect to server");
    if (!why.isEmpty()) {
        text += QStringLiteral("\n") + why;
    }
    MessageBoxes::current().show(this, text, QStringLiteral("Error"), MessageBoxes::Icon::Error);
    return false;
}

void MainWndFrame::applyDoubleSized() {
    m_doubleSized = m_services.settings->get(settings::kIsDoubleSized) != 0;
    if (m_menuBar != nullptr) {
        m_menuBar->checkRadioItem(
            shell::kCmdTwoLineDisplay, shell::kCmdOneLineDisplay,
            m_doubleSized ? shell::kCmdTwoLineDisplay : shell::kCmdOneLineDisplay);
    }
}

// "CallerIDState" says whether the caller-ID companion runs now.
void MainWndFrame::recordCallerIdState() {
    CallerIdCompanion({m_services.windows, nullptr, m_services.settings, m_services.device})
        .recordState();
}

bool MainWndFrame::createFrames() {
    if (m_services.createContactsFrame) {
        m_contactsFrame = m_services.createContactsFrame(*this, m_store.get());
        if (m_contactsFrame == nullptr || !m_contactsFrame->create(this, m_clientRect)) {
            return false;
        }
    }
    m_appointmentsFrame = std::make_unique<AppointmentsFrame>(*m_services.shell);
    if (!m_appointmentsFrame->create(this, m_clientRect)) {
        return false;
    }
    updateMenuAvailability();
    m_sipPanel->raise();
    m_menuBar->raise();
    return true;
}

void MainWndFrame::rebuildMenuBar() {
    m_menuBar.reset();
    const std::optional<MenuResource> menu = MenuResource::load(shell::kMainMenu);
    if (!menu) {
        return;
    }
    m_menuBar = std::make_unique<MenuBar>(*menu, *m_services.shell, this);
    // Posted: a command may destroy the menu bar whose item sent it.
    connect(m_menuBar.get(), &MenuBar::command, this, [this](int id) {
        postWindowMessage(this, {wm::kCommand, wm::makeLong(uint32_t(id), 0), 0});
    });
    m_menuBar->show();
    updateMenuAvailability();
    if (m_sipPanel != nullptr) {
        m_sipPanel->raise();
    }
    m_menuBar->raise();
}

// A command is offered only while something can carry it out.
void MainWndFrame::updateMenuAvailability() {
    if (m_menuBar == nullptr) {
        return;
    }
    for (int id : m_menuBar->commandIds()) {
        if (commandOwner(id) == CommandOwner::ContactsFrame) {
            m_menuBar->enableItem(id, m_contactsFrame != nullptr);
        }
    }
    m_menuBar->enableItem(shell::kCmdOptions, bool(m_services.runOptions));
    m_menuBar->enableItem(shell::kCmdEditTemplate, bool(m_services.editTemplate));
    if (m_contactsFrame != nullptr && m_contactsFrame->isCreated()) {
        m_contactsFrame->updateMenu(*m_menuBar);
    }
}

void MainWndFrame::destroyMainWindow() {
    if (m_destroyed) {
        return;
    }
    m_destroyed = true;
    const bool wasCreated = m_created;
    m_created = false;
    m_menuBar.reset();
    if (g_instance == this) {
        g_instance = nullptr;
    }
    giveTalkKeyBack();
    m_contactsFrame.reset();  // writes its own settings
    m_appointmentsFrame.reset();
    m_activeFrame = nullptr;
    m_progress.reset();
    hide();
    // The index is written back and closed before another program may take
    // it over.
    m_store.reset();
    leaveSharing();
    m_endpoint.reset();  // other programs no longer find the window
    SharedFonts::release();
    if (wasCreated && m_services.quit) {
        m_services.quit(0);
    }
}

void MainWndFrame::closeEvent(QCloseEvent* event) {
    destroyMainWindow();
    event->accept();
}

}  // namespace kontavo
