// The category list dialog driven by real pen and key events, in each of
// its modes, with its category editor and the ringtones of a phone device.
#include "comm/categorylistdialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "platform/locale.h"
#include "platform/localwindowregistry.h"
#include "platform/screen.h"
#include "platform/sound.h"
#include "platform/sqliteobjectstore.h"
#include "store/contacts/categoriesdbmanager.h"
#include "store/contacts/categorymask.h"
#include "store/settings/datafolder.h"
#include "support/tempdevice.h"
#include "ui/menubar.h"
#include "ui/messageboxes.h"
#include "ui/sharedfonts.h"
#include "ui/shellui.h"

namespace kontavo {
namespace {

using Mode = CategoryListDialog::Mode;

// Previews written down instead of heard.
class PreviewSound final : public Sound {
public:
    bool playSync(const QByteArray&) override { return false; }
    bool playFileAsync(const QString& path) override {
        events.append(QStringLiteral("play ") + QFileInfo(path).fileName());
        return true;
    }
    void stop() override { events.append(QStringLiteral("stop")); }
    std::optional<uint32_t> volume() override { return std::nullopt; }
    bool setVolume(uint32_t) override { return false; }
    void wait(int) override {}

    QStringList events;
};

// Message boxes written down; questions answered from a list.
class AnsweringMessageBoxes final : public MessageBoxes {
public:
    AnsweringMessageBoxes() { install(this); }
    ~AnsweringMessageBoxes() override { install(nullptr); }
    void show(QWidget*, const QString& text, const QString& caption, Icon icon) override {
        shown.append(caption + QStringLiteral(": ") + text);
        icons.append(icon);
    }
    bool askYesNo(QWidget*, const QString& text, const QString&, Icon) override {
        shown.append(text);
        return !answers.isEmpty() && answers.takeFirst();
    }
    QStringList shown;
    QList<Icon> icons;
    QList<bool> answers;
};

class CategoryListDialogTest : public ::testing::TestWithParam<int> {
protected:
    CategoryListDialogTest()
        : store(SqliteObjectStore::fileInRoot(device.root())),
          locale(QLocale(QLocale::English, QLocale::UnitedStates)),
          categories(store, locale) {
        Screen::setCurrent(Screen(GetParam(), GetParam()));
        SharedFonts::setCurrent(SharedFonts::create(device.settings(), Screen::current()));
        shell = std::make_unique<ShellUi>();
        EXPECT_TRUE(categories.open());
        device.writeFile(QStringLiteral("\\My Music\\bells.wav"), "RIFF");
        device.writeFile(QStringLiteral("\\My Music\\drums.wav"), "RIFF");
    }
    ~CategoryListDialogTest() override {
        dialog.reset();
        shell.reset();
        SharedFonts::release();
        Screen::setCurrent(Screen());
    }

    Oid add(const QString& name) {
        Oid oid = 0;
        categories.addCategory(name, &oid);
        return oid;
    }
    // One more contact uses the category.
    void use(const QString& name) { categories.addRef(categories.findByName(name)->position); }
    void makePhone() { device.writeFile(QStringLiteral("\\windows\\sms.dll"), "x"); }

    CategoryListServices services() {
        CategoryListServices s;
        s.categories = &categories;
        s.device = &device.fs();
        s.settings = &device.settings();
        s.windows = &windows;
        s.sound = &sound;
        return s;
    }
    CategoryListDialog& open(Mode mode, const QList<Oid>& ticked = {}) {
        dialog = std::make_unique<CategoryListDialog>(services(), mode, ticked);
        dialog->createModeless();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        return *dialog;
    }
    TrnApCheckList* list() { return dialog->checkList(); }
    QCheckBox* showAll() {
        return dialog->findChild<QCheckBox*>(QString::number(CategoryListDialog::kShowAllId));
    }
    QStringList rows() {
        QStringList texts;
        for (int i = 0; i < dialog->model().rowCount(); ++i) {
            texts.append(
                (dialog->model().isTicked(i) ? QStringLiteral("[x] ") : QStringLiteral("[ ] ")) +
                dialog->model().rowText(i));
        }
        return texts;
    }
    void tapCheck(int row) {
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->checkRect(row).center());
    }
    void tapRingtone(int row) {
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                          list()->ringtoneRect(row).center());
    }
    void doubleTapRingtone(int row) {
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {},
                           list()->ringtoneRect(row).center());
    }
    void tapButton(QWidget* owner, const QString& name) {
        auto* button = owner->findChild<QPushButton*>(name);
        ASSERT_NE(button, nullptr) << name.toStdString();
        QTest::mouseClick(button, Qt::LeftButton);
    }
    // "New" on the menu bar, with `act` run on the editor it opens.
    void tapNew(std::function<void(CategoryEditorDialog&)> act) {
        whileEditorOpen(std::move(act));
        QTest::mouseClick(dialog->menuBar()->buttons()[0], Qt::LeftButton);
    }
    void whileEditorOpen(std::function<void(CategoryEditorDialog&)> act) {
        editorSeen = false;
        QTimer::singleShot(50, dialog.get(), [this, act = std::move(act)] {
            CategoryEditorDialog* editor = dialog->editor();
            if (editor == nullptr) {
                return;
            }
            editorSeen = true;
            static_cast<void>(QTest::qWaitForWindowExposed(editor));
            act(*editor);
            if (editor->isVisible()) {
                editor->reject();
            }
        });
    }
    // "Tools" > "Delete", tapped in the menu as it pops up.
    void tapDelete() {
        QTimer::singleShot(50, dialog.get(), [] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            for (QAction* action : menu->actions()) {
                if (action->text() == QStringLiteral("Delete")) {
                    QTest::mouseClick(menu, Qt::LeftButton, {},
                                      menu->actionGeometry(action).center());
                }
            }
        });
        QTest::mouseClick(dialog->menuBar()->buttons()[1], Qt::LeftButton);
        QTest::qWait(100);
    }
    static void type(CategoryEditorDialog& editor, const QString& field, const QString& text) {
        auto* edit = editor.findChild<QLineEdit*>(field);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    void save(const QString& name) {
        const QString folder = QStringLiteral(KONTAVO_BIN_DIR "/../screenshots/comm");
        QDir().mkpath(folder);
        dialog->grab().save(folder + QStringLiteral("/%1-%2.png").arg(name).arg(GetParam()));
    }
    void saveEditor(CategoryEditorDialog& editor, const QString& name) {
        const QString folder = QStringLiteral(KONTAVO_BIN_DIR "/../screenshots/comm");
        editor.grab().save(folder + QStringLiteral("/%1-%2.png").arg(name).arg(GetParam()));
    }
    QList<WindowMessage> companionInbox(int expected) {
        static_cast<void>(QTest::qWaitFor([&] { return inbox.size() >= expected; }, 3000));
        return inbox;
    }

    test::TempDevice device;
    SqliteObjectStore store;
    Locale locale;
    CategoriesDBManager categories;
    QTemporaryDir runtime;
    LocalWindowRegistry windows{runtime.path()};
    QList<WindowMessage> inbox;
    PreviewSound sound;
    AnsweringMessageBoxes boxes;
    std::unique_ptr<ShellUi> shell;
    std::unique_ptr<CategoryListDialog> dialog;
    bool editorSeen = false;
};

TEST_P(CategoryListDialogTest, FilterModeListsCategoriesInUseUntilShowAllIsTicked) {
    add("Work");
    const Oid family = add("Family");
    add("Unused");
    use("Work");
    use("Family");
    open(Mode::Filter, {family});
    ASSERT_TRUE(showAll()->isVisible());
    EXPECT_FALSE(showAll()->isChecked());
    EXPECT_EQ(rows(), QStringList({"[x] Family", "[ ] Work"}));
    EXPECT_EQ(list()->currentRow(), 0);
    save("category-list-filter");

    tapCheck(1);
    QTest::mouseClick(showAll(), Qt::LeftButton);
    EXPECT_EQ(rows(), QStringList({"[x] Family", "[ ] Unused", "[x] Work"}));
    tapCheck(0);
    tapCheck(1);
    tapButton(dialog.get(), "1");
    EXPECT_EQ(dialog->result(), QList<Oid>({categories.findByName("Unused")->oid,
                                            categories.findByName("Work")->oid}));
}

TEST_P(CategoryListDialogTest, ManageAndContactModesListEveryCategoryWithoutTheBox) {
    add("Work");
    const Oid gone = add("Gone");
    use("Gone");
    ASSERT_TRUE(categories.deleteCategory(gone));  // still used: only inactive
    for (const Mode mode : {Mode::Manage, Mode::Contact}) {
        open(mode, {gone});
        EXPECT_FALSE(showAll()->isVisible());
        EXPECT_EQ(rows(), QStringList({"[x] Gone (deleted category)", "[ ] Work"}));
    }
    save("category-list-contact");
    open(Mode::Manage);
    EXPECT_EQ(rows(), QStringList({"[ ] Work"}));
    save("category-list-manage");
}

TEST_P(CategoryListDialogTest, KeysMoveTheSelectionAndSpaceTicks) {
    add("A");
    add("B");
    add("C");
    open(Mode::Contact);
    QTest::keyClick(list(), Qt::Key_Down);
    QTest::keyClick(list(), Qt::Key_Down);
    QTest::keyClick(list(), Qt::Key_Down);
    EXPECT_EQ(list()->currentRow(), 2);
    QTest::keyClick(list(), Qt::Key_Space);
    QTest::keyClick(list(), Qt::Key_Up);
    QTest::keyClick(list(), Qt::Key_Space);
    EXPECT_EQ(rows(), QStringList({"[ ] A", "[x] B", "[x] C"}));
    QTest::keyClick(list(), Qt::Key_Space);
    EXPECT_EQ(rows(), QStringList({"[ ] A", "[ ] B", "[x] C"}));
}

TEST_P(CategoryListDialogTest, NewRefusesSeparatorsThenCreatesShowsAndSelectsTheCategory) {
    add("Work");
    use("Work");
    for (int i = 0; i < 30; ++i) {
        add(QStringLiteral("Filler %1").arg(i, 2, 10, QChar(u'0')));
    }
    open(Mode::Filter);
    tapNew([this](CategoryEditorDialog& editor) {
        EXPECT_FALSE(editor.findChild<QLineEdit*>("name")->isReadOnly());
        EXPECT_TRUE(editor.findChild<QLineEdit*>("name")->hasFocus());
        EXPECT_FALSE(editor.findChild<QPushButton*>("110")->isEnabled());  // no sound chooser
        type(editor, "name", "Golf; Tennis");
        tapButton(&editor, "105");
        EXPECT_TRUE(editor.isVisible());
        type(editor, "name", "Zoo");
        type(editor, "ringtone", "\\My Music\\bells.wav");
        saveEditor(editor, "category-editor");
        tapButton(&editor, "105");
        EXPECT_FALSE(editor.isVisible());
    });
    ASSERT_TRUE(editorSeen);
    EXPECT_EQ(boxes.shown, QStringList({"Add category: Category names cannot contain ' , ' or "
                                        "' ; ' symbols."}));
    EXPECT_EQ(boxes.icons, QList<MessageBoxes::Icon>({MessageBoxes::Icon::Warning}));
    EXPECT_TRUE(showAll()->isChecked());
    ASSERT_EQ(dialog->model().rowCount(), 32);
    EXPECT_EQ(dialog->model().rowText(list()->currentRow()), QStringLiteral("Zoo"));
    EXPECT_TRUE(list()->rowRect(list()->currentRow()).bottom() < list()->viewport()->height());
    EXPECT_EQ(dialog->focusWidget(), list());

    tapNew([this](CategoryEditorDialog& editor) {
        type(editor, "name", "Work");
        tapButton(&editor, "105");
    });
    EXPECT_EQ(dialog->model().rowText(list()->currentRow()), QStringLiteral("Work"));
    EXPECT_EQ(dialog->model().rowCount(), 32);

    tapButton(dialog.get(), "2");  // Cancel keeps the new category and its ringtone
    EXPECT_EQ(dialog->result(), QList<Oid>());
    EXPECT_TRUE(categories.findByName("Zoo"));
    CategoryRingtones table(device.fs(), device.settings(), nullptr);
    table.load();
    EXPECT_EQ(table.entries(),
              QList<RingtoneEntry>({{"Zoo", QStringLiteral("\\My Music\\bells.wav")}}));
}

TEST_P(CategoryListDialogTest, DeleteRemovesTheSelectedRowAndKeepsTheTicks) {
    const Oid a = add("A");
    add("B");
    const Oid c = add("C");
    use("C");
    open(Mode::Contact, {a, c});
    list()->setCurrentRow(2);
    tapDelete();
    // C is used by a contact: it stays, inactive, but unticked it is not listed.
    EXPECT_EQ(rows(), QStringList({"[x] A", "[ ] B"}));
    EXPECT_EQ(list()->currentRow(), 1);
    EXPECT_EQ(dialog->focusWidget(), list());
    tapDelete();
    EXPECT_EQ(rows(), QStringList({"[x] A"}));
    EXPECT_FALSE(categories.findByName("B"));
    EXPECT_EQ(list()->currentRow(), 0);
    tapButton(dialog.get(), "1");
    EXPECT_EQ(dialog->result(), QList<Oid>({a}));
}

TEST_P(CategoryListDialogTest, APhoneShowsRingtonesPlaysThemAndEditsThem) {
    makePhone();
    add("Family");
    add("Friends");
    add("Work");
    CategoryRingtones table(device.fs(), device.settings(), nullptr);
    table.setRingtone("Family", "\\My Music\\bells.wav");
    table.setRingtone("Work", "\\My Music\\lost.wav");
    ASSERT_EQ(table.save(), CategoryRingtones::SaveResult::Written);
    const auto companion = windows.createWindow(CategoryRingtones::companionClass(),
                                                {[this](const WindowMessage& message, bool) {
                                                     inbox.append(message);
                                                     return 0;
                                                 },
                                                 {}});
    open(Mode::Manage);
    EXPECT_EQ(dialog->model().ringtoneState(0), CategoryRingtones::Present);
    EXPECT_EQ(dialog->model().ringtoneState(1), CategoryRingtones::NoRingtone);
    EXPECT_EQ(dialog->model().ringtoneState(2), CategoryRingtones::FileMissing);
    save("category-list-ringtones");

    tapRingtone(0);
    tapRingtone(2);  // a missing file is not played
    tapCheck(1);
    EXPECT_EQ(sound.events, QStringList({"stop", "play bells.wav", "stop", "stop"}));

    sound.events.clear();
    whileEditorOpen([this](CategoryEditorDialog& editor) {
        EXPECT_TRUE(editor.findChild<QLineEdit*>("name")->isReadOnly());
        EXPECT_EQ(editor.findChild<QLineEdit*>("name")->text(), QStringLiteral("Friends"));
        type(editor, "ringtone", "\\My Music\\drums.wav");
        tapButton(&editor, "105");
    });
    doubleTapRingtone(1);
    ASSERT_TRUE(editorSeen);
    EXPECT_EQ(sound.events.last(), QStringLiteral("stop"));
    EXPECT_EQ(dialog->model().ringtoneState(1), CategoryRingtones::Present);

    whileEditorOpen([this](CategoryEditorDialog& editor) {
        EXPECT_EQ(editor.findChild<QLineEdit*>("ringtone")->text(),
                  QStringLiteral("\\My Music\\lost.wav"));
        tapButton(&editor, "40205");  // Clear
        EXPECT_EQ(editor.findChild<QLineEdit*>("ringtone")->text(), QString());
        tapButton(&editor, "105");
    });
    doubleTapRingtone(2);
    ASSERT_TRUE(editorSeen);
    EXPECT_EQ(dialog->model().ringtoneState(2), CategoryRingtones::NoRingtone);

    tapButton(dialog.get(), "1");
    EXPECT_EQ(companionInbox(1), QList<WindowMessage>({{3026, 0, 0}}));
    table.load();
    EXPECT_EQ(table.entries(),
              QList<RingtoneEntry>({{"Friends", QStringLiteral("\\My Music\\drums.wav")},
                                    {"Family", QStringLiteral("\\My Music\\bells.wav")}}));
}

TEST_P(CategoryListDialogTest, OffAPhoneThereAreNoMarksNorPreviews) {
    add("Family");
    CategoryRingtones table(device.fs(), device.settings(), nullptr);
    table.setRingtone("Family", "\\My Music\\bells.wav");
    ASSERT_EQ(table.save(), CategoryRingtones::SaveResult::Written);
    open(Mode::Manage);
    EXPECT_EQ(dialog->model().ringtoneState(0), CategoryRingtones::NoRingtone);
    whileEditorOpen([](CategoryEditorDialog&) {});
    doubleTapRingtone(0);
    QTest::qWait(120);
    EXPECT_FALSE(editorSeen);
    EXPECT_FALSE(sound.events.contains(QStringLiteral("play bells.wav")));
}

TEST_P(CategoryListDialogTest, DeletingTheLastRingtoneCategoryDeletesTheFile) {
    makePhone();
    add("Family");
    CategoryRingtones table(device.fs(), device.settings(), nullptr);
    table.setRingtone("Family", "\\My Music\\bells.wav");
    ASSERT_EQ(table.save(), CategoryRingtones::SaveResult::Written);
    open(Mode::Manage);
    tapDelete();
    EXPECT_EQ(dialog->model().rowCount(), 0);
    EXPECT_EQ(list()->currentRow(), -1);
    tapDelete();  // nothing selected: nothing happens
    tapButton(dialog.get(), "1");
    EXPECT_FALSE(QFile::exists(device.host(CategoryRingtones::filePath())));
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_P(CategoryListDialogTest, AFailedSaveIsReportedAndMayBeTriedAgain) {
    open(Mode::Manage);
    tapNew([this](CategoryEditorDialog& editor) {
        type(editor, "name", "Golf");
        type(editor, "ringtone", "\\My Music\\bells.wav");
        tapButton(&editor, "105");
    });
    // Where the data folder belongs there is a file.
    device.writeFile(programDataFolder(), "x");
    boxes.answers = {true, false};
    tapButton(dialog.get(), "2");
    EXPECT_EQ(boxes.shown.size(), 2);  // asked, tried again, asked, gave up
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(categories.findByName("Golf"));
}

INSTANTIATE_TEST_SUITE_P(Dpi, CategoryListDialogTest, ::testing::Values(96, 192));

}  // namespace
}  // namespace kontavo
