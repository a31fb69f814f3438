#include "store/contactfields.h"

#include <QHash>
#include <algorithm>

#include "diag/resources.h"

namespace kontavo {

namespace {

using F = ContactField;
using G = FieldGroup;

constexpr std::array<ContactFieldInfo, kContactFieldCount> kTable{{
    {F::Email1, "Email1", 0x4083, 41163, G::Email, 0, -1},
    {F::Email2, "Email2", 0x4093, 41164, G::Email, 1, -1},
    {F::Email3, "Email3", 0x40A3, 41165, G::Email, 2, -1},
    {F::OtherCountry, "OtherCountry", 0x404E, 0, G::OtherAddress, 4, -1},
    {F::OtherPostalCode, "OtherPostalCode", 0x404D, 0, G::OtherAddress, 3, -1},
    {F::OtherRegion, "OtherRegion", 0x404C, 0, G::OtherAddress, 2, -1},
    {F::OtherCity, "OtherCity", 0x404B, 0, G::OtherAddress, 1, -1},
    {F::OtherStreet, "OtherStreet", 0x404A, 0, G::OtherAddress, 0, -1},
    {F::WorkCountry, "WorkCountry", 0x4049, 0, G::WorkAddress, 4, -1},
    {F::WorkPostalCode, "WorkPostalCode", 0x4048, 0, G::WorkAddress, 3, -1},
    {F::WorkRegion, "WorkRegion", 0x4047, 0, G::WorkAddress, 2, -1},
    {F::WorkCity, "WorkCity", 0x4046, 0, G::WorkAddress, 1, -1},
    {F::WorkStreet, "WorkStreet", 0x4045, 0, G::WorkAddress, 0, -1},
    {F::WorkPhone, "WorkPhone", 0x3A08, 41155, G::Phone, 0, 0},
    {F::WorkPhone2, "WorkPhone2", 0x4007, 41155, G::Phone, 1, 8},
    {F::WorkFax, "WorkFax", 0x3A24, 41197, G::Phone, 6, 7},
    {F::HomeCountry, "HomeCountry", 0x4044, 0, G::HomeAddress, 4, -1},
    {F::HomePostalCode, "HomePostalCode", 0x4043, 0, G::HomeAddress, 3, -1},
    {F::HomeRegion, "HomeRegion", 0x4042, 0, G::HomeAddress, 2, -1},
    {F::HomeCity, "HomeCity", 0x4041, 0, G::HomeAddress, 1, -1},
    {F::HomeStreet, "HomeStreet", 0x4040, 0, G::HomeAddress, 0, -1},
    {F::HomePhone, "HomePhone", 0x3A09, 41156, G::Phone, 2, 1},
    {F::HomePhone2, "HomePhone2", 0x3A2F, 41156, G::Phone, 3, 9},
    {F::HomeFax, "HomeFax", 0x3A25, 41158, G::Phone, 5, 10},
    {F::Title, "Title", 0x4023, 41183, G::Name, 0, -1},
    {F::Suffix, "Suffix", 0x3A05, 41151, G::Name, 4, -1},
    {F::FirstName, "FirstName", 0x3A06, 41148, G::Name, 1, -1},
    {F::MiddleName, "MiddleName", 0x4024, 41149, G::Name, 2, -1},
    {F::LastName, "LastName", 0x3A11, 41150, G::Name, 3, -1},
    {F::Spouse, "Spouse", 0x400A, 41178, G::People, 0, -1},
    {F::Children, "Children", 0x4006, 41177, G::People, 2, -1},
    {F::Pager, "Pager", 0x4009, 41160, G::Phone, 7, 3},
    {F::WebPage, "WebPage", 0x4008, 41170, G::Web, 0, -1},
    {F::CarPhone, "CarPhone", 0x3A1E, 41159, G::Phone, 8, 6},
    {F::RadioPhone, "RadioPhone", 0x3A1D, 41161, G::Phone, 9, 4},
    {F::MobilePhone, "MobilePhone", 0x3A1C, 41157, G::Phone, 4, 2},
    {F::Office, "Office", 0x3A19, 41171, G::Office, 0, -1},
    {F::Department, "Department", 0x3A18, 41154, G::Name, 7, -1},
    {F::JobTitle, "JobTitle", 0x3A17, 41152, G::Name, 5, -1},
    {F::Company, "Company", 0x3A16, 41153, G::Name, 6, -1},
    {F::AssistantPhone, "AssistantPhone", 0x4004, 41162, G::Phone, 10, 5},
    {F::AssistantName, "AssistantName", 0x4002, 41176, G::People, 1, -1},
    {F::FileAs, "FileAs", 0x4013, 41279, G::Name, 8, -1},
}};

constexpr bool tableIsInFieldOrder() {
    for (int i = 0; i < kContactFieldCount; ++i) {
        if (int(kTable[i].field) != i) {
            return false;
        }
    }
    return true;
}
static_assert(tableIsInFieldOrder(), "the field table is indexed by ContactField");

// Fields sorted by a rank that the table gives; rows with a negative rank are left out.
template <typename Rank>
QList<ContactField> sortedFields(Rank rank) {
    QList<ContactFieldInfo> rows;
    for (const ContactFieldInfo& info : kTable) {
        if (rank(info) >= 0) {
            rows.append(info);
        }
    }
    std::sort(rows.begin(), rows.end(), [&](const ContactFieldInfo& a, const ContactFieldInfo& b) {
        return rank(a) < rank(b);
    });
    QList<ContactField> fields;
    for (const ContactFieldInfo& info : rows) {
        fields.append(info.field);
    }
    return fields;
}

}  // namespace

const std::array<ContactFieldInfo, kContactFieldCount>& contactFieldTable() {
    return kTable;
}

const ContactFieldInfo& fieldInfo(ContactField field) {
    return kTable[size_t(field)];
}

std::optional<ContactField> fieldForPropId(uint16_t propId) {
    static const QHash<uint16_t, ContactField> byId = [] {
        QHash<uint16_t, ContactField> map;
        for (const ContactFieldInfo& info : kTable) {
            map.insert(info.propId, info.field);
        }
        return map;
    }();
    const auto it = byId.constFind(propId);
    return it == byId.constEnd() ? std::nullopt : std::optional<ContactField>(*it);
}

const QList<ContactField>& fieldsOfGroup(FieldGroup group) {
    static const std::array<QList<ContactField>, kFieldGroupCount> groups = [] {
        std::array<QList<ContactField>, kFieldGroupCount> all;
        for (int g = 0; g < kFieldGroupCount; ++g) {
            all[size_t(g)] = sortedFields([g](const ContactFieldInfo& info) {
                return int(info.group) == g ? int(info.groupOrder) : -1;
            });
        }
        return all;
    }();
    return groups[size_t(group)];
}

const QList<ContactField>& phoneListFields() {
    static const QList<ContactField> fields =
        sortedFields([](const ContactFieldInfo& info) { return int(info.phoneRank); });
    return fields;
}

FieldLabel splitLabel(const QString& text) {
    const qsizetype at = text.indexOf(QLatin1Char('@'), 1);
    if (at < 0) {
        return {text, text};
    }
    return {text.left(at), text.mid(at + 1)};
}

FieldLabel fieldLabel(ContactField field) {
    const int id = fieldInfo(field).labelId;
    return id == 0 ? FieldLabel{} : splitLabel(loadString(id));
}

}  // namespace kontavo
