#include "shelltestsupport.h"

#include <QDir>
#include <QFile>

#include "contactsprogram.h"

namespace kontavo::test {

RecordingContactsFrame::RecordingContactsFrame(Journal& journal)
    : ContactsAppFrame(QStringLiteral("CONTACTS.FRAME.CLASS")), m_journal(journal) {}

RecordingContactsFrame::~RecordingContactsFrame() {
    m_journal.events << QStringLiteral("contacts frame destroyed");
}

bool RecordingContactsFrame::handleCommand(int id, int) {
    m_journal.events << QStringLiteral("command %1").arg(id);
    return true;
}

void RecordingContactsFrame::onActivate(bool active, QWidget* other) {
    m_journal.events
        << QStringLiteral("activate %1%2").arg(active).arg(other != nullptr ? " self" : "");
}

void RecordingContactsFrame::onSettingChange(uint32_t code, uint32_t) {
    m_journal.events << QStringLiteral("setting %1").arg(code);
}

void RecordingContactsFrame::refresh() {
    m_journal.events << QStringLiteral("refresh %1x%2").arg(width()).arg(height());
}

void RecordingContactsFrame::openContact(char16_t letter, uint32_t oid) {
    m_journal.events << QStringLiteral("open %1 %2").arg(QChar(letter)).arg(oid, 0, 16);
}

void RecordingContactsFrame::callSelectedContact() {
    m_journal.events << QStringLiteral("call");
}

void RecordingContactsFrame::clearListSelection() {
    m_journal.events << QStringLiteral("clear selection");
}

void RecordingContactsFrame::importVCards(const QString& path) {
    m_journal.events << QStringLiteral("import ") + path;
}

RecordingStoreLink::~RecordingStoreLink() {
    m_journal.events << QStringLiteral("store closed");
}

int32_t RecordingStoreLink::handleMessage(StoreMessage message, uint32_t wParam, uint32_t lParam) {
    m_journal.events << QStringLiteral("store %1 %2 %3").arg(int(message)).arg(wParam).arg(lParam);
    return 0;
}

namespace {

QString privateFolderIn(const QTemporaryDir& parent) {
    const QString folder = parent.path() + QStringLiteral("/kontavo");
    QDir().mkpath(folder);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return folder;
}

}  // namespace

MainWindowRig::MainWindowRig() : runtimeFolder(privateFolderIn(runtime)), windows(runtimeFolder) {}

MainWindowRig::~MainWindowRig() {
    shell.setSipUp(false);
}

MainWndServices MainWindowRig::services() {
    MainWndServices services;
    services.device = &device.fs();
    services.settings = &device.settings();
    services.windows = &windows;
    services.handOverFolder = windows.folder();
    services.shell = &shell;
    services.programFolder = QStringLiteral("/opt/kontavo/bin");
    services.about = {QStringLiteral("9.8.7"), QStringLiteral("test build")};
    services.openContactStore = [this](FrameHost&, QString*) {
        journal.events << QStringLiteral("store opened");
        return std::make_unique<RecordingStoreLink>(journal);
    };
    services.createContactsFrame = [this](FrameHost&, ContactStoreLink* store) {
        journal.events << QStringLiteral("frame made with store %1").arg(store != nullptr);
        return std::make_unique<RecordingContactsFrame>(journal);
    };
    services.quit = [this](int code) { quitCodes.append(code); };
    return services;
}

std::unique_ptr<MainWndFrame> MainWindowRig::makeWindow(const MainWndServices& services) {
    return std::make_unique<MainWndFrame>(services);
}

std::unique_ptr<MainWndFrame> MainWindowRig::makeProgramWindow() {
    QByteArray root = device.root().toLocal8Bit();
    char program[] = "kontavo";
    char option[] = "--device-root";
    char* argv[] = {program, option, root.data(), nullptr};
    const Integration integration = contactsIntegration(3, argv);
    MainWndServices wired = services();
    wired.openContactStore = integration.openContactStore;
    wired.createContactsFrame = integration.createContactsFrame;
    wired.runOptions = integration.runOptions;
    return makeWindow(wired);
}

}  // namespace kontavo::test
