#include "comm/vcardforeign.h"

#include <QHash>
#include <QRegularExpression>

#include "diag/resources.h"
#include "store/record/contactfields.h"

namespace kontavo::vcardforeign {

namespace {

QString labelOf(ContactField field) {
    return fieldLabel(field).wide;
}

struct Name {
    const char* key;
    const char* value;
};

// Messenger types this program names, by the services' own spellings.
const Name kServices[] = {
    {"AIM", "AOL"},
    {"AOL", "AOL"},
    {"ICQ", "ICQ"},
    {"MSN", "MSN"},
    {"MSNIM", "MSN"},
    {"MS-IMADDRESS", "MSN"},
    {"JABBER", "Jabber"},
    {"XMPP", "Jabber"},
    {"YAHOO", "Yahoo"},
    {"YMSGR", "Yahoo"},
    {"SKYPE", "Skype"},
    {"SKYPE-USERNAME", "Skype"},
    {"CALLTO", "Skype"},
    {"GOOGLE-TALK", "Google Talk"},
    {"GOOGLETALK", "Google Talk"},
    {"GTALK", "Google Talk"},
    {"GADUGADU", "Gadu-Gadu"},
    {"GADU-GADU", "Gadu-Gadu"},
    {"GG", "Gadu-Gadu"},
    {"QQ", "QQ"},
    {"GROUPWISE", "GroupWise"},
    {"SIP", "SIP"},
    {"IRC", "IRC"},
    {"FACEBOOK", "Facebook"},
};

// The scheme written for each messenger type.
const Name kSchemes[] = {
    {"AOL", "aim"},
    {"ICQ", "icq"},
    {"MSN", "msnim"},
    {"Jabber", "xmpp"},
    {"Yahoo", "ymsgr"},
    {"Skype", "skype"},
    {"Google Talk", "gtalk"},
    {"Gadu-Gadu", "gg"},
    {"QQ", "qq"},
    {"GroupWise", "groupwise"},
    {"SIP", "sip"},
    {"IRC", "irc"},
};

QString serviceType(const QString& key) {
    const QString upper = key.toUpper();
    for (const Name& service : kServices) {
        if (upper == QLatin1String(service.key)) {
            return QString::fromLatin1(service.value);
        }
    }
    return QString();
}

bool isOneOf(const QString& name, std::initializer_list<const char*> names) {
    for (const char* candidate : names) {
        if (name == QLatin1String(candidate)) {
            return true;
        }
    }
    return false;
}

// A TEL type that names a kind of number without a fixed field of its own.
struct KindLabel {
    std::initializer_list<const char*> types;
    const char* label;
};

}  // namespace

QString messengerTypeOfProperty(const QString& name) {
    if (!name.startsWith(QLatin1String("X-"))) {
        return QString();
    }
    QString key = name.mid(2);
    if (key.startsWith(QLatin1String("MS-IMADDRESS"))) {
        key = QStringLiteral("MS-IMADDRESS");
    }
    return serviceType(key);
}

QString messengerType(const QString& scheme, const QString& service) {
    if (!service.isEmpty()) {
        const QString known = serviceType(service);
        return known.isEmpty() ? service : known;
    }
    if (scheme.compare(QLatin1String("im"), Qt::CaseInsensitive) == 0) {
        return QString();
    }
    const QString known = serviceType(scheme);
    return known.isEmpty() ? scheme : known;
}

QString schemeOfMessengerType(const QString& type) {
    for (const Name& scheme : kSchemes) {
        if (type == QLatin1String(scheme.key)) {
            return QString::fromLatin1(scheme.value);
        }
    }
    return QStringLiteral("im");
}

bool isAnniversary(const QString& name) {
    return isOneOf(name, {"ANNIVERSARY", "X-ANNIVERSARY", "X-MS-ANNIVERSARY",
                          "X-EVOLUTION-ANNIVERSARY", "X-KADDRESSBOOK-X-ANNIVERSARY"});
}

Relation relationOfProperty(const QString& name) {
    if (isOneOf(name, {"X-SPOUSE", "X-MS-SPOUSE", "X-EVOLUTION-SPOUSE",
                       "X-KADDRESSBOOK-X-SPOUSESNAME"})) {
        return Relation::Spouse;
    }
    if (isOneOf(name, {"X-CHILDREN", "X-MS-CHILD", "X-CHILD"})) {
        return Relation::Children;
    }
    if (isOneOf(name, {"X-ASSISTANT", "X-MS-ASSISTANT", "X-EVOLUTION-ASSISTANT",
                       "X-KADDRESSBOOK-X-ASSISTANTSNAME"})) {
        return Relation::Assistant;
    }
    if (isOneOf(name, {"X-MANAGER", "X-MS-MANAGER", "X-EVOLUTION-MANAGER",
                       "X-KADDRESSBOOK-X-MANAGERSNAME"})) {
        return Relation::Manager;
    }
    return Relation::None;
}

QString relationLabel(Relation relation) {
    switch (relation) {
        case Relation::Spouse:
            return labelOf(ContactField::Spouse);
        case Relation::Children:
            return labelOf(ContactField::Children);
        case Relation::Assistant:
            return labelOf(ContactField::AssistantName);
        case Relation::Manager:
            return QStringLiteral("Manager");
        case Relation::None:
            break;
    }
    return QString();
}

QString itemLabel(const QString& abLabel) {
    static const QRegularExpression apple(QStringLiteral("^_\\$!<(.*)>!\\$_$"));
    const QRegularExpressionMatch match = apple.match(abLabel.trimmed());
    if (!match.hasMatch()) {
        return abLabel.trimmed();
    }
    const QString token = match.captured(1);
    const QString key = token.toLower();
    static const QHash<QString, ContactField> fields = {
        {QStringLiteral("mobile"), ContactField::MobilePhone},
        {QStringLiteral("iphone"), ContactField::MobilePhone},
        {QStringLiteral("home"), ContactField::HomePhone},
        {QStringLiteral("work"), ContactField::WorkPhone},
        {QStringLiteral("homefax"), ContactField::HomeFax},
        {QStringLiteral("workfax"), ContactField::WorkFax},
        {QStringLiteral("pager"), ContactField::Pager},
        {QStringLiteral("car"), ContactField::CarPhone},
        {QStringLiteral("radio"), ContactField::RadioPhone},
        {QStringLiteral("assistant"), ContactField::AssistantPhone},
        {QStringLiteral("assistantphone"), ContactField::AssistantPhone},
        {QStringLiteral("homepage"), ContactField::WebPage},
        {QStringLiteral("spouse"), ContactField::Spouse},
        {QStringLiteral("child"), ContactField::Children},
    };
    if (const auto found = fields.constFind(key); found != fields.constEnd()) {
        return labelOf(*found);
    }
    if (key == QLatin1String("anniversary")) {
        return loadString(kLabelAnniversary);
    }
    if (key == QLatin1String("otherfax")) {
        return QStringLiteral("Other fax");
    }
    return token;
}

QString customTypeLabel(const QStringList& typesAsWritten, const QStringList& known) {
    for (const QString& type : typesAsWritten) {
        const QString upper = type.toUpper();
        if (upper.startsWith(QLatin1String("X-")) && upper.size() > 2 && !known.contains(upper)) {
            return type.mid(2);
        }
    }
    return QString();
}

QString phoneLabelOfTypes(const QStringList& types, const QStringList& typesAsWritten) {
    const auto has = [&types](std::initializer_list<const char*> names) {
        for (const char* name : names) {
            if (types.contains(QLatin1String(name))) {
                return true;
            }
        }
        return false;
    };
    if (has({"X-ASSISTANT", "ASSISTANT", "X-EVOLUTION-ASSISTANT"})) {
        return labelOf(ContactField::AssistantPhone);
    }
    if (has({"X-RADIO", "RADIO", "X-EVOLUTION-RADIO"})) {
        return labelOf(ContactField::RadioPhone);
    }
    if (has({"PAGER"})) {
        return labelOf(ContactField::Pager);
    }
    if (has({"CAR"})) {
        return labelOf(ContactField::CarPhone);
    }
    if (has({"FAX"})) {
        if (has({"HOME"})) {
            return labelOf(ContactField::HomeFax);
        }
        return has({"OTHER"}) ? QStringLiteral("Other fax") : labelOf(ContactField::WorkFax);
    }
    if (has({"CELL", "MOBILE", "IPHONE"})) {
        return labelOf(ContactField::MobilePhone);
    }
    if (has({"HOME"})) {
        return labelOf(ContactField::HomePhone);
    }
    if (has({"WORK"})) {
        return labelOf(ContactField::WorkPhone);
    }
    static const KindLabel kinds[] = {
        {{"MSG", "MMS"}, "MMS"},
        {{"COMPANY-MAIN", "X-EVOLUTION-COMPANY"}, "Company"},
        {{"MAIN"}, "Main"},
        {{"OTHER"}, "Other"},
        {{"ISDN"}, "ISDN"},
        {{"TLX", "X-EVOLUTION-TELEX"}, "Telex"},
        {{"CALLBACK", "X-EVOLUTION-CALLBACK"}, "Callback"},
        {{"TEXTPHONE", "X-EVOLUTION-TTYTDD", "TTY-TDD"}, "TTY/TDD"},
        {{"VIDEO"}, "Video"},
        {{"MODEM"}, "Modem"},
        {{"BBS"}, "BBS"},
        {{"TEXT"}, "Text"},
    };
    for (const KindLabel& kind : kinds) {
        if (has(kind.types)) {
            return QString::fromLatin1(kind.label);
        }
    }
    const QString custom = customTypeLabel(
        typesAsWritten, {QStringLiteral("X-SECOND"), QStringLiteral("X-EVOLUTION-UI-SLOT")});
    return custom.isEmpty() ? labelOf(ContactField::WorkPhone) : custom;
}

bool isBookkeeping(const QString& name) {
    return isOneOf(name, {"VERSION",
                          "PRODID",
                          "REV",
                          "UID",
                          "X-ABUID",
                          "X-ABLABEL",
                          "X-ABADR",
                          "X-ABSHOWAS",
                          "CLASS",
                          "SORT-STRING",
                          "MAILER",
                          "NAME",
                          "SOURCE",
                          "PROFILE",
                          "CLIENTPIDMAP",
                          "X-MOZILLA-HTML",
                          "X-MS-OL-DESIGN",
                          "X-MS-OL-DEFAULT-POSTAL-ADDRESS",
                          "X-EVOLUTION-LIST",
                          "X-EVOLUTION-LIST-SHOW-ADDRESSES",
                          "X-EVOLUTION-UI-SLOT"});
}

}  // namespace kontavo::vcardforeign
