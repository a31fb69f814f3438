// The row rules of the form's blocks: buttons, added rows, label menus,
// custom labels and hint words.
#include "card/formblockrules.h"

#include <gtest/gtest.h>

#include "card/addressformattable.h"
#include "card/contacteditinpropmapper.h"
#include "card/contacttemplate.h"
#include "platform/locale.h"

namespace kontavo {
namespace {

using formrules::MenuEntry;

class FormBlockRulesTest : public ::testing::Test {
protected:
    FormBlockRulesTest() : table(AddressFormatTable::fromStringTable(1)) {
        tpl.setDefaults();
        context.addressFormats = &table;
        context.locale = &Locale::user();
    }

    FormEntry block(int type) const {
        return ContactEditInPropMapper(context).emptyBlock(tpl, type);
    }

    AddressFormatTable table;
    ContactTemplate tpl{table.defaultIndex()};
    FormContext context;
};

TEST_F(FormBlockRulesTest, AddedRowTakesTheFirstUnusedLabel) {
    FormEntry phones = block(kGroupPhone);
    phones.rows.removeLast();  // Work, Home
    const int row = formrules::addRow(phones, table);
    EXPECT_EQ(phones.labelText(row), "Mobile");

    FormEntry web = block(kGroupWeb);  // no rows by default: the template hides Web
    formrules::addRow(web, table);
    EXPECT_EQ(web.labelText(0), "Web");
    formrules::addRow(web, table);
    EXPECT_EQ(web.labelText(1), "Web") << "every label used: the last row's label again";
}

TEST_F(FormBlockRulesTest, RowButtonsFollowRowCountValueAndMode) {
    FormEntry emails = block(kGroupEMail);
    ASSERT_EQ(emails.rows.size(), 1);
    EXPECT_FALSE(formrules::hasDeleteButton(emails, 0, false)) << "the only row";
    EXPECT_TRUE(formrules::hasDeleteButton(emails, 0, true)) << "always in template mode";
    EXPECT_FALSE(formrules::hasAddButton(emails, 0, false)) << "the last row has no value";
    EXPECT_TRUE(formrules::hasAddButton(emails, 0, true));
    formrules::commitText(emails, 0, "a@b.c");
    EXPECT_TRUE(formrules::hasAddButton(emails, 0, false));
    formrules::addRow(emails, table);
    EXPECT_TRUE(formrules::hasDeleteButton(emails, 0, false));
    EXPECT_FALSE(formrules::hasAddButton(emails, 0, false)) << "only the last row";
    formrules::deleteRow(emails, 0);
    EXPECT_EQ(emails.rows.size(), 1);
    EXPECT_EQ(emails.labelText(0), "E-mail 2");

    FormEntry office = block(kGroupOffice);
    EXPECT_FALSE(formrules::hasDeleteButton(office, 0, true)) << "single-row blocks have none";
}

TEST_F(FormBlockRulesTest, HintWordClearsTheValue) {
    FormEntry emails = block(kGroupEMail);
    EXPECT_EQ(formrules::editText(emails, 0), "e-mail");
    formrules::commitText(emails, 0, "e-mail");
    EXPECT_TRUE(emails.rows[0].text.isEmpty());
    formrules::commitText(emails, 0, "E-mail");
    EXPECT_EQ(emails.rows[0].text, "E-mail") << "the hint is compared exactly";
    EXPECT_EQ(formrules::editText(emails, 0), "E-mail");
    formrules::commitText(emails, 0, "");
    EXPECT_FALSE(formrules::rowHasValue(emails, 0));
}

TEST_F(FormBlockRulesTest, LabelMenuSeparatesCustomLabelsAndMarksTheRow) {
    FormEntry emails = block(kGroupEMail);
    ASSERT_TRUE(formrules::applyCustomLabel(emails, 0, "Private"));
    const QList<MenuEntry> menu = formrules::labelMenu(emails, 0);
    const QList<MenuEntry> expected = {
        {MenuEntry::Kind::Label, "E-mail", 0, false},
        {MenuEntry::Kind::Label, "E-mail 2", 1, false},
        {MenuEntry::Kind::Label, "E-mail 3", 2, false},
        {MenuEntry::Kind::Separator, {}, -1, false},
        {MenuEntry::Kind::Label, "Private", 3, true},
        {MenuEntry::Kind::Separator, {}, -1, false},
        {MenuEntry::Kind::Custom, "Custom...", -1, false},
    };
    EXPECT_EQ(menu, expected);
    EXPECT_EQ(formrules::labelMenu(block(kGroupAddr), 0).last().kind,
              MenuEntry::Kind::AddressFormat);
}

TEST_F(FormBlockRulesTest, CustomLabelsAreFoundAppendedOrRefused) {
    FormEntry phones = block(kGroupPhone);
    EXPECT_EQ(formrules::customLabelCaption(phones, 0), "Add custom label");
    ASSERT_TRUE(formrules::applyCustomLabel(phones, 0, "Boat"));
    EXPECT_EQ(phones.labels.size(), 12);
    EXPECT_EQ(formrules::customLabelCaption(phones, 0), "Rename label :");
    ASSERT_TRUE(formrules::applyCustomLabel(phones, 0, "Yacht"));
    EXPECT_EQ(phones.labels.customLabels(), QStringList({"Boat", "Yacht"}))
        << "the old custom label stays";
    ASSERT_TRUE(formrules::applyCustomLabel(phones, 0, "Home"));
    EXPECT_EQ(phones.rows[0].label, 1) << "an existing label is taken, not added";
    EXPECT_EQ(phones.labels.size(), 13);

    EXPECT_FALSE(formrules::applyCustomLabel(phones, 0, "[Boat]"))
        << "the template file would lose it";
    EXPECT_FALSE(formrules::applyCustomLabel(phones, 0, ""));
    EXPECT_FALSE(formrules::applyCustomLabel(phones, 0, QString(257, QLatin1Char('x'))));
    EXPECT_TRUE(formrules::applyCustomLabel(phones, 0, QString(256, QLatin1Char('x'))));

    FormEntry im = block(kGroupMsg);
    ASSERT_TRUE(formrules::applyCustomMessengerType(im, 0, "Jabber"));
    EXPECT_EQ(im.messengerTypeText(0), "Jabber");
    const QList<MenuEntry> types = formrules::messengerTypeMenu(im, 0);
    EXPECT_EQ(types[3].kind, MenuEntry::Kind::Separator);
    EXPECT_TRUE(types[4].checked);
}

TEST_F(FormBlockRulesTest, TypedDatesAreStoredOrKeptAsInvalid) {
    FormEntry dates = block(kGroupDate);
    formrules::commitDate(dates, 0, "25/3/1970", DateOrder::DayMonthYear, 2026);
    EXPECT_EQ(dateFromFileTime(dates.rows[0].date), QDate(1970, 3, 25));
    formrules::commitDate(dates, 0, "31/2/1970", DateOrder::DayMonthYear, 2026);
    EXPECT_EQ(dates.rows[0].date, 0u);
    EXPECT_EQ(dates.rows[0].invalidDate, "31/2/1970");
    EXPECT_EQ(formrules::dateText(dates, 0, Locale::user()), "31/2/1970");
    formrules::commitDate(dates, 0, "Date", DateOrder::DayMonthYear, 2026);
    EXPECT_FALSE(formrules::rowHasValue(dates, 0));
    EXPECT_EQ(formrules::dateText(dates, 0, Locale::user()), "Date");
}

TEST_F(FormBlockRulesTest, AddedAddressRowsTakeTheLastChosenFormat) {
    FormEntry addresses = block(kGroupAddr);
    addresses.lastAddressFormat = 16;  // Germany, chosen through "Address format..."
    const int row = formrules::addRow(addresses, table);
    EXPECT_EQ(addresses.rows[row].address.format(), 16);
    EXPECT_EQ(addresses.rows[row].address.countryName(), "Germany");
}

}  // namespace
}  // namespace kontavo
