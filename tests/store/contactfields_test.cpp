#include "store/contactfields.h"

#include <gtest/gtest.h>

#include <QSet>

#include "diag/resources.h"

namespace kontavo {
namespace {

using F = ContactField;

QList<ContactField> group(FieldGroup g) {
    return fieldsOfGroup(g);
}

TEST(ContactFieldsTest, PropertyIdsAreUniqueAndLookedUpBothWays) {
    QSet<uint16_t> ids;
    for (const ContactFieldInfo& info : contactFieldTable()) {
        EXPECT_FALSE(ids.contains(info.propId)) << info.name;
        ids.insert(info.propId);
        EXPECT_EQ(fieldForPropId(info.propId), info.field) << info.name;
    }
    EXPECT_EQ(ids.size(), kContactFieldCount);
    EXPECT_EQ(fieldInfo(F::Email1).tag(), 0x4083001Fu);
    EXPECT_EQ(fieldInfo(F::FileAs).tag(), 0x4013001Fu);
    EXPECT_FALSE(fieldForPropId(0x4001).has_value()) << "the birthday is not a string field";
}

TEST(ContactFieldsTest, GroupsWalkInTheirOwnOrder) {
    EXPECT_EQ(group(FieldGroup::Name),
              QList<F>({F::Title, F::FirstName, F::MiddleName, F::LastName, F::Suffix, F::JobTitle,
                        F::Company, F::Department, F::FileAs}));
    EXPECT_EQ(group(FieldGroup::Phone),
              QList<F>({F::WorkPhone, F::WorkPhone2, F::HomePhone, F::HomePhone2, F::MobilePhone,
                        F::HomeFax, F::WorkFax, F::Pager, F::CarPhone, F::RadioPhone,
                        F::AssistantPhone}));
    EXPECT_EQ(group(FieldGroup::People), QList<F>({F::Spouse, F::AssistantName, F::Children}));
    EXPECT_EQ(group(FieldGroup::Email), QList<F>({F::Email1, F::Email2, F::Email3}));
    EXPECT_EQ(group(FieldGroup::WorkAddress), QList<F>({F::WorkStreet, F::WorkCity, F::WorkRegion,
                                                        F::WorkPostalCode, F::WorkCountry}));
    EXPECT_EQ(phoneListFields(), QList<F>({F::WorkPhone, F::HomePhone, F::MobilePhone, F::Pager,
                                           F::RadioPhone, F::AssistantPhone, F::CarPhone,
                                           F::WorkFax, F::WorkPhone2, F::HomePhone2, F::HomeFax}));
}

TEST(ContactFieldsTest, EveryFieldBelongsToExactlyOneGroup) {
    int total = 0;
    for (int g = 0; g < kFieldGroupCount; ++g) {
        total += int(fieldsOfGroup(FieldGroup(g)).size());
    }
    EXPECT_EQ(total, kContactFieldCount);
}

TEST(ContactFieldsTest, LabelsComeFromTheStringTableAndSplitAtTheAtSign) {
    for (const ContactFieldInfo& info : contactFieldTable()) {
        if (info.labelId != 0) {
            EXPECT_TRUE(hasString(info.labelId)) << info.name;
        }
    }
    EXPECT_EQ(fieldLabel(F::JobTitle).wide, QStringLiteral("Job Title"));
    EXPECT_EQ(fieldLabel(F::JobTitle).narrow, QStringLiteral("Job"));
    EXPECT_EQ(fieldLabel(F::WorkFax).narrow, QStringLiteral("Work fax"));
    EXPECT_EQ(fieldLabel(F::WorkCity).wide, QString());
    EXPECT_EQ(splitLabel("@x").wide, QStringLiteral("@x")) << "an @ in first place does not split";
}

}  // namespace
}  // namespace kontavo
