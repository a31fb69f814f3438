#pragma once

#include <QPointer>
#include <functional>
#include <memory>

#include "card/cardlinkrouter.h"
#include "card/contactcardbuilder.h"
#include "card/contactcarddialog.h"
#include "card/contactcardview.h"
#include "card/contacteditdialog.h"
#include "card/contacttemplate.h"
#include "card/formservices.h"
#include "comm/categorylistdialog.h"
#include "comm/contactactions.h"
#include "comm/unavailablecontactactions.h"
#include "list/contactsframelayout.h"
#include "list/contactsviewsettings.h"
#include "list/framelistmodel.h"
#include "list/groupselection.h"
#include "list/searchtexttracker.h"
#include "list/vcardfilechoice.h"
#include "platform/screen.h"
#include "store/index/lettergroupset.h"
#include "ui/contactsappframe.h"
#include "ui/features.h"

namespace kontavo {

class BigAbcBar;
class ContactActions;
class PhoneTemplateSet;
class ChangeFlagSink;
class ContactStoreSession;
class DeviceFs;
class FrameHost;
class ListDownButton;
class MenuBar;
class SearchEdit;
class SettingsStore;
class ShellUi;
class SmallAbcBar;
class SplitterWnd;

// What the contacts frame is given. The pointers are not owned and must
// outlive the frame; those marked optional may be null.
struct ContactsFrameServices {
    FrameHost* host = nullptr;
    SettingsStore* settings = nullptr;
    const DeviceFs* device = nullptr;
    ContactStoreSession* store = nullptr;   // optional: no contacts
    ShellUi* shell = nullptr;               // optional: no SIP
    ChangeFlagSink* changeFlags = nullptr;  // optional
    // The contact actions behind "Beam...", "Make Appointment..." and the
    // Talk key (the list gets them through makeList); optional: without
    // them those commands are disabled and the Talk key does nothing.
    ContactActions* actions = nullptr;
    // The category list dialog behind "Category List"; optional: without it
    // the command is disabled.
    CategoryListRunner chooseCategories;
    LetterGroupSet letterGroups;  // the active ABC bar groups
    Screen screen = Screen::current();
    // The features whose commands the frame offers.
    FeatureSet features = FeatureSet::built();
    // Makes the contact list (its model and list control); called once
    // while the frame is created. Creation fails when it is missing or
    // returns null.
    std::function<std::unique_ptr<FrameListModel>()> makeList;
    // Asks for the vCard file to import from or export to (nullopt when the
    // user cancels); without it, VCardFileDialog in the documents folder.
    std::function<std::optional<QString>(VCardFileChoice::Mode)> chooseVCardFile;
};

// The contacts frame ("CONTACTS.FRAME.CLASS"), the main view: from top to
// bottom the category drop-down button and the search field, the small ABC
// bar, the splitter with the contact list above its bar and the card below
// it, and at the bottom the big ABC bar when chosen. It wires them together
// (the search field and the ABC bars narrow the list, the list's selection
// drives the splitter caption and the card) and carries out the contacts
// commands of the menu bar.
//
// The card under the list shows the selected contact while the card pane
// has room (not with the splitter bar at the bottom), is emptied for a
// company header or no selection, and is rebuilt when the contact changes in
// the store. Activating a contact (a tap on the selected row, Enter, the
// action key, or "v" from WM_OPEN_CONTACT) opens the full-screen card: the
// frame is busy and remembers the contact open until the card closes; a
// request while busy is ignored.
//
// Settings: "AbcMode", "SortType", "NameOnly" and "IsDoubleSized" are
// written when changed; "SplitVisible", "SplitPercent" and "SplitMode" when
// the frame is destroyed. UI thread only.
class ContactsFrame final : public ContactsAppFrame {
    Q_OBJECT
public:
    // Commands of the frame besides the View settings.
    static constexpr int kCmdNewContact = 41209;
    static constexpr int kCmdEditContact = 41283;
    static constexpr int kCmdDuplicate = 41284;
    static constexpr int kCmdDelete = 41208;
    static constexpr int kCmdBeam = 41286;
    static constexpr int kCmdAppointment = 41211;
    static constexpr int kCmdCategoryList = 41300;
    static constexpr int kCmdReindex = 41290;
    static constexpr int kCmdSplitVisible = 41220;
    static constexpr int kCmdSplitVisibleToo = 41282;
    static constexpr int kCmdCallerIdContact = 41280;
    static constexpr int kCmdImportVCards = 42330;
    static constexpr int kCmdExportVCards = 42331;
    static constexpr int kViewCaptionString = 41146;  // "View", while the filter menu is open

    explicit ContactsFrame(ContactsFrameServices services);
    ~ContactsFrame() override;

    // AppFrame
    bool onCreate() override;
    bool handleCommand(int id, int notificationCode) override;
    void showFrame() override;
    void onSettingChange(uint32_t code, uint32_t parameter) override;
    void refresh() override;
    void moveFrame(const QRect& rect) override;
    // ContactsAppFrame
    void openContact(char16_t letter, uint32_t oid) override;
    void callSelectedContact() override;
    void clearListSelection() override;
    // Imports the contacts of vCard file `path` under the progress window
    // and reports the result in a message box; the list then shows the
    // first new contact.
    void importVCards(const QString& path) override;
    void updateMenu(MenuBar& bar) override;

    // Whether the frame can carry out command `id` (its menu item is
    // enabled): false for commands it does not have and for those whose
    // feature is not built.
    bool isCommandAvailable(int id) const;

    // The phone number templates changed: the list and the card show their
    // numbers through `templates` from now on.
    void setPhoneTemplates(const PhoneTemplateSet& templates);
    // The list font changed: the list draws its rows in `font`.
    void setListFont(const QFont& font);
    // The ABC bar's letter groups changed: the search and the bars use
    // `groups` from now on (the bars are rebuilt when `labelsChanged`); the
    // groups picked so far are dropped.
    void setLetterGroups(const LetterGroupSet& groups, bool labelsChanged);

    // Parts, for the program and tests (null before creation).
    FrameListModel* list() const { return m_list.get(); }
    SearchEdit* searchEdit() const { return m_search; }
    SmallAbcBar* smallBar() const { return m_smallBar; }
    BigAbcBar* bigBar() const { return m_bigBar; }
    SplitterWnd* splitter() const { return m_splitter; }
    ListDownButton* categoryButton() const { return m_categoryButton; }
    ContactCardView* card() const { return m_card; }
    // The full-screen card while it is open, else null.
    ContactCardDialog* cardDialog() const { return m_cardDialog; }
    // The edit window while it is open, else null.
    ContactEditDialog* editDialog() const { return m_editDialog; }

    // The template editor on a copy of the template; on OK the copy becomes
    // the template, is saved, and the card and an open edit form follow it.
    // True when the template changed.
    bool editContactTemplate();
    // What the edit form and the template editor are given.
    // The window the edit form's dialogs open over.
    QWidget* editParent();
    std::optional<PictureChoice> choosePictureFor(const PictureChoice& current,
                                                  const DeviceFs& device, SettingsStore& settings);
    FormServices formServices();
    bool isBusy() const { return m_busy; }
    Oid openContactOid() const { return m_openOid; }
    // The actions the list and the card hand their requests to.
    ContactActions& actions() const;
    const ContactTemplate& contactTemplate() const { return m_template; }
    const ContactsViewSettings& viewSettings() const { return m_view; }
    const GroupSelection& groups() const { return m_groups; }
    const LetterGroupSet& letterGroups() const { return m_services.letterGroups; }
    ListSearch currentSearch() const;
    // The rectangles of the last layout.
    const ContactsFrameLayout::Rects& layoutRects() const { return m_rects; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // Keys in the card: Left goes back to the list, typed characters to the
    // search field.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Creation.
    bool createControls();
    void connectSearch();
    void connectBars();
    void connectList();
    void applyStartSettings();
    // Layout and view.
    void relayout();
    void applyViewChange(ContactsViewSettings::Change change);
    void toggleSplitVisible();
    void selectionChanged();
    void showSelectedInCard();
    bool isCardShown() const;
    void rebuildCard(bool keepPosition);
    void contactChanged(Oid oid);
    // The full-screen card.
    void openCardView(Oid oid);
    void cardViewEnded(int result);
    void cardLinkActivated(const CardLink& link, bool byTalkKey);
    void setMenuMarks();
    // The edit window (contactsframeedit.cpp).
    void newContact(const QString& workPhone);
    void editSelected();
    void openEditForm(const ContactRecord& record);
    void editEnded(int result);
    bool saveEdited(ContactRecord& record);
    // Search and the ABC bars.
    void searchTextChanged(const QString& text);
    void barCommand(int command);
    void pickGroup(int group);
    void removeGroups(const QList<int>& groups);
    void clearGroups();
    void groupsChanged();
    void refillList();
    bool listKey(const ListKey& key);
    void chooseFilter();
    // Commands.
    void duplicateSelection();
    void reindex();
    std::optional<QString> chooseVCardFile(VCardFileChoice::Mode mode);
    void exportVCards();
    void beamSelection();
    void makeAppointment();
    void invokeAddIn(int command);
    void manageCategories();

    ContactsFrameServices m_services;
    ContactTemplate m_template;
    ContactsViewSettings m_view;
    ContactsFrameLayout m_layout;
    ContactsFrameLayout::Rects m_rects;
    ListDownButton* m_categoryButton = nullptr;
    SearchEdit* m_search = nullptr;
    SplitterWnd* m_splitter = nullptr;
    SmallAbcBar* m_smallBar = nullptr;
    BigAbcBar* m_bigBar = nullptr;
    std::unique_ptr<FrameListModel> m_list;
    ContactCardView* m_card = nullptr;
    QPointer<ContactCardDialog> m_cardDialog;
    QPointer<ContactEditDialog> m_editDialog;
    std::unique_ptr<ContactObserver> m_cardObserver;  // the store's observer: list, then card
    mutable UnavailableContactActions m_unavailableActions;
    CardContext m_cardContext;
    DialMethod m_dialMethod = DialMethod::None;  // read at creation and on refresh
    bool m_cardStale = false;                    // its contact changed while the card had no room
    GroupSelection m_groups;
    SearchTextTracker m_textTracker;
    Oid m_selectedOid = 0;
    Oid m_openOid = 0;  // the contact open in the card view or the editor
    bool m_busy = false;
};

}  // namespace kontavo
