#include "card/contacttemplatecodec.h"

#include <QtEndian>
#include <optional>

#include "card/contacttemplate.h"
#include "card/leadingnumber.h"

namespace kontavo {

namespace {

// The name parts the file stores; the others are always shown.
constexpr int kStoredNameParts[] = {1, 5, 6, 8, 9};

struct ListKey {
    const char16_t* key;
    int type;
};
// Row label sections, in the order they are written (Msg and Addr are
// followed by their parallel sections).
constexpr ListKey kListsBeforeOffice[] = {
    {u"Phone", kGroupPhone}, {u"EMail", kGroupEMail}, {u"Msg", kGroupMsg}, {u"Web", kGroupWeb}};
constexpr ListKey kListsAfterCategory[] = {{u"People", kGroupPeople},
                                           {u"Date", kGroupDate},
                                           {u"Link", kGroupLink},
                                           {u"Other", kGroupOther}};
constexpr const char16_t* kNameColl = u"NameColl";
constexpr const char16_t* kMsgType = u"MsgType";
constexpr const char16_t* kOffice = u"Office";
constexpr const char16_t* kAddr = u"Addr";
constexpr const char16_t* kAddrFormat = u"AddrFormat";
constexpr const char16_t* kCategory = u"Category";

QString header(const QString& key) {
    return u'[' + key + u']';
}
QString fieldKey(int part) {
    return QStringLiteral("Field%1").arg(part);
}
QString boolText(bool on) {
    return on ? QStringLiteral("true") : QStringLiteral("false");
}

// --- Writing ---

class Writer {
public:
    void section(const QString& key) { m_lines.append(header(key)); }
    void value(const QString& text) { m_lines.append(text); }
    void boolean(const QString& key, bool on) {
        section(key);
        value(boolText(on));
    }
    void labels(const QString& key, const TemplateLabels& labels, const QList<int>& rows) {
        section(key);
        m_lines.append(labelTexts(labels, rows));
    }
    QByteArray bytes() const {
        QByteArray out;
        for (const QString& line : m_lines) {
            appendUtf16(out, line + QStringLiteral("\r\n"));
        }
        return out;
    }

private:
    static void appendUtf16(QByteArray& out, const QString& text) {
        const qsizetype start = out.size();
        out.resize(start + text.size() * 2);
        qToLittleEndian<char16_t>(text.utf16(), text.size(), out.data() + start);
    }
    QStringList m_lines;
};

void writeList(Writer& out, const ContactTemplate& tmpl, const ListKey& list) {
    const TemplateGroup& group = *tmpl.getGroup(list.type);
    if (!group.shown) {
        return;
    }
    out.labels(QString::fromUtf16(list.key), group.labels, group.selection);
    if (list.type == kGroupMsg) {
        out.labels(QString::fromUtf16(kMsgType), group.messengerTypes, group.messengerSelection);
    }
}

void writeAddresses(Writer& out, const ContactTemplate& tmpl) {
    const TemplateGroup& group = *tmpl.getGroup(kGroupAddr);
    if (!group.shown) {
        return;
    }
    out.labels(QString::fromUtf16(kAddr), group.labels, group.selection);
    out.section(QString::fromUtf16(kAddrFormat));
    for (const int format : group.addrFormat) {
        out.value(QString::number(format));
    }
}

// --- Reading ---

// The index of the first line beginning with the key's header, or -1.
qsizetype findSection(const QStringList& lines, const QString& key) {
    const QString text = header(key);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].startsWith(text)) {
            return i;
        }
    }
    return -1;
}

// The value lines of a section: up to the next line beginning with "[".
QStringList sectionValues(const QStringList& lines, const QString& key) {
    QStringList values;
    const qsizetype at = findSection(lines, key);
    if (at < 0) {
        return values;
    }
    for (qsizetype i = at + 1; i < lines.size() && !lines[i].startsWith(u'['); ++i) {
        values.append(lines[i]);
    }
    return values;
}

bool equalsAsciiNoCase(const QString& text, QLatin1StringView word) {
    if (text.size() != word.size()) {
        return false;
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const char16_t lower = (c >= u'A' && c <= u'Z') ? c + (u'a' - u'A') : c;
        if (lower != char16_t(word[i].unicode())) {
            return false;
        }
    }
    return true;
}

std::optional<bool> readBool(const QStringList& lines, const QString& key) {
    const qsizetype at = findSection(lines, key);
    if (at < 0 || at + 1 >= lines.size()) {
        return std::nullopt;
    }
    const QString& text = lines[at + 1];
    if (equalsAsciiNoCase(text, QLatin1StringView("true"))) {
        return true;
    }
    if (equalsAsciiNoCase(text, QLatin1StringView("false"))) {
        return false;
    }
    return std::nullopt;
}

void readRows(const QStringList& values, TemplateLabels& labels, QList<int>& rows) {
    for (const QString& text : values) {
        rows.append(labels.findOrAppend(text));
    }
}

void readNameBlock(const QStringList& lines, ContactTemplate& tmpl) {
    if (const auto on = readBool(lines, QString::fromUtf16(kNameColl))) {
        tmpl.setNameCollapsed(*on);
    }
    for (const int part : kStoredNameParts) {
        if (const auto on = readBool(lines, fieldKey(part))) {
            tmpl.setNamePart(part, *on);
        }
    }
    for (int part = 0; part < ContactTemplate::kNamePartCount; ++part) {
        if (ContactTemplate::isAlwaysShownNamePart(part)) {
            tmpl.setNamePart(part, true);
        }
    }
}

void readFlag(const QStringList& lines, const char16_t* key, TemplateGroup& group) {
    if (const auto on = readBool(lines, QString::fromUtf16(key))) {
        group.shown = *on;
    }
}

void readList(const QStringList& lines, const ListKey& list, ContactTemplate& tmpl) {
    TemplateGroup& group = *tmpl.getGroup(list.type);
    readRows(sectionValues(lines, QString::fromUtf16(list.key)), group.labels, group.selection);
}

void readLists(const QStringList& lines, ContactTemplate& tmpl) {
    for (const ListKey& list : kListsBeforeOffice) {
        readList(lines, list, tmpl);
    }
    for (const ListKey& list : kListsAfterCategory) {
        readList(lines, list, tmpl);
    }
    readList(lines, {kAddr, kGroupAddr}, tmpl);
    TemplateGroup& msg = *tmpl.getGroup(kGroupMsg);
    readRows(sectionValues(lines, QString::fromUtf16(kMsgType)), msg.messengerTypes,
             msg.messengerSelection);
    TemplateGroup& addr = *tmpl.getGroup(kGroupAddr);
    for (const QString& text : sectionValues(lines, QString::fromUtf16(kAddrFormat))) {
        addr.addrFormat.append(leadingNumber(text));
    }
}

}  // namespace

QByteArray encodeContactTemplate(const ContactTemplate& tmpl) {
    Writer out;
    out.boolean(QString::fromUtf16(kNameColl), tmpl.nameCollapsed());
    for (const int part : kStoredNameParts) {
        out.boolean(fieldKey(part), tmpl.getNamePart(part));
    }
    for (const ListKey& list : kListsBeforeOffice) {
        writeList(out, tmpl, list);
    }
    out.boolean(QString::fromUtf16(kOffice), tmpl.getGroup(kGroupOffice)->shown);
    writeAddresses(out, tmpl);
    out.boolean(QString::fromUtf16(kCategory), tmpl.getGroup(kGroupCategory)->shown);
    for (const ListKey& list : kListsAfterCategory) {
        writeList(out, tmpl, list);
    }
    return out.bytes();
}

void decodeContactTemplate(const QStringList& lines, ContactTemplate& tmpl) {
    tmpl.reset();
    readNameBlock(lines, tmpl);
    readFlag(lines, kOffice, *tmpl.getGroup(kGroupOffice));
    readFlag(lines, kCategory, *tmpl.getGroup(kGroupCategory));
    readLists(lines, tmpl);
}

}  // namespace kontavo
