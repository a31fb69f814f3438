// The options page, its font chooser and the ABC bar page, driven by real
// pen events at 96 and 192 dpi; and the rules behind them.
#include "comm/optiondlg.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "comm/abcbaroptions.h"
#include "comm/apabcbardlg.h"
#include "comm/callrouting.h"
#include "comm/dialmethod.h"
#include "comm/dialmethodchoices.h"
#include "comm/fontchooser.h"
#include "comm/phonetemplatesettings.h"
#include "platform/locale.h"
#include "platform/screen.h"
#include "store/index/lettergroupset.h"
#include "store/settings/settingsstore.h"
#include "support/tempdevice.h"
#include "ui/messageboxes.h"
#include "ui/sharedfonts.h"
#include "ui/shellui.h"

namespace kontavo {
namespace {

TEST(ListFontTest, PointsAndHeightFollowTheScreensResolution) {
    ListFont font;
    font.face = "Tahoma";
    font.height = -11;
    EXPECT_EQ(font.points(96), 8);
    EXPECT_EQ(font.previewText(96), "Tahoma 8 pt");
    EXPECT_EQ(ListFont::heightOf(8, 96), -11);
    EXPECT_EQ(ListFont::heightOf(8, 192), -21);
    // 17 pixels is 13 points, a size the chooser does not list: confirming
    // the chooser without a size keeps 13 points and recomputes the height.
    font.height = -17;
    FontChoice choice = font.choice(96);
    EXPECT_EQ(choice.points, 13);
    EXPECT_FALSE(ListFont::chooserSizes().contains(13));
    choice.bold = true;
    font.apply(choice, 96);
    EXPECT_EQ(font.height, -17);
    EXPECT_EQ(font.weight, ListFont::kBold);
    choice.face.clear();
    choice.points = 20;
    font.apply(choice, 96);
    EXPECT_EQ(font.face, "Tahoma") << "an empty face keeps the face";
    EXPECT_EQ(font.height, -27);
}

TEST(ListFontTest, StoredAsNameHeightAndFlags) {
    test::TempDevice device;
    ListFont font = ListFont::load(device.settings(), 96);
    EXPECT_EQ(font.face, "Tahoma");
    EXPECT_EQ(font.height, -11);
    font.face = "DejaVu Sans";
    font.height = -15;
    font.italic = true;
    font.strikeOut = true;
    ASSERT_TRUE(font.store(device.settings()));
    EXPECT_EQ(device.settings().getInt("ListFont", "Height", 0), 15);
    EXPECT_EQ(device.settings().get(settings::kListFontFlags), 2 | 8);
    EXPECT_EQ(ListFont::load(device.settings(), 96), font);
}

TEST(DialMethodChoicesTest, OffersWhatTheDeviceHasAndDropsAMethodNoLongerOffered) {
    const DialMethodChoices plain(false, QString(), kDialJustCall);
    ASSERT_EQ(plain.choices().size(), 2);
    EXPECT_EQ(plain.choices()[0], (DialMethodChoices::Choice{kDialNone, "None"}));
    EXPECT_EQ(plain.choices()[1], (DialMethodChoices::Choice{kDialSound, "Sound"}));
    EXPECT_EQ(plain.currentValue(), kDialNone) << "Just Call is not offered without a phone";
    DialMethodChoices phone(true, QStringLiteral("BT dial"), kDialAddIn);
    EXPECT_EQ(phone.choices().size(), 4);
    EXPECT_EQ(phone.currentLabel(), "BT dial");
    EXPECT_FALSE(phone.choose(2));
    EXPECT_TRUE(phone.choose(3));
    EXPECT_EQ(phone.currentValue(), kDialJustCall);
}

TEST(AbcBarOptionsTest, ACustomTextThatYieldsNoGroupIsRefused) {
    test::TempDevice device;
    const Locale english(QLocale(QLocale::English, QLocale::UnitedStates));
    const AbcBarOptions options(device.settings(), english);
    EXPECT_EQ(options.names(),
              QStringList({"Custom", "English", "Russian", "English/Russian", "German"}));
    EXPECT_EQ(options.typeAt(options.selected()), LetterGroupSet::English);
    EXPECT_EQ(AbcBarOptions::languageLabel(device.settings(), english), "Language: English");
    EXPECT_EQ(options.apply(device.settings(), 0, "ABC DEF"), AbcBarOptions::Result::WrongFormat);
    EXPECT_EQ(device.settings().get(settings::kAbcType), -1);
    EXPECT_EQ(options.apply(device.settings(), 0, "AB/AB CD/CD"), AbcBarOptions::Result::Stored);
    EXPECT_EQ(device.settings().get(settings::kAbcType), 0);
    EXPECT_EQ(LetterGroupSet::customText(device.settings()), "AB/AB CD/CD");
    EXPECT_EQ(AbcBarOptions::languageLabel(device.settings(), english), "Language: Custom");
}

class Boxes final : public MessageBoxes {
public:
    Boxes() { install(this); }
    ~Boxes() override { install(nullptr); }
    void show(QWidget*, const QString& text, const QString& caption, Icon) override {
        shown.append(caption + QStringLiteral(": ") + text);
    }
    QStringList shown;
};

class OptionDlgTest : public ::testing::TestWithParam<int> {
protected:
    OptionDlgTest() {
        Screen::setCurrent(Screen(GetParam(), GetParam()));
        SharedFonts::setCurrent(SharedFonts::create(device.settings(), Screen::current()));
        shell = std::make_unique<ShellUi>();
    }
    ~OptionDlgTest() override {
        dialog.reset();
        shell.reset();
        SharedFonts::release();
        Screen::setCurrent(Screen());
    }
    OptionDlg& open() {
        services.settings = &device.settings();
        services.device = &device.fs();
        services.locale = &locale;
        dialog =
            std::make_unique<OptionDlg>(services, ListFont::load(device.settings(), GetParam()),
                                        loadPhoneTemplates(device.settings()));
        dialog->createModeless();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        return *dialog;
    }
    template <typename T>
    T* control(int id, QWidget* in = nullptr) {
        return (in != nullptr ? in : dialog.get())->findChild<T*>(QString::number(id));
    }
    void tap(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(4, 4)); }
    void save(QWidget* widget, const QString& name) {
        const QString folder = QStringLiteral(KONTAVO_BIN_DIR "/../screenshots/comm");
        QDir().mkpath(folder);
        widget->grab().save(folder + QStringLiteral("/%1-%2.png").arg(name).arg(GetParam()));
    }
    // Runs `step` on the modal window that `open` brings up.
    template <typename Step>
    void onModal(Step step) {
        QTimer::singleShot(0, [step] {
            QWidget* modal = QApplication::activeModalWidget();
            ASSERT_NE(modal, nullptr);
            step(modal);
        });
    }

    test::TempDevice device;
    Locale locale{QLocale(QLocale::English, QLocale::UnitedStates)};
    OptionDlgServices services;
    std::unique_ptr<ShellUi> shell;
    std::unique_ptr<OptionDlg> dialog;
    Boxes boxes;
};

TEST_P(OptionDlgTest, OpensWithEverySectionOnTheScreen) {
    device.settings().set(settings::kDialupMode, kDialSound);
    open();
    const Screen& screen = Screen::current();
    EXPECT_EQ(dialog->size(), QSize(screen.scaleX(240), screen.scaleY(320)));
    EXPECT_EQ(control<QLabel>(OptionDlg::kLanguageId)->text(), "Language: English");
    EXPECT_EQ(control<QLabel>(OptionDlg::kFontPreviewId)->text(), "Tahoma 8 pt");
    EXPECT_EQ(control<QPushButton>(OptionDlg::kDialMethodId)->text(), "Sound");
    EXPECT_FALSE(control<QCheckBox>(OptionDlg::kCallerIdId)->isEnabled());
    EXPECT_FALSE(control<QCheckBox>(OptionDlg::kTodayId)->isChecked());
    const QRect body = dialog->body()->geometry();
    for (QWidget* child : dialog->body()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QRect box(dialog->body()->mapTo(dialog.get(), child->pos()), child->size());
        EXPECT_TRUE(body.contains(box)) << child->objectName().toStdString();
        EXPECT_GE(child->height(), child->minimumSizeHint().height())
            << child->objectName().toStdString();
    }
    save(dialog.get(), QStringLiteral("options"));
}

TEST_P(OptionDlgTest, CancelKeepsTheFormattingSwitchAndTheDialMethodWrittenAtOnce) {
    open();
    tap(control<QCheckBox>(OptionDlg::kFormattingId));
    EXPECT_EQ(device.settings().get(settings::kIsActiveTemplate), 1);
    QPushButton* field = control<QPushButton>(OptionDlg::kDialMethodId);
    auto* poll = new QTimer(dialog.get());
    QObject::connect(poll, &QTimer::timeout, poll, [this, poll] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) {
            return;
        }
        poll->stop();
        const QList<QAction*> actions = menu->actions();
        EXPECT_EQ(actions.size(), 2);
        EXPECT_TRUE(actions[0]->isChecked());
        EXPECT_LE(menu->geometry().right(), dialog->geometry().right());
        save(menu, QStringLiteral("options-dialmethod"));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(actions.back()).center());
    });
    poll->start(20);
    tap(field);
    EXPECT_EQ(field->text(), "Sound");
    EXPECT_EQ(device.settings().get(settings::kDialupMode), kDialSound);
    EXPECT_EQ(currentDialupMode(), kDialSound);
    tap(control<QPushButton>(OptionDlg::kCancelId));
    EXPECT_EQ(dialog->result(), OptionDlg::kCancel);
    EXPECT_EQ(device.settings().get(settings::kIsActiveTemplate), 1);
    EXPECT_EQ(device.settings().get(settings::kDialupMode), kDialSound);
}

TEST_P(OptionDlgTest, AMethodNoLongerOfferedShowsNoneAndOkStoresIt) {
    device.settings().set(settings::kDialupMode, kDialJustCall);
    open();
    EXPECT_EQ(control<QPushButton>(OptionDlg::kDialMethodId)->text(), "None");
    EXPECT_EQ(device.settings().get(settings::kDialupMode), kDialJustCall);
    tap(control<QPushButton>(OptionDlg::kOkId));
    EXPECT_EQ(dialog->result(), OptionDlg::kOk);
    EXPECT_EQ(device.settings().get(settings::kDialupMode), kDialNone);
    EXPECT_FALSE(dialog->todayChecked()) << "no Today library";
    EXPECT_FALSE(dialog->abcChanged());
}

TEST_P(OptionDlgTest, TheFontChooserChangesThePreviewAndTheCopy) {
    open();
    onModal([this](QWidget* modal) {
        auto* chooser = qobject_cast<FontChooser*>(modal);
        ASSERT_NE(chooser, nullptr);
        auto* size = control<QComboBox>(FontChooser::kSizeId, chooser);
        EXPECT_EQ(size->count(), 13);
        EXPECT_EQ(size->currentText(), "8");
        const QFont before = control<QLabel>(FontChooser::kSampleId, chooser)->font();
        size->setCurrentIndex(size->findText("12"));
        tap(control<QCheckBox>(FontChooser::kBoldId, chooser));
        const QFont sample = control<QLabel>(FontChooser::kSampleId, chooser)->font();
        EXPECT_GT(sample.pixelSize(), before.pixelSize());
        EXPECT_TRUE(sample.bold());
        save(chooser, QStringLiteral("fontchooser"));
        tap(control<QPushButton>(105, chooser));
    });
    tap(control<QPushButton>(OptionDlg::kFontChangeId));
    EXPECT_EQ(dialog->font().height, ListFont::heightOf(12, GetParam()));
    EXPECT_EQ(dialog->font().weight, ListFont::kBold);
    EXPECT_EQ(control<QLabel>(OptionDlg::kFontPreviewId)->text(), "Tahoma 12 pt");
    EXPECT_EQ(ListFont::load(device.settings(), GetParam()).height,
              ListFont::heightOf(8, GetParam()))
        << "the font is stored by the main window after OK";
}

TEST_P(OptionDlgTest, TheAbcPageRefusesAWrongCustomTextAndStoresAGoodOne) {
    open();
    onModal([this](QWidget* modal) {
        auto* page = qobject_cast<ApABCBarDlg*>(modal);
        ASSERT_NE(page, nullptr);
        auto* list = control<QListWidget>(ApABCBarDlg::kListId, page);
        auto* text = control<QLineEdit>(ApABCBarDlg::kTextId, page);
        EXPECT_EQ(list->currentItem()->text(), "English");
        EXPECT_TRUE(text->isReadOnly());
        list->setCurrentRow(0);
        ASSERT_FALSE(text->isReadOnly());
        QTest::keyClicks(text, "ABC DEF");
        tap(control<QPushButton>(105, page));
        EXPECT_EQ(boxes.shown, QStringList("Kontavo: Wrong ABC bar custom string format  !"));
        EXPECT_TRUE(page->isVisible());
        EXPECT_EQ(text->selectedText(), "ABC DEF");
        save(page, QStringLiteral("abcbar"));
        list->setCurrentRow(2);  // Russian
        tap(control<QPushButton>(105, page));
    });
    tap(control<QPushButton>(OptionDlg::kAbcChangeId));
    EXPECT_TRUE(dialog->abcChanged());
    EXPECT_EQ(device.settings().get(settings::kAbcType), LetterGroupSet::Russian);
    EXPECT_EQ(control<QLabel>(OptionDlg::kLanguageId)->text(), "Language: Russian");
}

INSTANTIATE_TEST_SUITE_P(Dpi, OptionDlgTest, ::testing::Values(96, 192));

}  // namespace
}  // namespace kontavo
