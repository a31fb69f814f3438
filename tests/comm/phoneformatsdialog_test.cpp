// The "Phone number formats" dialog driven by real pen and key events.
#include "comm/phoneformatsdialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "comm/phonetemplateset.h"
#include "comm/phonetemplatesettings.h"
#include "platform/screen.h"
#include "store/settings/settingsstore.h"
#include "support/tempdevice.h"
#include "ui/sharedfonts.h"
#include "ui/shellui.h"

namespace kontavo {
namespace {

class PhoneFormatsDialogTest : public ::testing::TestWithParam<int> {
protected:
    PhoneFormatsDialogTest() {
        Screen::setCurrent(Screen(GetParam(), GetParam()));
        SharedFonts::setCurrent(SharedFonts::create(device.settings(), Screen::current()));
        shell = std::make_unique<ShellUi>();
    }
    ~PhoneFormatsDialogTest() override {
        dialog.reset();
        shell.reset();
        SharedFonts::release();
        Screen::setCurrent(Screen());
    }

    PhoneFormatsDialog& open() {
        dialog = std::make_unique<PhoneFormatsDialog>(device.settings());
        dialog->createModeless();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        return *dialog;
    }
    template <typename T>
    T* control(int id) {
        return dialog->findChild<T*>(QString::number(id));
    }
    QListWidget* list() { return control<QListWidget>(PhoneFormatsDialog::kListId); }
    QLineEdit* edit() { return control<QLineEdit>(PhoneFormatsDialog::kEditId); }
    QString example() { return control<QLabel>(PhoneFormatsDialog::kExampleId)->text(); }
    void tapRow(int row) {
        const QRect box = list()->visualItemRect(list()->item(row));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, box.center());
    }
    void tapButton(int stringId) {
        QTest::mouseClick(control<QPushButton>(stringId), Qt::LeftButton);
    }
    QStringList rows() {
        QStringList texts;
        for (int i = 0; i < list()->count(); ++i) {
            texts.append(list()->item(i)->text());
        }
        return texts;
    }
    void save(const QString& name) {
        const QString folder = QStringLiteral(KONTAVO_BIN_DIR "/../screenshots/comm");
        QDir().mkpath(folder);
        dialog->grab().save(folder + QStringLiteral("/%1-%2.png").arg(name).arg(GetParam()));
    }
    QString stored(const QString& name) {
        return device.settings().getString(settings::kTemplates.toString(), name, "-");
    }

    test::TempDevice device;
    std::unique_ptr<ShellUi> shell;
    std::unique_ptr<PhoneFormatsDialog> dialog;
};

TEST_P(PhoneFormatsDialogTest, OpensWithTheListByWeightAndNothingToDisplay) {
    open();
    EXPECT_EQ(rows(), QStringList({"##-##-##", "###-###-####", "800-###-####", "212-#-##-##-##",
                                   "+# (###) ###-##-##", "# [###] ###-##-##"}));
    EXPECT_EQ(example(), "Nothing to display");
    EXPECT_FALSE(control<QCheckBox>(PhoneFormatsDialog::kIgnoreId)->isChecked());
    EXPECT_EQ(control<QCheckBox>(1030), nullptr)
        << "the formatting switch belongs to the options page";
    save(QStringLiteral("phoneformats"));
}

TEST_P(PhoneFormatsDialogTest, TappingARowShowsItAndTypingChangesTheExample) {
    open();
    tapRow(3);
    EXPECT_EQ(edit()->text(), "212-#-##-##-##");
    EXPECT_EQ(example(), "212-1-23-45-67");
    edit()->setFocus();
    edit()->selectAll();
    QTest::keyClicks(edit(), QStringLiteral("(###) ##"));
    EXPECT_EQ(example(), "(123) 45");
    tapButton(107);  // Add
    EXPECT_EQ(rows().last(), "(###) ##");
    EXPECT_EQ(list()->currentRow(), 6);
    tapButton(107);
    EXPECT_EQ(list()->count(), 7) << "a duplicate is not added";
    save(QStringLiteral("phoneformats-added"));
}

TEST_P(PhoneFormatsDialogTest, DeleteUpDownAndDefaultChangeTheListInPlace) {
    open();
    tapRow(0);
    tapButton(41266);  // Down
    tapButton(41266);
    EXPECT_EQ(rows()[2], "##-##-##");
    EXPECT_EQ(list()->currentRow(), 2);
    tapButton(41265);  // Up
    EXPECT_EQ(rows()[1], "##-##-##");
    tapButton(108);  // Delete
    EXPECT_FALSE(rows().contains("##-##-##"));
    EXPECT_EQ(list()->currentRow(), 1);
    EXPECT_EQ(edit()->text(), rows()[1]);
    tapButton(111);  // Default
    EXPECT_EQ(rows(), PhoneTemplateSet::dialogDefaultTemplates());
    EXPECT_EQ(list()->currentRow(), 0);
    EXPECT_EQ(edit()->text(), "##-##-##");
}

TEST_P(PhoneFormatsDialogTest, OkStoresTheListAndTheIgnoreFlag) {
    open();
    tapRow(5);
    tapButton(108);
    QTest::mouseClick(control<QCheckBox>(PhoneFormatsDialog::kIgnoreId), Qt::LeftButton);
    tapButton(105);  // OK
    EXPECT_EQ(dialog->result(), PhoneFormatsDialog::kOk);
    const PhoneTemplateSet saved = loadPhoneTemplates(device.settings());
    EXPECT_EQ(saved.templates(), QStringList({"##-##-##", "###-###-####", "800-###-####",
                                              "212-#-##-##-##", "+# (###) ###-##-##"}));
    EXPECT_TRUE(saved.isIgnorePhoneFormat());
}

TEST_P(PhoneFormatsDialogTest, CancelAndEscWriteNothing) {
    loadPhoneTemplates(device.settings());  // the first-run list, stored
    open();
    tapRow(0);
    tapButton(108);
    QTest::mouseClick(control<QCheckBox>(PhoneFormatsDialog::kIgnoreId), Qt::LeftButton);
    tapButton(106);  // Cancel
    EXPECT_EQ(dialog->result(), PhoneFormatsDialog::kCancel);
    EXPECT_EQ(stored("0"), "##-##-##") << "the stored order is kept";
    EXPECT_EQ(device.settings().get(settings::kIsIgnorePhoneFormat), 0);
    open();
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_EQ(dialog->result(), PhoneFormatsDialog::kCancel);
}

TEST_P(PhoneFormatsDialogTest, EveryControlFitsTheScreenWithAndWithoutTheInputPanel) {
    open();
    const Screen& screen = Screen::current();
    EXPECT_EQ(dialog->size(), QSize(screen.scaleX(240), screen.scaleY(320)));
    for (const bool sipUp : {false, true}) {
        shell->setSipUp(sipUp);
        QCoreApplication::processEvents();
        const QRect body = dialog->body()->geometry();
        for (QWidget* child : dialog->body()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            const QRect box(dialog->body()->mapTo(dialog.get(), child->pos()), child->size());
            EXPECT_TRUE(body.contains(box)) << child->objectName().toStdString() << " " << sipUp;
            EXPECT_GE(child->height(), child->minimumSizeHint().height())
                << child->objectName().toStdString() << " " << sipUp;
        }
        EXPECT_GE(list()->height(), list()->sizeHintForRow(0) * 2) << "two rows at least";
    }
    save(QStringLiteral("phoneformats-sip"));
}

INSTANTIATE_TEST_SUITE_P(Dpi, PhoneFormatsDialogTest, ::testing::Values(96, 192));

}  // namespace
}  // namespace kontavo
