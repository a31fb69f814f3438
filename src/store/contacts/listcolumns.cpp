#include "store/contacts/listcolumns.h"

#include "store/record/contactfields.h"
#include "store/record/contactrecord.h"

namespace kontavo {

namespace {

// Positions of the properties in listColumnTags().
enum Column { kLast, kFirst, kTitle, kCompany, kFileAs, kMask, kColumnCount };

QString textOf(const PropValue& value) {
    return value.isNotFound() ? QString() : value.toString();
}

}  // namespace

const QList<PropTag>& listColumnTags() {
    static const QList<PropTag> tags = {
        fieldInfo(ContactField::LastName).tag(), fieldInfo(ContactField::FirstName).tag(),
        fieldInfo(ContactField::Title).tag(),    fieldInfo(ContactField::Company).tag(),
        fieldInfo(ContactField::FileAs).tag(),   kTagCategoryMask};
    return tags;
}

ListColumns listColumnsOf(const DbRecord& read) {
    ListColumns columns;
    columns.oid = read.oid;
    if (read.props.size() < kColumnCount) {
        return columns;
    }
    const QString name = ContactRecord::shortDisplayName(
        textOf(read.props[kLast]), textOf(read.props[kFirst]), textOf(read.props[kTitle]));
    columns.name = name.isEmpty() ? QString() : name;
    columns.company = textOf(read.props[kCompany]);
    columns.fileAs = textOf(read.props[kFileAs]);
    if (columns.fileAs == columns.name) {
        columns.fileAs = columns.name;  // one copy of the usual "Last, First"
    }
    const PropValue& mask = read.props[kMask];
    columns.categoryMask = mask.isNotFound() ? QByteArray() : mask.toBlob();
    return columns;
}

}  // namespace kontavo
