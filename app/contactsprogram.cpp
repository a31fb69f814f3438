#include "contactsprogram.h"

#include <QFile>

#include "card/filechooser.h"
#include "comm/categorylistdialog.h"
#include "comm/programactions.h"
#include "comm/vcardimport.h"
#include "list/contactlistmodel.h"
#include "list/contactsframe.h"
#include "list/contactstoresession.h"
#include "optionspage.h"
#include "platform/locale.h"
#include "platform/processlauncher.h"
#include "platform/sound.h"
#include "platform/sqliteobjectstore.h"
#include "shell/mainwndframe.h"
#include "shell/programoptions.h"
#include "store/contacts/contactmanager.h"
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

// The program's contact actions and the launcher and sound they use. The
// actions are made with each contacts frame (they need its window and
// store) and live until the next one is made or the program ends.
struct ProgramActions {
    ProcessLauncher launcher;
    std::unique_ptr<Sound> sound = Sound::create();
    std::unique_ptr<ProgramContactActions> actions;
};

ContactActions* makeActions(ProgramActions& program, MainWndFrame& window,
                            ContactStoreSession& session) {
    const MainWndServices& services = window.services();
    ProgramContactActions::Services actions;
    actions.owner = &window;
    actions.launcher = &program.launcher;
    actions.sound = program.sound.get();
    actions.device = services.device;
    actions.windows = services.windows;
    actions.readContact = [&session](Oid oid) { return vcardContactOf(session.manager(), oid); };
    actions.phoneApplication = qEnvironmentVariable("KONTAVO_PHONE_APP");
    actions.beamSender = Beam::configuredSender();
    program.actions = std::make_unique<ProgramContactActions>(std::move(actions));
    return program.actions.get();
}

// The category list dialog for the frame's callers, over the session's
// categories; "Browse" opens the sound chooser.
CategoryListRunner categoryListRunner(ProgramActions& program, MainWndFrame& window,
                                      ContactStoreSession& session) {
    const MainWndServices& services = window.services();
    CategoryListServices dialog;
    dialog.categories = &session.manager().categories();
    dialog.device = services.device;
    dialog.settings = services.settings;
    dialog.windows = services.windows;
    dialog.sound = program.sound.get();
    dialog.chooseSound = [device = services.device, settings = services.settings,
                          sound = dialog.sound](const QString&, QWidget* parent) {
        return FileChooser::chooseSound(parent, *device, *settings, sound);
    };
    return [dialog](CategoryListDialog::Mode mode, const QList<Oid>& ticked, QWidget* parent) {
        return runCategoryList(dialog, mode, ticked, parent);
    };
}

std::unique_ptr<ContactsAppFrame> makeFrame(FrameHost& host, ContactStoreLink* link,
                                            ProgramActions& program) {
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
    frame.letterGroups = LetterGroupSet::loadActiveSet(*services.settings, Locale::user());
    frame.screen = Screen::current();
    frame.actions = makeActions(program, *window, *session);
    frame.chooseCategories = categoryListRunner(program, *window, *session);
    frame.makeList = [session, registry = &services.settings->registry(), device = services.device,
                      actions = frame.actions, categories = frame.chooseCategories] {
        return makeContactListModel(*session, *registry, device, Screen::current(), actions,
                                    FeatureSet::built(), categories);
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
    auto program = std::make_shared<ProgramActions>();
    integration.createContactsFrame = [program](FrameHost& host, ContactStoreLink* link) {
        return makeFrame(host, link, *program);
    };
    integration.editTemplate = [](MainWndFrame& window) {
        if (auto* frame = dynamic_cast<ContactsFrame*>(window.contactsFrame())) {
            frame->editContactTemplate();
        }
    };
    integration.runOptions = runOptionsPage;
    return integration;
}

}  // namespace kontavo
