#include "list/contactlist.h"

#include <gtest/gtest.h>

#include "contactlisttestsupport.h"
#include "list/coollist.h"
#include "store/settings/settingsstore.h"
#include "support/tempdevice.h"
#include "ui/sharedfonts.h"

namespace kontavo {
namespace {

using test::makeContact;

class ContactListTest : public ::testing::Test {
protected:
    ContactListTest() {
        store.add(makeContact(1, "Adams", "Ann", "Acme"));
        store.add(makeContact(2, "Baker", "Bob", "Beta"));
        store.add(makeContact(3, "Carter", "Cy", "Acme"));
        store.add(makeContact(4, "Smith", "Sue", "Acme"));
        list = std::make_unique<ContactList>(services());
        list->setListener(listener());
    }

    ContactList::Services services() {
        ContactList::Services s;
        s.store = &store;
        s.ui = &ui;
        s.registry = &device.registry();
        s.actions = &actions;
        s.screen = Screen(96, 96);
        s.listFont = tahomaFont(11);
        // The routing behind every item, as it runs once the features exist.
        s.features = FeatureSet::all();
        return s;
    }

    ContactList::Listener listener() {
        ContactList::Listener l;
        l.selectionChanged = [this] { ++selectionChanges; };
        l.activated = [this](Oid oid) { activated.append(oid); };
        l.deleted = [this](Oid oid) { deleted.append(oid); };
        return l;
    }

    QList<Oid> listedOids() const {
        QList<Oid> oids;
        for (int row = 0; row < list->rows().rowCount(); ++row) {
            oids.append(list->oidAt(list->rows().at(row)));
        }
        return oids;
    }

    test::TempDevice device;
    test::FakeListStore store;
    test::FakeListUi ui;
    test::RecordingActions actions;
    std::unique_ptr<ContactList> list;
    int selectionChanges = 0;
    QList<Oid> activated;
    QList<Oid> deleted;
};

TEST_F(ContactListTest, RefillKeepsTheSelectedContactWhileItIsListed) {
    list->refill({});
    EXPECT_EQ(listedOids(), (QList<Oid>{1, 2, 3, 4}));
    ASSERT_TRUE(list->selectContact(3));
    EXPECT_EQ(list->selectedContact(), 3u);
    EXPECT_EQ(list->view()->rowCount(), 4);

    list->refill({"c", {}});
    EXPECT_EQ(listedOids(), (QList<Oid>{3}));
    EXPECT_EQ(list->selectedContact(), 3u);
    EXPECT_EQ(list->positionCaption().text, "Contact 1 of 1");

    selectionChanges = 0;
    list->refill({"a", {}});
    EXPECT_EQ(listedOids(), (QList<Oid>{1}));
    EXPECT_EQ(list->selectedContact(), 0u);
    EXPECT_EQ(list->positionCaption().text, "Contact 0 of 1");
    EXPECT_GE(selectionChanges, 1);
    EXPECT_EQ(store.queries.last().search.text, "a");
}

TEST_F(ContactListTest, AFailedQueryShowsAnEmptyList) {
    list->refill({});
    store.failQueries = true;
    list->refresh();
    EXPECT_EQ(list->rows().rowCount(), 0);
    EXPECT_EQ(list->view()->rowCount(), 0);
}

TEST_F(ContactListTest, WhileTheStoreLoadsTheRowsStayAndTheListIsBusyUntilItIsReady) {
    QList<bool> busy;
    ContactList::Listener l = listener();
    l.busy = [&](bool on) { busy.append(on); };
    list->setListener(l);
    list->refill({});
    ASSERT_TRUE(list->selectContact(3));

    store.loading = true;
    list->refill({QStringLiteral("c"), {}});
    list->refill({QStringLiteral("ca"), {}});  // typing goes on while the store loads
    EXPECT_EQ(listedOids(), (QList<Oid>{1, 2, 3, 4}));
    EXPECT_EQ(list->selectedContact(), 3u);
    EXPECT_TRUE(list->isWaitingForStore());
    EXPECT_EQ(busy, QList<bool>{true}) << "busy is reported once";

    store.loading = false;
    ASSERT_TRUE(store.ready);
    store.ready();
    EXPECT_EQ(store.queries.back().search.text, "ca") << "the last search is asked again";
    EXPECT_EQ(listedOids(), QList<Oid>{3});
    EXPECT_EQ(list->selectedContact(), 3u);
    EXPECT_EQ(busy, (QList<bool>{true, false}));
    const qsizetype asked = store.queries.size();
    store.ready();
    EXPECT_EQ(store.queries.size(), asked) << "a list that does not wait asks nothing";
}

TEST_F(ContactListTest, SortByCompanyGroupsAndSelectingAContactOpensItsCompany) {
    list->refill({});
    list->selectContact(4);
    list->setSortType(2);  // refills, keeping Smith selected inside Acme
    EXPECT_EQ(store.queries.last().sortType, 2);
    EXPECT_TRUE(list->rows().isGrouped());
    EXPECT_EQ(list->selectedContact(), 4u);
    EXPECT_TRUE(list->rows().isOpen(0));
    EXPECT_EQ(list->rows().rowCount(), 5);  // Acme + 3, Beta
    EXPECT_EQ(list->positionCaption().text, "Contact 3 of 4");

    ASSERT_TRUE(list->toggleCompany(0));
    EXPECT_EQ(list->rows().rowCount(), 2);
    EXPECT_EQ(list->positionCaption().text, "Company 1 of 2");
    EXPECT_EQ(list->selectedOids(), (QList<Oid>{1, 3, 4}));
}

TEST_F(ContactListTest, RowTextFollowsTheModesAndUnreadableContactsAreUnnamed) {
    store.records[2].setField(ContactField::FileAs, "Bobby");
    store.records[2].setField(ContactField::WorkPhone, "555");
    list->refill({});
    EXPECT_EQ(list->rowText(1).name, "Baker, Bob");
    EXPECT_EQ(list->rowText(1).value, "555");
    list->setNameOnly(true);
    EXPECT_FALSE(list->rowText(1).hasDetail);
    list->setSortType(1);
    EXPECT_EQ(list->rowText(1).name, "Bobby");

    store.records.remove(3);  // still listed by the last query, but unreadable
    list->onReloaded();       // drops the cache and queries again: 3 is gone
    EXPECT_EQ(listedOids(), (QList<Oid>{1, 2, 4}));
    list->setSource({{1, 77}, false, {}, {}});
    EXPECT_EQ(list->rowText(1).name, "Unnamed");
    EXPECT_FALSE(list->contactAt({0, 1}).has_value());
    EXPECT_FALSE(list->openPhoneMenu(1));
    EXPECT_TRUE(ui.phoneMenus.isEmpty());
    list->select({0, 1});
    EXPECT_FALSE(list->openContextMenu({5, 5}));
    EXPECT_TRUE(ui.contextMenus.isEmpty());
}

TEST_F(ContactListTest, ContactsAreReadOnceUntilTheStoreReportsAChange) {
    list->refill({});
    list->rowText(0);
    list->rowText(0);
    EXPECT_EQ(store.reads.count(1), 1);
    store.records[1].setField(ContactField::LastName, "Abbot");
    list->onChanged(1);
    EXPECT_EQ(list->rowText(0).name, "Abbot, Ann");
    EXPECT_EQ(store.reads.count(1), 2);
}

TEST_F(ContactListTest, StoreChangesQueryAgainOnlyOnceTheListWasFilled) {
    list->onCreated(9);
    list->onDeleted(2);
    list->onReloaded();
    EXPECT_TRUE(store.queries.isEmpty());
    EXPECT_EQ(deleted, QList<Oid>{2});

    list->refill({"s", {}});
    store.add(makeContact(5, "Stone"));
    list->onCreated(5);
    EXPECT_EQ(store.queries.size(), 2);
    EXPECT_EQ(store.queries.last().search.text, "s") << "the same search again";
    EXPECT_EQ(listedOids(), (QList<Oid>{4, 5}));
}

TEST_F(ContactListTest, StoreProgressAndStateGoToTheListener) {
    QStringList seen;
    ContactList::Listener l;
    l.indexProgress = [&](int step) { seen.append(QStringLiteral("progress %1").arg(step)); };
    l.idle = [&](bool idle) { seen.append(QStringLiteral("idle %1").arg(idle)); };
    l.backlog = [&](bool on) { seen.append(QStringLiteral("backlog %1").arg(on)); };
    list->setListener(l);
    list->onIndexProgress(7);
    list->setIdle(false);
    list->setBacklog(true);
    EXPECT_EQ(seen, QStringList({"progress 7", "idle 0", "backlog 1"}));
}

TEST_F(ContactListTest, DeletingWithNoLeavesEverythingUnchanged) {
    list->refill({});
    list->selectContact(2);
    ui.answerYes = false;
    EXPECT_FALSE(list->deleteSelection());
    EXPECT_EQ(ui.deletePrompts, 1);
    EXPECT_TRUE(store.writes.isEmpty());
    EXPECT_EQ(listedOids(), (QList<Oid>{1, 2, 3, 4}));
    EXPECT_EQ(list->selectedContact(), 2u);
}

TEST_F(ContactListTest, NothingSelectedAsksNothing) {
    list->refill({});
    EXPECT_FALSE(list->deleteSelection());
    EXPECT_EQ(ui.deletePrompts, 0);
}

TEST_F(ContactListTest, DeletingSelectsTheRowAtThePreviousPosition) {
    list->addRecent(2);
    list->addRecent(3);
    list->refill({});
    list->selectContact(2);
    EXPECT_TRUE(list->deleteSelection());
    EXPECT_EQ(store.writes, QStringList{"delete 2"});
    EXPECT_EQ(listedOids(), (QList<Oid>{1, 3, 4}));
    EXPECT_EQ(list->selectedContact(), 3u) << "row 1 now holds Carter";
    EXPECT_EQ(list->recentContacts(), QList<Oid>{3});

    list->selectContact(4);
    EXPECT_TRUE(list->deleteSelection());
    EXPECT_EQ(list->selectedContact(), 0u) << "no row at the last position any more";
}

TEST_F(ContactListTest, DeletingACompanyHeaderDeletesItsContacts) {
    list->setSortType(2);
    list->refill({});
    list->select({0, -1});
    EXPECT_TRUE(list->deleteSelection());
    EXPECT_EQ(store.writes, QStringList({"delete 1", "delete 3", "delete 4"}));
    EXPECT_EQ(listedOids(), (QList<Oid>{0}));  // the Beta header alone
}

TEST_F(ContactListTest, RecentContactsAreNewestFirstAndSaved) {
    for (Oid oid = 1; oid <= 22; ++oid) {
        list->addRecent(oid);
    }
    list->addRecent(10);
    ASSERT_EQ(list->recentContacts().size(), 20);
    EXPECT_EQ(list->recentContacts().front(), 10u);
    EXPECT_EQ(list->recentContacts()[1], 22u);
    EXPECT_EQ(list->recentContacts().back(), 3u);
    EXPECT_TRUE(list->saveRecentContacts());

    list.reset();
    list = std::make_unique<ContactList>(services());
    EXPECT_EQ(list->recentContacts().front(), 10u);
    EXPECT_EQ(list->recentContacts().size(), 20);
}

TEST_F(ContactListTest, RecentModeShowsExistingRecentContactsInTheirOrder) {
    list->addRecent(3);
    list->addRecent(99);  // no such contact
    list->addRecent(1);
    ui.filterChoice = 1;  // "Recent"
    ASSERT_TRUE(list->chooseFilter(nullptr));
    EXPECT_EQ(list->filterCaption(), "Recent");
    EXPECT_EQ(store.queries.last().recent, (QList<Oid>{1, 3}));
    EXPECT_EQ(listedOids(), (QList<Oid>{1, 3}));
    EXPECT_EQ(list->recentContacts(), (QList<Oid>{1, 3}));
}

TEST_F(ContactListTest, FilterRefillsOnlyWhenItChanged) {
    list->refill({});
    ui.filterChoice = 3;  // "No Categories"
    EXPECT_TRUE(list->chooseFilter(nullptr));
    EXPECT_EQ(store.queries.last().mode, CategoryFilterMenu::Mode::None);
    const qsizetype queries = store.queries.size();
    EXPECT_FALSE(list->chooseFilter(nullptr));
    ui.filterChoice = 0;  // dismissed
    EXPECT_FALSE(list->chooseFilter(nullptr));
    EXPECT_EQ(store.queries.size(), queries);
}

TEST_F(ContactListTest, ChosenCategoriesAreRecordedAsRecentlyChosen) {
    store.categories = {{101, "Business"}, {102, "Family"}, {103, "Golf"}};
    ui.capacity = 2;
    ui.filterChoice = 6;  // "More..." after the two categories the menu tops up with
    ui.dialogChoice = QList<Oid>{102, 999, 101};  // 999: deleted meanwhile
    ASSERT_TRUE(list->chooseFilter(nullptr));
    EXPECT_EQ(ui.dialogStarts, QList<QList<Oid>>{{}});
    EXPECT_EQ(list->filterCaption(), "Multiple...");
    EXPECT_EQ(store.queries.last().categories, (QList<Oid>{102, 101}));

    ui.filterChoice = 4;  // now the first recent category: Family
    ASSERT_TRUE(list->chooseFilter(nullptr));
    EXPECT_EQ(ui.dialogStarts.size(), 1);
    const auto& menu = ui.filterMenus.last();
    ASSERT_EQ(menu.size(), 6);
    EXPECT_EQ(menu[3].text, "Family");
    EXPECT_TRUE(menu[3].checked);
    EXPECT_TRUE(menu[4].checked) << "Business, also in the filter";
    EXPECT_EQ(list->filterCaption(), "Family");

    RecentList recorded = RecentList::categories(device.registry(), 5);
    recorded.load();
    EXPECT_EQ(recorded.entries(), (QList<Oid>{101, 102})) << "Family chosen last";
}

TEST_F(ContactListTest, TheFilterMenuTopsUpWithFurtherCategoriesAndForgetsDeletedOnes) {
    store.categories = {{101, "Zoo"}, {102, "Family"}, {103, "Golf"}, {104, "Art"}};
    RecentList stored = RecentList::categories(device.registry(), 5);
    stored.touch(103);
    stored.touch(777);  // a category deleted since
    stored.touch(101);
    ASSERT_TRUE(stored.save());
    ui.capacity = 3;
    list->chooseFilter(nullptr);
    QStringList texts;
    for (const auto& item : ui.filterMenus.last()) {
        texts.append(item.text);
    }
    EXPECT_EQ(texts, QStringList({"Recent", "All Contacts", "No Categories", "Golf", "Zoo", "Art",
                                  "More..."}));
    stored.load();
    EXPECT_EQ(stored.entries(), (QList<Oid>{103, 101}));

    ui.filterChoice = 6;  // "Art", one the menu topped up with
    ASSERT_TRUE(list->chooseFilter(nullptr));
    EXPECT_EQ(store.queries.last().categories, (QList<Oid>{104}));
    stored.load();
    EXPECT_EQ(stored.entries(), (QList<Oid>{103, 101, 104}));
}

class ContactListMenuTest : public ContactListTest {
protected:
    ContactListMenuTest() {
        store.records[2].setField(ContactField::WorkPhone, "555-1000");
        store.records[2].setField(ContactField::MobilePhone, "555-3000");
        store.records[2].setField(ContactField::Email1, "bob@example.com");
        list->refill({});
    }
    void setDialMethod(int32_t method) { device.settings().set(settings::kDialupMode, method); }
};

TEST_F(ContactListMenuTest, PickingAnotherItemWritesItAndTheRowShowsIt) {
    ui.phoneChoice = 1;  // Mobile
    EXPECT_TRUE(list->openPhoneMenu(1));
    EXPECT_EQ(ui.phoneMenus, QStringList{"*Work 555-1000|Mobile 555-3000|E-mail bob@example.com|"
                                         "Dial to..."});
    EXPECT_EQ(store.writes, QStringList{"preferred 2 3a1c001f"});
    EXPECT_EQ(list->rowText(1).value, "555-3000");
    EXPECT_EQ(list->rowText(1).tag, u'm');
    EXPECT_TRUE(actions.calls.isEmpty());
}

TEST_F(ContactListMenuTest, PickingThePreselectedItemWritesNothing) {
    store.records[2].preferredItemTag = fieldInfo(ContactField::MobilePhone).tag();
    list->onChanged(2);
    ui.phoneChoice = 1;
    EXPECT_TRUE(list->openPhoneMenu(1));
    EXPECT_TRUE(ui.phoneMenus.last().contains("*Mobile"));
    EXPECT_TRUE(store.writes.isEmpty());
}

TEST_F(ContactListMenuTest, DialToWithNoneDoesNothing) {
    setDialMethod(41296);
    ui.phoneChoice = 3;  // "Dial to..."
    EXPECT_TRUE(list->openPhoneMenu(1));
    EXPECT_TRUE(actions.calls.isEmpty());
    setDialMethod(0);
    EXPECT_TRUE(list->openPhoneMenu(1));
    EXPECT_TRUE(actions.calls.isEmpty());
    EXPECT_TRUE(store.writes.isEmpty());
}

TEST_F(ContactListMenuTest, DialToRoutesThePreselectedNumberByTheDialMethod) {
    ui.phoneChoice = 3;
    setDialMethod(41235);
    list->openPhoneMenu(1);
    setDialMethod(41236);
    list->openPhoneMenu(1);
    setDialMethod(41237);
    list->openPhoneMenu(1);
    EXPECT_EQ(actions.calls, QStringList({"call 555-1000 1 1", "call 555-1000 2 1", "addin 2"}));
}

TEST_F(ContactListMenuTest, EmailToSendsAMail) {
    store.records[2].preferredItemTag = fieldInfo(ContactField::Email1).tag();
    list->onChanged(2);
    ui.phoneChoice = 3;
    list->openPhoneMenu(1);
    EXPECT_TRUE(ui.phoneMenus.last().endsWith("E-mail to..."));
    EXPECT_EQ(actions.calls, QStringList{"mail bob@example.com"});
}

TEST_F(ContactListMenuTest, AContactWithoutPhonesHasNoMenu) {
    EXPECT_FALSE(list->openPhoneMenu(0));
    EXPECT_TRUE(ui.phoneMenus.isEmpty());
}

TEST_F(ContactListMenuTest, ContextMenuCallsTextsAndMailsTheChosenItem) {
    list->selectContact(2);
    setDialMethod(41235);
    ui.contextChoice = 1002;  // Call Phone: Mobile
    EXPECT_TRUE(list->openContextMenu({5, 5}));
    ui.contextChoice = 1203;  // Send Email
    list->openContextMenu({5, 5});
    setDialMethod(41296);
    ui.contextChoice = 1001;  // with "None" nothing is dialed
    list->openContextMenu({5, 5});
    EXPECT_EQ(actions.calls, QStringList({"call 555-3000 1 1", "mail bob@example.com"}));
    EXPECT_EQ(ui.contextMenus.front()[2].text, "Call Phone");
    EXPECT_EQ(ui.contextMenus.front()[3].text, "Send Email") << "not a phone device";
}

TEST_F(ContactListMenuTest, OnAPhoneDeviceSendSmsHandsTheNumberAsStoredToTheSmsAction) {
    store.records[2].setField(ContactField::MobilePhone, "+7 (912) 345-67-89 mob");
    device.writeFile(QStringLiteral("\\windows\\sms.dll"), "phone");
    ContactList::Services phone = services();
    phone.device = &device.fs();  // looked at for every menu
    list = std::make_unique<ContactList>(phone);
    list->refill({});
    list->selectContact(2);
    ui.contextChoice = 1102;  // Send SMS: Mobile
    EXPECT_TRUE(list->openContextMenu({5, 5}));
    EXPECT_EQ(ui.contextMenus.front()[3].text, "Send SMS");
    EXPECT_EQ(actions.calls, QStringList{"sms +7 (912) 345-67-89 mob"});
}

TEST_F(ContactListMenuTest, EveryCallReadsTheDialMethodAfreshAndMakesItCurrent) {
    list->selectContact(2);
    setDialMethod(kDialSound);
    ui.contextChoice = 1001;
    list->openContextMenu({5, 5});
    EXPECT_EQ(currentDialupMode(), kDialSound);
    setDialMethod(kDialAddIn);
    list->openContextMenu({5, 5});
    EXPECT_EQ(currentDialupMode(), kDialAddIn);
    EXPECT_EQ(actions.calls, QStringList({"call 555-1000 2 1", "addin 2"}));
}

TEST_F(ContactListMenuTest, ContextMenuOfACompanyOffersBeamAndDelete) {
    list->setSortType(2);
    list->select({0, -1});  // Acme: Adams, Carter, Smith
    QList<int> commands;
    ContactList::Listener l;
    l.command = [&](int id) { commands.append(id); };
    list->setListener(l);
    ui.contextChoice = ContactContextMenu::kBeam;
    EXPECT_TRUE(list->openContextMenu({5, 5}));
    ASSERT_EQ(ui.contextMenus.last().size(), 2);
    EXPECT_EQ(commands, QList<int>{ContactContextMenu::kBeam});

    ui.contextChoice = ContactContextMenu::kDelete;
    list->openContextMenu({5, 5});
    EXPECT_EQ(store.writes, QStringList({"delete 1", "delete 3", "delete 4"}));
    list->clearSelection();
    EXPECT_FALSE(list->openContextMenu({5, 5}));
}

// A list whose contact actions, beaming, appointments and category dialog
// are not built: their items are shown disabled and a choice of them does
// nothing.
class ContactListUnbuiltTest : public ContactListMenuTest {
protected:
    ContactListUnbuiltTest() {
        ContactList::Services s = services();
        s.features = FeatureSet();
        list = std::make_unique<ContactList>(s);
        list->setListener(listener());
        list->refill({});
    }
};

TEST_F(ContactListUnbuiltTest, ItemsOfMissingFeaturesAreDisabledAndDoNothing) {
    QList<int> commands;
    ContactList::Listener l;
    l.command = [&](int id) { commands.append(id); };
    list->setListener(l);
    list->selectContact(2);
    for (const int id : {ContactContextMenu::kBeam, ContactContextMenu::kAppointment, 1001, 1201,
                         ContactContextMenu::kDuplicate}) {
        ui.contextChoice = id;
        EXPECT_TRUE(list->openContextMenu({5, 5}));
    }
    EXPECT_EQ(commands, QList<int>{ContactContextMenu::kDuplicate});
    EXPECT_TRUE(actions.calls.isEmpty());
    QStringList disabled;
    for (const MenuEntry& entry : ui.contextMenus.front()) {
        if (!entry.enabled && !entry.separator) {
            disabled.append(entry.text);
        }
    }
    EXPECT_EQ(disabled, QStringList({"Bob Baker", "Call Phone", "Send Email", "Beam...",
                                     "Make Appointment..."}));

    // The phone menu still picks the preferred number; "Dial to..." waits.
    device.settings().set(settings::kDialupMode, 41235);
    ui.phoneChoice = 3;
    EXPECT_TRUE(list->openPhoneMenu(1));
    EXPECT_TRUE(ui.phoneMenus.last().endsWith("Dial to... (disabled)"));
    EXPECT_TRUE(actions.calls.isEmpty());
    ui.phoneChoice = 1;
    list->openPhoneMenu(1);
    EXPECT_EQ(store.writes, QStringList{"preferred 2 3a1c001f"});
}

// Features that need the contact actions are not offered by a list given
// none, whatever is built.
TEST_F(ContactListMenuTest, WithoutActionsNothingCallsMailsBeamsOrMakesAppointments) {
    ContactList::Services s = services();
    s.features = FeatureSet::all();
    s.actions = nullptr;
    list = std::make_unique<ContactList>(s);
    QList<int> commands;
    ContactList::Listener l;
    l.command = [&](int id) { commands.append(id); };
    list->setListener(l);
    list->refill({});
    list->selectContact(2);
    for (const int id : {ContactContextMenu::kBeam, ContactContextMenu::kAppointment, 1001}) {
        ui.contextChoice = id;
        EXPECT_TRUE(list->openContextMenu({5, 5}));
    }
    EXPECT_TRUE(commands.isEmpty());
    QStringList disabled;
    for (const MenuEntry& entry : ui.contextMenus.front()) {
        if (!entry.enabled && !entry.separator) {
            disabled.append(entry.text);
        }
    }
    EXPECT_TRUE(disabled.contains("Beam...")) << disabled.join(", ").toStdString();
    EXPECT_TRUE(disabled.contains("Make Appointment..."));
    EXPECT_TRUE(disabled.contains("Call Phone"));
}

TEST_F(ContactListUnbuiltTest, MoreIsDisabledAndChoosingItChangesNothing) {
    ui.dialogChoice = QList<Oid>{101};
    ui.filterChoice = 4;  // "More..." after the three modes, with no recent category
    EXPECT_FALSE(list->chooseFilter(nullptr));
    ASSERT_EQ(ui.filterMenus.size(), 1);
    EXPECT_EQ(ui.filterMenus[0].back().text, "More...");
    EXPECT_FALSE(ui.filterMenus[0].back().enabled);
    EXPECT_EQ(list->filterCaption(), "All Contacts");
}

TEST_F(ContactListUnbuiltTest, AnEmptyStoreTellsHowToImportWhileNewIsMissing) {
    store.records.clear();
    list->refresh();
    EXPECT_EQ(list->emptyHint(),
              "No contacts yet. Add them from a vCard file: kontavo-store import FILE.vcf");
}

TEST_F(ContactListTest, AnEmptyListSaysWhy) {
    EXPECT_EQ(list->emptyHint(), "") << "not filled yet";
    list->refill({});
    EXPECT_EQ(list->emptyHint(), "") << "rows to show";
    list->refill({QStringLiteral("zz"), {}});
    EXPECT_EQ(list->emptyHint(), "No contacts match.");
    ui.filterChoice = CategoryFilterMenu::kRecentId;
    list->refill({});
    list->chooseFilter(nullptr);
    EXPECT_EQ(list->emptyHint(), "No recently used contacts.");
    ui.filterChoice = CategoryFilterMenu::kAllId;
    list->chooseFilter(nullptr);
    store.records.clear();
    list->refresh();
    EXPECT_EQ(list->emptyHint(), "No contacts yet. Tap New to add one.");
    store.loading = true;
    list->refresh();
    EXPECT_EQ(list->emptyHint(), "") << "the list waits for the store";
}

TEST_F(ContactListTest, StepSelectionMovesWithinTheRows) {
    list->refill({});
    list->stepSelection(1);
    EXPECT_EQ(list->selectedContact(), 1u);
    list->stepSelection(1);
    list->stepSelection(-1);
    EXPECT_EQ(list->selectedContact(), 1u);
    list->stepSelection(-1);
    EXPECT_EQ(list->selectedContact(), 1u);
    list->clearSelection();
    EXPECT_TRUE(list->selection().isEmpty());
}

}  // namespace
}  // namespace kontavo
