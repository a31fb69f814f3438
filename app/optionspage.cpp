#include "optionspage.h"

#include <QApplication>
#include <QStringList>

#include "comm/callerid.h"
#include "comm/contactaddins.h"
#include "comm/optiondlg.h"
#include "comm/optionsflow.h"
#include "comm/phonetemplatesettings.h"
#include "comm/todayplugin.h"
#include "list/contactsframe.h"
#include "list/contactstoresession.h"
#include "platform/devicefs.h"
#include "platform/locale.h"
#include "platform/processlauncher.h"
#include "platform/screen.h"
#include "shell/mainwndframe.h"
#include "store/contacts/contactmanager.h"
#include "store/settings/settingsstore.h"
#include "store/sync/pimsync.h"
#include "ui/sharedfonts.h"
#include "ui/shellui.h"

namespace kontavo {

namespace {

// The main window, its contacts frame and its store as the options change
// them.
class MainWindowOptions final : public OptionsTarget {
public:
    MainWindowOptions(MainWndFrame& window, const TodayPlugin& today)
        : m_window(window),
          m_frame(dynamic_cast<ContactsFrame*>(window.contactsFrame())),
          m_store(dynamic_cast<ContactStoreSession*>(window.store())),
          m_today(today) {}

    void applyListFont(const ListFont& font) override {
        font.store(*m_window.services().settings);
        SharedFonts fonts = SharedFonts::current();
        fonts.list = font.font();
        SharedFonts::setCurrent(fonts);
        if (m_frame != nullptr) {
            m_frame->setListFont(fonts.list);
        }
    }
    void applyLetterGroups(const LetterGroupSet& groups, bool labelsChanged) override {
        if (m_frame != nullptr) {
            m_frame->setLetterGroups(groups, labelsChanged);
        }
    }
    void rebuildIndexWords() override {
        if (m_store != nullptr) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            m_store->manager().rebuildWords();
            QApplication::restoreOverrideCursor();
        }
    }
    void raiseChangeFlag(int flag) override {
        if (PimSync* sync = m_window.sharing()) {
            sync->setFlag(flag, 1);
        }
    }
    void applyPhoneTemplates(const PhoneTemplateSet& templates) override {
        if (m_frame != nullptr) {
            m_frame->setPhoneTemplates(templates);
        }
    }
    void refresh() override {
        if (m_frame != nullptr) {
            m_frame->refresh();
        }
    }
    void setTodayRegistered(bool on) override { m_today.setRegistered(on); }

private:
    MainWndFrame& m_window;
    ContactsFrame* m_frame;
    ContactStoreSession* m_store;
    const TodayPlugin& m_today;
};

}  // namespace

QStringList librarySearchFolders(const QString& programFolder, const DeviceFs& device) {
    QStringList folders{programFolder};
    if (const std::optional<QString> windows = device.hostPath(QStringLiteral("\\Windows"))) {
        folders.append(*windows);
    }
    return folders;
}

void runOptionsPage(MainWndFrame& window) {
    const MainWndServices& services = window.services();
    SettingsStore& settings = *services.settings;
    const Locale& locale = Locale::user();
    ProcessLauncher launcher;
    CallerIdCompanion callerId({services.windows, &launcher, &settings, services.device});
    const TodayPlugin today(librarySearchFolders(services.programFolder, *services.device),
                            services.windows);
    OptionDlgServices page{&settings, services.device, &locale,
                           &callerId, &today,          ContactAddIns::current().dialerText()};
    auto* frame = dynamic_cast<ContactsFrame*>(window.contactsFrame());
    OptionsOutcome outcome;
    outcome.fontBefore = ListFont::load(settings, Screen::current().dpiY());
    outcome.groupsBefore =
        frame != nullptr ? frame->letterGroups() : LetterGroupSet::loadActiveSet(settings, locale);
    services.shell->setSipUp(false);
    OptionDlg dialog(page, outcome.fontBefore, loadPhoneTemplates(settings), &window);
    if (dialog.doModal() != OptionDlg::kOk) {
        return;
    }
    outcome.fontAfter = dialog.font();
    outcome.groupsAfter = LetterGroupSet::loadActiveSet(settings, locale);
    outcome.templates = dialog.templates();
    outcome.todayBefore = dialog.todayWasRegistered();
    outcome.todayAfter = dialog.todayChecked();
    MainWindowOptions target(window, today);
    applyOptions(outcome, target, locale);
}

}  // namespace kontavo
