#include "store/contacts/contactprops.h"

#include "store/record/contactfields.h"

namespace kontavo {

namespace {

constexpr uint16_t kIdBirthday = propId(kTagBirthday);
constexpr uint16_t kIdAnniversary = propId(kTagAnniversary);
constexpr uint16_t kIdPreferredItem = propId(kTagPreferredItem);
constexpr uint16_t kIdCategoryMask = propId(kTagCategoryMask);
constexpr uint16_t kIdNotes = propId(kTagNotes);

PropTag fieldTag(ContactField field) {
    return fieldInfo(field).tag();
}

QList<PropTag> makeTagsWithoutNotes() {
    QList<PropTag> tags;
    for (const ContactFieldInfo& info : contactFieldTable()) {
        tags.append(info.tag());
    }
    tags += {kTagBirthday, kTagAnniversary, kTagPreferredItem, kTagCategoryMask};
    return tags;
}

void applyString(const PropValue& value, ContactRecord& record) {
    if (value.type() != PropType::String) {
        return;
    }
    if (const std::optional<ContactField> field = fieldForPropId(propId(value.tag()))) {
        record.setField(*field, value.toString());
    }
}

void applyOther(const PropValue& value, ContactRecord& record) {
    const uint16_t id = propId(value.tag());
    const PropType type = value.type();
    if (type == PropType::FileTime && id == kIdBirthday) {
        record.birthday = value.toFileTime();
    } else if (type == PropType::FileTime && id == kIdAnniversary) {
        record.anniversary = value.toFileTime();
    } else if (type == PropType::Int32 && id == kIdPreferredItem) {
        record.preferredItemTag = uint32_t(value.toInt());
    } else if (type == PropType::Blob && id == kIdCategoryMask) {
        record.categoryMask = value.toBlob();
    } else if (type == PropType::Blob && id == kIdNotes) {
        record.notesBlob = value.toBlob();
    }
}

// An update writes a cleared date as a deletion: leaving it out would keep
// the date the user removed.
void appendFileTime(PropList& props, PropTag tag, FileTime time, bool update) {
    if (time != 0) {
        props.append(PropValue::fileTime(tag, time));
    } else if (update) {
        props.append(PropValue::deletion(tag));
    }
}

}  // namespace

const QList<PropTag>& contactTagsWithoutNotes() {
    static const QList<PropTag> tags = makeTagsWithoutNotes();
    return tags;
}

const QList<PropTag>& listEntryTags() {
    static const QList<PropTag> tags = {fieldTag(ContactField::LastName),
                                        fieldTag(ContactField::FirstName),
                                        fieldTag(ContactField::Company),
                                        fieldTag(ContactField::Title),
                                        fieldTag(ContactField::WorkPhone),
                                        fieldTag(ContactField::WorkPhone2),
                                        kTagCategoryMask};
    return tags;
}

const QList<PropTag>& pictureNameTags() {
    static const QList<PropTag> tags = {
        fieldTag(ContactField::Title), fieldTag(ContactField::FirstName),
        fieldTag(ContactField::MiddleName), fieldTag(ContactField::LastName)};
    return tags;
}

Oid applyContactProps(const DbRecord& read, ContactRecord& record) {
    for (const PropValue& value : read.props) {
        if (value.isNotFound()) {
            continue;
        }
        if (value.type() == PropType::String) {
            applyString(value, record);
        } else {
            applyOther(value, record);
        }
    }
    record.oid = read.oid;
    return read.oid;
}

PropList contactWriteProps(const ContactRecord& record, ContactWrite mode, bool notesRebuilt) {
    const bool update = mode == ContactWrite::Update;
    PropList props;
    for (const ContactFieldInfo& info : contactFieldTable()) {
        const QString& text = record.field(info.field);
        if (!text.isEmpty()) {
            props.append(PropValue::string(info.tag(), text));
        } else if (update) {
            props.append(PropValue::deletion(info.tag()));
        }
    }
    if (notesRebuilt && !record.notesBlob.isEmpty()) {
        props.append(PropValue::blob(kTagNotes, record.notesBlob));
    } else if (notesRebuilt && update) {
        props.append(PropValue::deletion(kTagNotes));
    }
    if (!record.categoryMask.isEmpty()) {
        props.append(PropValue::blob(kTagCategoryMask, record.categoryMask));
    } else if (update) {
        props.append(PropValue::deletion(kTagCategoryMask));
    }
    appendFileTime(props, kTagBirthday, record.birthday, update);
    appendFileTime(props, kTagAnniversary, record.anniversary, update);
    if (record.preferredItemTag != 0) {
        props.append(PropValue::int32(kTagPreferredItem, int32_t(record.preferredItemTag)));
    } else if (update) {
        props.append(PropValue::deletion(kTagPreferredItem));
    }
    return props;
}

}  // namespace kontavo
