#pragma once

#include <QList>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

#include "store/proptag.h"

namespace kontavo {

// The 43 standard string fields of a contact, in the order of the field table
// (the order the database layer reads and writes them in).
enum class ContactField : uint8_t {
    Email1,
    Email2,
    Email3,
    OtherCountry,
    OtherPostalCode,
    OtherRegion,
    OtherCity,
    OtherStreet,
    WorkCountry,
    WorkPostalCode,
    WorkRegion,
    WorkCity,
    WorkStreet,
    WorkPhone,
    WorkPhone2,
    WorkFax,
    HomeCountry,
    HomePostalCode,
    HomeRegion,
    HomeCity,
    HomeStreet,
    HomePhone,
    HomePhone2,
    HomeFax,
    Title,
    Suffix,
    FirstName,
    MiddleName,
    LastName,
    Spouse,
    Children,
    Pager,
    WebPage,
    CarPhone,
    RadioPhone,
    MobilePhone,
    Office,
    Department,
    JobTitle,
    Company,
    AssistantPhone,
    AssistantName,
    FileAs,
};
inline constexpr int kContactFieldCount = 43;

// The groups the card, the list and the actions walk. Office belongs to none
// of the person groups and forms its own.
enum class FieldGroup : uint8_t {
    Name,
    Phone,
    Email,
    Web,
    People,
    HomeAddress,
    WorkAddress,
    OtherAddress,
    Office,
};
inline constexpr int kFieldGroupCount = 9;

// One row of the field table.
struct ContactFieldInfo {
    ContactField field;
    const char* name;  // the field's name, for diagnostics and tools
    uint16_t propId;   // database property id; the value type is always a string
    int labelId;       // string-table id of the label; 0 for address parts
    FieldGroup group;
    int8_t groupOrder;  // position within the group; the slot number in an address
    int8_t phoneRank;   // position in PhoneList(); -1 for fields that are not phones

    PropTag tag() const { return stringPropTag(propId); }
};

// The field table, indexed by ContactField. The single source of truth for
// property ids, labels and group membership.
const std::array<ContactFieldInfo, kContactFieldCount>& contactFieldTable();
const ContactFieldInfo& fieldInfo(ContactField field);
// The string field stored under a property id, if any.
std::optional<ContactField> fieldForPropId(uint16_t propId);
// The fields of a group in the group's walking order (slot order for addresses).
const QList<ContactField>& fieldsOfGroup(FieldGroup group);
// The standard phones in PhoneList() order.
const QList<ContactField>& phoneListFields();

// Label ids that are not tied to one string field.
inline constexpr int kLabelBirthday = 41180;
inline constexpr int kLabelAnniversary = 41181;
inline constexpr int kLabelHomeAddress = 41173;
inline constexpr int kLabelWorkAddress = 41172;
inline constexpr int kLabelOtherAddress = 41174;

// A label as the user interface shows it: a label text with "@" after its
// first character offers a wide form (before the "@") and a narrow form
// (after it); any other label is used whole in both places.
struct FieldLabel {
    QString wide;
    QString narrow;
};
FieldLabel splitLabel(const QString& text);
// The wide and narrow label of a field from the string table; empty for
// address parts, whose captions come from the address format.
FieldLabel fieldLabel(ContactField field);

}  // namespace kontavo
