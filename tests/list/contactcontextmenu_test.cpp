#include "list/contactcontextmenu.h"

#include <gtest/gtest.h>

#include "store/record/contactrecord.h"

namespace kontavo {
namespace {

QStringList texts(const QList<MenuEntry>& entries) {
    QStringList out;
    for (const MenuEntry& entry : entries) {
        out.append(entry.separator ? QStringLiteral("-") : entry.text);
    }
    return out;
}

ContactRecord bob() {
    ContactRecord record;
    record.setField(ContactField::FirstName, "Bob");
    record.setField(ContactField::LastName, "Baker");
    record.setField(ContactField::HomePhone, "+1 (555) 123-45x");
    record.setField(ContactField::WorkPhone, "555-1000");
    record.setField(ContactField::Email1, "bob@example.com");
    return record;
}

TEST(ContactContextMenuTest, OneContactOnAPhoneDevice) {
    const ContactContextMenu menu(bob(), true);
    EXPECT_EQ(texts(menu.entries()),
              QStringList({"Bob Baker", "-", "Call Phone", "Send SMS", "Send Email", "-",
                           "Duplicate", "Delete", "-", "Beam...", "Make Appointment..."}));
    EXPECT_FALSE(menu.entries()[0].enabled);
    const MenuEntry& calls = menu.entries()[2];
    ASSERT_EQ(calls.children.size(), 2);
    EXPECT_EQ(calls.children[0], (MenuEntry{1001, "Work\t555-1000", true, false, {}}));
    EXPECT_EQ(calls.children[1].id, 1002);
    EXPECT_EQ(menu.entries()[3].children[1].id, 1102);
    EXPECT_EQ(menu.entries()[4].children[0].id, 1203) << "e-mails count after the phones";
    EXPECT_EQ(menu.itemOf(1203)->value, "bob@example.com");
    EXPECT_EQ(menu.itemOf(1102)->value, "+1 (555) 123-45x");
    EXPECT_FALSE(menu.itemOf(1201).has_value()) << "the first item is a phone";
    EXPECT_FALSE(menu.itemOf(1003).has_value()) << "the third item is an e-mail";
    EXPECT_FALSE(menu.itemOf(41284).has_value());
}

TEST(ContactContextMenuTest, WithoutPhoneDeviceOrItemsTheirMenusAreLeftOut) {
    EXPECT_EQ(texts(ContactContextMenu(bob(), false).entries())[3], "Send Email");
    ContactRecord company;
    company.setField(ContactField::Company, "Acme");
    EXPECT_EQ(
        texts(ContactContextMenu(company, true).entries()),
        QStringList({"Acme", "-", "Duplicate", "Delete", "-", "Beam...", "Make Appointment..."}));
    EXPECT_EQ(texts(ContactContextMenu(ContactRecord(), true).entries()).front(), "Duplicate");
    ContactRecord firstOnly;
    firstOnly.setField(ContactField::FirstName, "Cy");
    EXPECT_EQ(ContactContextMenu(firstOnly, true).entries().front().text, "Cy ");
}

TEST(ContactContextMenuTest, SeveralContactsOfferBeamAndDelete) {
    const ContactContextMenu menu;
    EXPECT_EQ(texts(menu.entries()), QStringList({"Beam...", "Delete"}));
}

}  // namespace
}  // namespace kontavo
