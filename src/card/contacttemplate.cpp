#include "card/contacttemplate.h"

#include <QFile>
#include <QSaveFile>

#include "card/addressformattable.h"
#include "card/contacttemplatecodec.h"
#include "card/utf16linereader.h"
#include "diag/resources.h"
#include "platform/devicefs.h"

namespace kontavo {

namespace {

// String-table ids of the built-in labels, per group type.
const std::array<QList<int>, kTemplateGroupCount> kLabelIds = {{
    {42110, 41183, 41148, 41149, 41150, 41151, 41152, 41153, 41154, 41279},
    {41155, 41156, 41157, 41158, 41197, 41159, 41160, 41161, 41162, 42111, 42112},
    {41163, 41164, 41165},
    {42113, 42114, 42115},
    {41170},
    {41171},
    {41172, 41173, 41174},
    {42119},
    {41176, 41177, 41178, 42120},
    {41180, 41181},
    {42121, 42122},
    {42123, 42124, 42125, 42126},
}};
const QList<int> kMessengerTypeIds = {42116, 42117, 42118};
// Hint words are at kHintBase + type; Name and Addr have none.
constexpr int kHintBase = 42140;

// Default rows (label indexes) of the list groups, and which groups show.
const std::array<QList<int>, kTemplateGroupCount> kDefaultRows = {{
    {},
    {0, 1, 2},
    {0},
    {0},
    {0},
    {},
    {0},
    {},
    {2},
    {0},
    {0},
    {0, 1, 2, 3},
}};
constexpr std::array<bool, kTemplateGroupCount> kDefaultShown = {
    true, true, true, true, false, true, true, true, false, true, true, false};

bool isListGroup(int type) {
    return type > kGroupName && type < kTemplateGroupCount && type != kGroupOffice &&
           type != kGroupCategory;
}

QStringList loadLabels(const QList<int>& ids) {
    QStringList labels;
    for (const int id : ids) {
        labels.append(loadStringStrict(id));
    }
    return labels;
}

constexpr std::array<bool, ContactTemplate::kNamePartCount> defaultNameParts() {
    std::array<bool, ContactTemplate::kNamePartCount> parts{};
    parts.fill(true);
    parts[ContactTemplate::kPartSuffix] = false;
    parts[ContactTemplate::kPartFileAs] = false;
    return parts;
}

}  // namespace

ContactTemplate::ContactTemplate(int defaultAddressFormat)
    : m_nameParts(defaultNameParts()), m_defaultAddressFormat(defaultAddressFormat) {
    for (int type = 0; type < kTemplateGroupCount; ++type) {
        TemplateGroup& group = m_groups[type];
        group.labels = TemplateLabels(loadLabels(kLabelIds[type]));
        if (type != kGroupName && type != kGroupAddr) {
            group.hint = loadStringStrict(kHintBase + type);
        }
    }
    m_groups[kGroupMsg].messengerTypes = TemplateLabels(loadLabels(kMessengerTypeIds));
}

ContactTemplate::ContactTemplate()
    : ContactTemplate(AddressFormatTable::instance().defaultIndex()) {}

void ContactTemplate::reset() {
    for (TemplateGroup& group : m_groups) {
        group.reset();
    }
}

void ContactTemplate::setDefaults() {
    reset();
    m_nameCollapsed = false;
    m_nameParts = defaultNameParts();
    for (int type = kGroupPhone; type < kTemplateGroupCount; ++type) {
        m_groups[type].shown = kDefaultShown[type];
        if (kDefaultShown[type]) {
            seedDefaultRows(type);
        }
    }
}

void ContactTemplate::copyFrom(const ContactTemplate& other) {
    if (&other == this) {
        return;
    }
    reset();
    m_nameCollapsed = other.m_nameCollapsed;
    m_nameParts = other.m_nameParts;
    for (int type = 0; type < kTemplateGroupCount; ++type) {
        TemplateGroup& group = m_groups[type];
        const TemplateGroup& from = other.m_groups[type];
        for (const QString& label : from.labels.customLabels()) {
            group.labels.append(label);
        }
        for (const QString& label : from.messengerTypes.customLabels()) {
            group.messengerTypes.append(label);
        }
        group.selection = from.selection;
        group.messengerSelection = from.messengerSelection;
        group.addrFormat = from.addrFormat;
        group.shown = from.shown;
    }
}

bool ContactTemplate::isAlwaysShownNamePart(int index) {
    return index == kPartName || index == kPartFirst || index == kPartMiddle ||
           index == kPartLast || index == kPartCompany;
}

bool ContactTemplate::getNamePart(int index) const {
    return index < 0 || index >= kNamePartCount || m_nameParts[index];
}

void ContactTemplate::setNamePart(int index, bool on) {
    if (index >= 0 && index < kNamePartCount) {
        m_nameParts[index] = on || isAlwaysShownNamePart(index);
    }
}

bool ContactTemplate::isGroupShown(int type) const {
    if (type == kGroupName) {
        return true;
    }
    const TemplateGroup* group = getGroup(type);
    if (!group) {
        return false;
    }
    return group->shown && (!isListGroup(type) || !group->selection.isEmpty());
}

void ContactTemplate::setGroupShown(int type, bool on) {
    if (type <= kGroupName || type >= kTemplateGroupCount) {
        return;
    }
    m_groups[type].shown = on;
    if (on && isListGroup(type) && m_groups[type].selection.isEmpty()) {
        seedDefaultRows(type);
    }
}

void ContactTemplate::seedDefaultRows(int type) {
    TemplateGroup& group = m_groups[type];
    group.selection = kDefaultRows[type];
    const qsizetype rows = group.selection.size();
    if (type == kGroupMsg) {
        group.messengerSelection = QList<int>(rows, 0);
    }
    if (type == kGroupAddr) {
        group.addrFormat = QList<int>(rows, m_defaultAddressFormat);
    }
}

TemplateGroup* ContactTemplate::getGroup(int type) {
    return type >= 0 && type < kTemplateGroupCount ? &m_groups[type] : nullptr;
}

const TemplateGroup* ContactTemplate::getGroup(int type) const {
    return type >= 0 && type < kTemplateGroupCount ? &m_groups[type] : nullptr;
}

bool ContactTemplate::load(const DeviceFs& fs, const QString& devicePath) {
    const auto host = fs.hostPath(devicePath);
    if (!host) {
        return false;
    }
    QFile file(*host);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    if (file.size() == 0) {
        file.close();
        fs.removeFile(devicePath);
        return false;
    }
    const QStringList lines = readUtf16Lines(file);
    decodeContactTemplate(lines, *this);
    return true;
}

bool ContactTemplate::save(const DeviceFs& fs, const QString& devicePath) const {
    const auto host = fs.hostPath(devicePath);
    if (!host) {
        return false;
    }
    // Written beside the old file and renamed over it, so a failed write
    // never leaves a half template behind.
    QSaveFile file(*host);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    file.write(encodeContactTemplate(*this));
    return file.commit();
}

}  // namespace kontavo
