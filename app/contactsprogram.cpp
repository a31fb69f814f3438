#include "contactsprogram.h"

#include <QFile>

#include "comm/unavailablecontactactions.h"
#include "list/contactlistmodel.h"
#include "list/contactsframe.h"
#include "list/contactstoresession.h"
#include "platform/locale.h"
#include "shell/mainwndframe.h"
#include "shell/programoptions.h"
#include "store/index/lettergroupset.h"
#include "store/settings/settingsstore.h"

namespace kontavo {

namespace {

// True when the program runs on the demonstration device (--demo).
bool isDemo(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    QString error;
    const std::optional<ProgramOptions> options = ProgramOptions::parse(arguments, &error);
    return options && options->demo;
}

std::unique_ptr<ContactStoreLink> openStore(FrameHost& host, bool seedDemo, QString* why) {
    auto* window = dynamic_cast<MainWndFrame*>(&host);
    if (window == nullptr) {
        return nullptr;
    }
    const MainWndServices& services = window->services();
    if (seedDemo) {
        // A failed seed leaves an empty store, which still opens.
        seedDemoContactsIfEmpty(*services.device, kDemoContactCount, Locale::user());
    }
    return ContactStoreSession::open(*services.device, *services.settings, host, Locale::user(),
                                     window->sharing(), why);
}

std::unique_ptr<ContactsAppFrame> makeFrame(FrameHost& host, ContactStoreLink* link,
                                            ContactActions* actions) {
    auto* window = dynamic_cast<MainWndFrame*>(&host);
    auto* session = dynamic_cast<ContactStoreSession*>(link);
    if (window == nullptr || session == nullptr) {
        return nullptr;
    }
    const MainWndServices& services = window->services();
    ContactsFrameServices frame;
    frame.host = &host;
    frame.settings = services.settings;
    frame.device = services.device;
    frame.store = session;
    frame.changeFlags = session->changeFlags();
    frame.shell = services.shell;
    frame.actions = actions;
    frame.letterGroups = LetterGroupSet::loadActiveSet(*services.settings, Locale::user());
    frame.screen = Screen::current();
    frame.makeList = [session, registry = &services.settings->registry(), device = services.device,
                      actions] {
        return makeContactListModel(*session, *registry, device, Screen::current(), actions);
    };
    return std::make_unique<ContactsFrame>(std::move(frame));
}

}  // namespace

Integration contactsIntegration(int argc, char** argv) {
    Integration integration;
    const bool seedDemo = isDemo(argc, argv);
    integration.openContactStore = [seedDemo](FrameHost& host, QString* why) {
        return openStore(host, seedDemo, why);
    };
    // Dialing, mail and documents are not wired into this build yet: the
    // list and the card report each kind of action once in the error log.
    auto actions = std::make_shared<UnavailableContactActions>();
    integration.createContactsFrame = [actions](FrameHost& host, ContactStoreLink* link) {
        return makeFrame(host, link, actions.get());
    };
    return integration;
}

}  // namespace kontavo
