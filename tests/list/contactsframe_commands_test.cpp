#include <gtest/gtest.h>

#include <QAction>
#include <QTest>

#include "framefixture.h"
#include "list/listdownbutton.h"
#include "list/smallabcbar.h"
#include "list/splitterwnd.h"
#include "listtestsupport.h"
#include "store/settings/settingsstore.h"
#include "ui/menubar.h"
#include "ui/menuresource.h"
#include "ui/shellui.h"

namespace kontavo {
namespace {

// The frame's commands on a list of 30 fixed rows, without a store.
class FrameCommandsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(fixture.create()); }
    bool command(int id) { return fixture.frame().handleCommand(id, 0); }
    int setting(const settings::IntValue& value) { return fixture.device.settings().get(value); }

    test::FrameFixture fixture;
};

TEST_F(FrameCommandsTest, ViewChangesAreWrittenAtOnceAndRaiseTheirChangeFlags) {
    ASSERT_TRUE(command(41214));
    EXPECT_EQ(setting(settings::kNameOnly), 1);
    ASSERT_TRUE(command(41214));
    EXPECT_EQ(setting(settings::kNameOnly), 0);
    EXPECT_EQ(fixture.flags.raised, (QList<int>{5, 5}));

    ASSERT_TRUE(command(41264));
    EXPECT_EQ(setting(settings::kIsDoubleSized), 1);
    ASSERT_TRUE(command(41264));  // already two-line: nothing changes
    ASSERT_TRUE(command(41217));
    EXPECT_EQ(setting(settings::kSortType), 1);
    ASSERT_TRUE(command(41217));
    EXPECT_EQ(fixture.flags.raised, (QList<int>{5, 5, 6, 4}));

    ASSERT_TRUE(command(41231));
    EXPECT_EQ(setting(settings::kAbcMode), 2);
    EXPECT_FALSE(fixture.frame().smallBar()->isVisible());
    EXPECT_EQ(fixture.flags.raised.size(), 4) << "the ABC bar raises no flag";

    const QStringList calls = fixture.list().calls;
    EXPECT_TRUE(calls.contains(QStringLiteral("nameOnly 1")));
    EXPECT_TRUE(calls.contains(QStringLiteral("doubleSized 1")));
    EXPECT_EQ(calls.count(QStringLiteral("sort 1")), 1);
}

TEST_F(FrameCommandsTest, StartSettingsAreReadWithOutOfRangeValuesAsDefaults) {
    fixture.destroyFrame();
    fixture.device.settings().set(settings::kAbcMode, 7);
    fixture.device.settings().set(settings::kSortType, 2);
    fixture.device.settings().set(settings::kNameOnly, 1);
    ASSERT_TRUE(fixture.create());
    EXPECT_EQ(fixture.frame().viewSettings().abcMode(), AbcMode::Small);
    EXPECT_TRUE(fixture.frame().smallBar()->isVisible());
    EXPECT_TRUE(fixture.list().calls.contains(QStringLiteral("sort 2")));
    EXPECT_TRUE(fixture.list().calls.contains(QStringLiteral("nameOnly 1")));
    EXPECT_EQ(fixture.list().refills.size(), 2) << "the sort type fills the list, then the search";
}

TEST_F(FrameCommandsTest, MenuShowsTheViewAndDisablesWhatIsNotThereYet) {
    ShellUi shell;
    const std::optional<MenuResource> menu = MenuResource::load(102);
    ASSERT_TRUE(menu.has_value());
    MenuBar bar(*menu, shell, &fixture.window);
    fixture.host.bar = &bar;
    fixture.frame().updateMenu(bar);
    for (const int id : {41209, 41283, 41286, 41211, 41300}) {
        EXPECT_FALSE(bar.action(id)->isEnabled()) << id;
        EXPECT_FALSE(command(id)) << id;
    }
    for (const int id : {41284, 41208, 41290, 41214, 41216}) {
        EXPECT_TRUE(bar.action(id)->isEnabled()) << id;
    }
    EXPECT_TRUE(bar.action(41232)->isChecked());
    EXPECT_TRUE(bar.action(41266)->isChecked());
    EXPECT_TRUE(bar.action(41216)->isChecked());
    EXPECT_FALSE(bar.action(41214)->isChecked());

    ASSERT_TRUE(command(41218));
    ASSERT_TRUE(command(41233));
    ASSERT_TRUE(command(41214));
    EXPECT_TRUE(bar.action(41218)->isChecked());
    EXPECT_FALSE(bar.action(41216)->isChecked());
    EXPECT_TRUE(bar.action(41233)->isChecked());
    EXPECT_FALSE(bar.action(41232)->isChecked());
    EXPECT_TRUE(bar.action(41214)->isChecked());
    fixture.host.bar = nullptr;
}

TEST_F(FrameCommandsTest, BigBarForcesTheSipDown) {
    ShellUi shell;
    fixture.destroyFrame();
    shell.setSipUp(true);
    ASSERT_TRUE(fixture.create());
    // The fixture's frame has no shell; one with a shell is made here.
    ContactsFrameServices services;
    services.host = &fixture.host;
    services.settings = &fixture.device.settings();
    services.device = &fixture.device.fs();
    services.shell = &shell;
    services.letterGroups = *LetterGroupSet::loadResourceSet(LetterGroupSet::resourceId(1));
    services.screen = fixture.screen;
    services.makeList = [this] { return std::make_unique<test::TestListModel>(nullptr); };
    ContactsFrame frame(std::move(services));
    ASSERT_TRUE(frame.create(&fixture.window, QRect(0, 0, 240, 294)));
    EXPECT_TRUE(shell.isSipUp());
    ASSERT_TRUE(frame.handleCommand(41233, 0));
    EXPECT_FALSE(shell.isSipUp());
}

TEST_F(FrameCommandsTest, SplitterSettingsAreWrittenWhenTheFrameGoes) {
    SplitterWnd* splitter = fixture.frame().splitter();
    ASSERT_TRUE(test::showActive(fixture.window));
    const QPoint onBar(20, splitter->barRect().top() + 4);
    QTest::mouseDClick(splitter, Qt::LeftButton, {}, onBar);
    EXPECT_EQ(splitter->state().mode(), SplitMode::Top);
    ASSERT_TRUE(command(ContactsFrame::kCmdSplitVisible));
    EXPECT_EQ(setting(settings::kSplitMode), 2) << "nothing is written before the frame goes";

    fixture.destroyFrame();
    EXPECT_EQ(setting(settings::kSplitMode), 0);
    EXPECT_EQ(setting(settings::kSplitVisible), 0);
    EXPECT_EQ(setting(settings::kSplitPercent), 500);
}

TEST_F(FrameCommandsTest, CategoryButtonOpensTheFilterMenuAndShowsItsCaption) {
    ListDownButton* button = fixture.frame().categoryButton();
    EXPECT_EQ(button->caption(), QStringLiteral("All Contacts"));
    ASSERT_TRUE(test::showActive(fixture.window));
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, 5));
    EXPECT_EQ(fixture.list().filterMenus, 1);
    EXPECT_EQ(button->caption(), QStringLiteral("All Contacts"));
}

TEST_F(FrameCommandsTest, CreationFailsWithoutAList) {
    ContactsFrameServices services;
    services.host = &fixture.host;
    services.settings = &fixture.device.settings();
    services.device = &fixture.device.fs();
    services.screen = fixture.screen;
    ContactsFrame frame(std::move(services));
    EXPECT_FALSE(frame.create(&fixture.window, QRect(0, 0, 240, 294)));
    EXPECT_FALSE(frame.isCreated());
    EXPECT_TRUE(frame.findChildren<QWidget*>().isEmpty());
}

}  // namespace
}  // namespace kontavo
