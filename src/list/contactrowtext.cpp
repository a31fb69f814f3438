#include "list/contactrowtext.h"

#include "diag/resources.h"
#include "list/contactitems.h"
#include "store/record/contactrecord.h"

namespace kontavo {

namespace {
constexpr int kUnnamedString = 41280;
}  // namespace

QString shownName(const ContactRecord& record, int sortType) {
    const QString name = sortType == sorttype::kFileAs ? record.field(ContactField::FileAs)
                                                       : record.nameLines().first;
    return name.isEmpty() ? loadStringStrict(kUnnamedString) : name;
}

ContactRowText contactRowText(const ContactRecord& record, int sortType, bool nameOnly,
                              const PhoneTemplateSet& templates) {
    ContactRowText text;
    text.name = shownName(record, sortType);
    if (sortType != sorttype::kFileAs) {
        text.secondName = record.nameLines().second;
    }
    if (nameOnly) {
        return text;
    }
    if (const auto item = detailItem(record)) {
        text.label = item->label.toLower();
        text.value = displayValue(*item, templates);
        text.tag = text.label.isEmpty() ? QChar() : text.label.front();
        text.hasDetail = true;
    }
    return text;
}

ContactRowText unreadableRowText() {
    ContactRowText text;
    text.name = loadStringStrict(kUnnamedString);
    return text;
}

}  // namespace kontavo
