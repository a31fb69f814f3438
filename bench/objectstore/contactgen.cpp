#include "contactgen.h"

#include <algorithm>

namespace kontavo::bench {

namespace {

const QList<QString> kFirst = {"Anna",  "Boris", "Clara", "David",  "Elena", "Фёдор",
                               "Ирина", "Jonas", "Karin", "Леонид", "Maria", "Nikolai"};
const QList<QString> kLast = {"Ivanova",  "Petrov", "Schmidt", "Müller",  "Smith", "Кузнецов",
                              "Соколова", "Novak",  "Garcia",  "O'Brien", "Lee",   "Волков"};
const QList<QString> kCompanies = {"Tarnwel Ltd", "ООО Ромашка", "Acme Corp.", "Globex",
                                   "Initech",     "Umbrella",    "Stark GmbH", ""};
const QList<QString> kStreets = {"12 Main St", "ул. Ленина, 5", "Hauptstr. 7", "1 Infinite Loop"};
const QList<QString> kCities = {"Moscow", "Berlin", "Санкт-Петербург", "Springfield", "Oslo"};

constexpr PropTag stringTag(uint16_t id) {
    return (PropTag(id) << 16) | uint16_t(PropType::String);
}

}  // namespace

QList<PropTag> listTags() {
    return {tag::kLastName,  tag::kFirstName,  tag::kCompany,     tag::kTitle,
            tag::kWorkPhone, tag::kWorkPhone2, tag::kCategoryMask};
}

bool ContactGenerator::chance(int percent) {
    return int(m_random() % 100) < percent;
}

QString ContactGenerator::pick(const QList<QString>& words) {
    return words[qsizetype(m_random() % words.size())];
}

QString ContactGenerator::phone() {
    return QStringLiteral("+7 (9%1) %2-%3-%4")
        .arg(m_random() % 100, 2, 10, QLatin1Char('0'))
        .arg(m_random() % 1000, 3, 10, QLatin1Char('0'))
        .arg(m_random() % 100, 2, 10, QLatin1Char('0'))
        .arg(m_random() % 100, 2, 10, QLatin1Char('0'));
}

QByteArray ContactGenerator::notes() {
    const int kind = int(m_random() % 100);
    qsizetype size = 0;
    if (kind < 40) {
        return {};
    } else if (kind < 80) {
        size = 50 + m_random() % 450;
    } else if (kind < 95) {
        size = 500 + m_random() % 3500;
    } else {
        size = 4000 + m_random() % 28000;  // ink documents
    }
    QByteArray bytes("== start pim information ==\r\nPhone: Dacha: +7 495 1234567\r\n");
    bytes.append(QByteArray(std::max<qsizetype>(0, size - bytes.size()), char('a' + size % 26)));
    return bytes;
}

void ContactGenerator::addString(PropList& props, PropTag tag, int percent, const QString& value) {
    if (chance(percent)) {
        props.append(PropValue::string(tag, value));
    }
}

PropList ContactGenerator::next() {
    ++m_counter;
    PropList props;
    const QString first = pick(kFirst);
    const QString last = pick(kLast);
    addString(props, tag::kFirstName, 95, first);
    addString(props, tag::kLastName, 90, last);
    addString(props, stringTag(0x4024), 20, QStringLiteral("M."));
    addString(props, tag::kCompany, 50, pick(kCompanies));
    addString(props, stringTag(0x3A17), 30, QStringLiteral("Engineer"));
    addString(props, stringTag(0x3A18), 15, QStringLiteral("R&D"));
    addString(props, tag::kTitle, 10, QStringLiteral("Dr."));
    addString(props, stringTag(0x3A05), 3, QStringLiteral("Jr."));
    props.append(PropValue::string(stringTag(0x4013), last + QStringLiteral(", ") + first));
    const struct {
        uint16_t id;
        int percent;
    } phones[] = {{0x3A08, 50}, {0x4007, 10}, {0x3A24, 5}, {0x3A09, 40}, {0x3A2F, 5}, {0x3A25, 3},
                  {0x4009, 2},  {0x3A1E, 3},  {0x3A1D, 1}, {0x3A1C, 70}, {0x4004, 2}};
    for (const auto& p : phones) {
        addString(props, stringTag(p.id), p.percent, phone());
    }
    const QString mail = QStringLiteral("user%1@example.com").arg(m_counter);
    addString(props, stringTag(0x4083), 60, mail);
    addString(props, stringTag(0x4093), 15, QStringLiteral("2.") + mail);
    addString(props, stringTag(0x40A3), 5, QStringLiteral("3.") + mail);
    for (uint16_t base : {uint16_t(0x4040), uint16_t(0x4045), uint16_t(0x404A)}) {
        if (chance(base == 0x404A ? 5 : 30)) {
            props.append(PropValue::string(stringTag(base), pick(kStreets)));
            props.append(PropValue::string(stringTag(base + 1), pick(kCities)));
            props.append(PropValue::string(stringTag(base + 3), QStringLiteral("101000")));
            props.append(PropValue::string(stringTag(base + 4), QStringLiteral("Russia")));
        }
    }
    addString(props, stringTag(0x4008), 15, QStringLiteral("http://example.org/~u"));
    addString(props, stringTag(0x400A), 5, pick(kFirst));
    addString(props, stringTag(0x4006), 4, pick(kFirst));
    addString(props, stringTag(0x4002), 3, pick(kFirst));
    addString(props, stringTag(0x3A19), 10, QStringLiteral("Room 101"));
    if (chance(30)) {
        props.append(PropValue::fileTime(0x40010040, 0x01C0000000000000ull + m_random()));
    }
    if (chance(10)) {
        props.append(PropValue::fileTime(0x40030040, 0x01C1000000000000ull + m_random()));
    }
    if (chance(50)) {
        props.append(PropValue::int32(0x00500003, int32_t(0x3A1C001F)));
    }
    QByteArray mask(1 + m_random() % 4, '\0');
    mask[0] = char(m_random() % 256);
    props.append(PropValue::blob(tag::kCategoryMask, mask));
    const QByteArray note = notes();
    if (!note.isEmpty()) {
        props.append(PropValue::blob(tag::kNotes, note));
    }
    return props;
}

}  // namespace kontavo::bench
