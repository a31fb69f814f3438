#include "store/contacts/democulture.h"

#include <QHash>

namespace kontavo {

namespace {

// Indices of the countries in the address format table.
constexpr uint32_t kFormatGermany = 16;
constexpr uint32_t kFormatRussia = 42;
constexpr uint32_t kFormatUnitedKingdom = 56;
constexpr uint32_t kFormatUnitedStates = 57;

DemoCulture english() {
    DemoCulture c;
    c.key = QStringLiteral("en");
    c.maleFirst = {"James",   "John",    "Robert", "Michael", "William",
                   "David",   "Richard", "Thomas", "Charles", "Daniel",
                   "Matthew", "George",  "Edward", "Peter",   "Andrew"};
    c.femaleFirst = {"Mary",  "Patricia", "Jennifer", "Linda", "Elizabeth", "Susan",  "Jessica",
                     "Sarah", "Karen",    "Nancy",    "Emily", "Margaret",  "Olivia", "Grace"};
    c.lastNames = {"Smith",  "Johnson",  "Williams", "Brown",   "Jones",   "Miller", "Davis",
                   "Wilson", "Taylor",   "Anderson", "Thomas",  "Jackson", "White",  "Harris",
                   "Martin", "Thompson", "Clarke",   "O'Brien", "Walker",  "Wright", "Hughes"};
    c.companies = {"Acme Corporation", "Globex Inc.",    "Initech",          "Northwind Traders",
                   "Contoso Ltd",      "Blue Ridge LLC", "Harbor & Sons",    "Summit Partners",
                   "Pinewood Clinic",  "City Council",   "Redwood Software", "Baker Street Books"};
    c.jobTitles = {"Sales Manager", "Engineer",       "Accountant", "Director",  "Consultant",
                   "Designer",      "Office Manager", "Attorney",   "Physician", "Buyer"};
    c.departments = {"Sales", "Engineering", "Finance", "Marketing", "Support", "Purchasing"};
    c.streets = {"12 Main St",        "450 Oak Avenue", "1 Infinite Loop",  "77 Sunset Blvd, Apt 4",
                 "221B Baker Street", "9 Elm Court",    "310 Lake Shore Dr"};
    c.cities = {"Springfield", "Portland", "Austin", "Denver", "Boston", "Seattle", "Madison"};
    c.regions = {"IL", "OR", "TX", "CO", "MA", "WA", "WI"};
    c.postalPattern = QStringLiteral("#####");
    c.country = QStringLiteral("USA");
    c.addressFormat = kFormatUnitedStates;
    c.phonePatterns = {"+1 (###) ###-####", "(###) ###-####",   "###-###-####",
                       "1-800-###-####",    "+44 20 #### ####", "+1 ### ### ####"};
    c.mailDomains = {"example.com", "mail.example.org", "contoso.com", "globex.example"};
    c.noteLines = {"Met at the trade show in Chicago.",
                   "Prefers e-mail to phone calls.",
                   "Call back after the quarterly review.",
                   "Birthday card every year!",
                   "Owes me a lunch.",
                   "Key account: renewal due in March."};
    c.extraPhoneLabels = {"Skype", "Office 2", "Fax 2", "Summer house", "Direct"};
    return c;
}

DemoCulture russian() {
    DemoCulture c;
    c.key = QStringLiteral("ru");
    c.maleFirst = {"Александр", "Сергей",   "Дмитрий", "Андрей", "Алексей", "Иван", "Михаил",
                   "Николай",   "Владимир", "Павел",   "Фёдор",  "Юрий",    "Олег", "Борис"};
    c.femaleFirst = {"Елена",    "Ольга",     "Наталья", "Татьяна", "Ирина", "Анна",  "Мария",
                     "Светлана", "Екатерина", "Юлия",    "Людмила", "Дарья", "Ксения"};
    c.lastNames = {"Иванов",  "Смирнов",  "Кузнецов", "Попов",     "Васильев", "Петров",
                   "Соколов", "Михайлов", "Новиков",  "Фёдоров",   "Морозов",  "Волков",
                   "Лебедев", "Козлов",   "Орлов",    "Белинский", "Соловьёв", "Зайцев"};
    c.patronymics = {"Александрович", "Сергеевич",    "Дмитриевич", "Иванович", "Петрович",
                     "Николаевич",    "Владимирович", "Михайлович", "Юрьевич"};
    c.companies = {"ООО «Ромашка»", "ЗАО «Север»",  "Газпром",    "Сбербанк",  "ИП Петров",
                   "НИИ «Квант»",   "ООО «Вектор»", "Ростелеком", "Аптека №5", "МГУ"};
    c.jobTitles = {"Менеджер",    "Инженер", "Бухгалтер", "Директор",
                   "Программист", "Юрист",   "Врач",      "Водитель"};
    c.departments = {"Отдел продаж", "Бухгалтерия", "ИТ-отдел", "Снабжение", "Логистика"};
    c.streets = {"ул. Ленина, д. 5, кв. 12",    "пр. Мира, д. 101",
                 "ул. Пушкина, д. 10",          "Невский пр., д. 28",
                 "ул. Гагарина, д. 3, корп. 2", "наб. Фонтанки, д. 90"};
    c.cities = {"Москва",       "Санкт-Петербург", "Новосибирск",
                "Екатеринбург", "Казань",          "Нижний Новгород"};
    c.regions = {"", "Ленинградская обл.", "Новосибирская обл.", "Свердловская обл.",
                 "Республика Татарстан"};
    c.postalPattern = QStringLiteral("1#####");
    c.country = QStringLiteral("Россия");
    c.addressFormat = kFormatRussia;
    c.phonePatterns = {"+7 (###) ###-##-##", "8 (###) ###-##-##", "+7 9## ### ## ##",
                       "8##########",        "+7-###-###-##-##",  "###-##-##"};
    c.mailDomains = {"mail.ru", "yandex.ru", "example.ru", "rambler.ru"};
    c.noteLines = {"Звонить после 18:00.",
                   "Познакомились на выставке в Экспоцентре.",
                   "Предпочитает общение по почте.",
                   "Не забыть поздравить с днём рождения!",
                   "Договор продлить до конца года.",
                   "Дача по Ярославскому направлению."};
    c.extraPhoneLabels = {"Дача", "Рабочий 2", "Факс 2", "Skype", "Домашний 2"};
    return c;
}

DemoCulture german() {
    DemoCulture c;
    c.key = QStringLiteral("de");
    c.maleFirst = {"Lukas", "Jürgen",   "Klaus",  "Stefan", "Andreas", "Michael", "Thomas",
                   "Uwe",   "Matthias", "Günter", "Frank",  "Jörg",    "Tobias"};
    c.femaleFirst = {"Anna",   "Ursula",   "Sabine", "Claudia", "Petra",  "Monika", "Jutta",
                     "Katrin", "Brigitte", "Sophie", "Hannah",  "Gisela", "Bärbel"};
    c.lastNames = {"Müller", "Schmidt", "Schneider", "Fischer",  "Weber",    "Meyer",
                   "Wagner", "Becker",  "Schulz",    "Hoffmann", "Schäfer",  "Koch",
                   "Bauer",  "Richter", "Klein",     "Wolf",     "Schröder", "Neumann"};
    c.companies = {"Stark GmbH",         "Müller & Söhne KG", "Bäckerei Schulz",
                   "Deutsche Bahn AG",   "Siemens AG",        "Autohaus Weber",
                   "Praxis Dr. Richter", "Gemeinde Auerbach", "Brauerei Zum Löwen"};
    c.jobTitles = {"Vertriebsleiter", "Ingenieur",      "Buchhalterin", "Geschäftsführer",
                   "Berater",         "Sachbearbeiter", "Ärztin",       "Einkäufer"};
    c.departments = {"Vertrieb", "Entwicklung", "Buchhaltung", "Einkauf", "Personal"};
    c.streets = {"Hauptstraße 7", "Bahnhofstr. 12a", "Schillerweg 3",
                 "Am Markt 1",    "Königsallee 92",  "Gartenstraße 45"};
    c.cities = {"Berlin", "München", "Köln", "Düsseldorf", "Stuttgart", "Würzburg", "Lübeck"};
    c.regions = {"", "Bayern", "NRW", "Baden-Württemberg"};
    c.postalPattern = QStringLiteral("#####");
    c.country = QStringLiteral("Deutschland");
    c.addressFormat = kFormatGermany;
    c.phonePatterns = {"+49 ## ########", "0## #######",     "+49 (0)## ######-##",
                       "01##/#######",    "+49 1## #######", "0###-######"};
    c.mailDomains = {"web.de", "gmx.de", "t-online.de", "example.de"};
    c.noteLines = {"Bitte nur vormittags anrufen.",   "Kennengelernt auf der CeBIT.",
                   "Schickt Angebote immer per Fax.", "Geburtstag nicht vergessen!",
                   "Vertrag läuft Ende März aus.",    "Grüße an die Familie ausrichten."};
    c.extraPhoneLabels = {"Büro 2", "Fax 2", "Ferienhaus", "Skype", "Zentrale"};
    return c;
}

}  // namespace

const QList<DemoCulture>& demoCultures() {
    static const QList<DemoCulture> cultures = {english(), russian(), german()};
    return cultures;
}

const QStringList& demoCategoryNames() {
    static const QStringList names = {
        "Business",  "Personal",      "Family",     "Friends",     "VIP",      "Clients",
        "Suppliers", "Holiday Cards", "Colleagues", "Doctors",     "School",   "Neighbours",
        "Семья",     "Друзья",        "Работа",     "Клиенты",     "Партнёры", "Kunden",
        "Familie",   "Freunde",       "Verein",     "Lieferanten", "Sport",    "Ärzte"};
    return names;
}

QString femaleLastName(const DemoCulture& culture, const QString& lastName) {
    if (culture.key != QLatin1String("ru")) {
        return lastName;
    }
    if (lastName.endsWith(QStringLiteral("ский"))) {
        return lastName.chopped(2) + QStringLiteral("ая");
    }
    if (lastName.endsWith(QStringLiteral("ов")) || lastName.endsWith(QStringLiteral("ев")) ||
        lastName.endsWith(QStringLiteral("ёв")) || lastName.endsWith(QStringLiteral("ин"))) {
        return lastName + QStringLiteral("а");
    }
    return lastName;
}

QString latinLogin(const QString& name) {
    static const QHash<QChar, QString> spelling = [] {
        QHash<QChar, QString> map;
        const QString cyrillic = QStringLiteral("абвгдеёжзийклмнопрстуфхцчшщъыьэюя");
        const QStringList latin = {"a",  "b",  "v",  "g",  "d",    "e", "e", "zh", "z", "i",  "y",
                                   "k",  "l",  "m",  "n",  "o",    "p", "r", "s",  "t", "u",  "f",
                                   "kh", "ts", "ch", "sh", "shch", "",  "y", "",   "e", "yu", "ya"};
        for (qsizetype i = 0; i < cyrillic.size(); ++i) {
            map.insert(cyrillic[i], latin[i]);
        }
        map.insert(QChar(0x00E4), QStringLiteral("ae"));
        map.insert(QChar(0x00F6), QStringLiteral("oe"));
        map.insert(QChar(0x00FC), QStringLiteral("ue"));
        map.insert(QChar(0x00DF), QStringLiteral("ss"));
        return map;
    }();
    QString login;
    for (QChar c : name.toLower()) {
        if ((c >= QLatin1Char('a') && c <= QLatin1Char('z')) || c.isDigit()) {
            login.append(c);
        } else if (const auto it = spelling.constFind(c); it != spelling.constEnd()) {
            login.append(*it);
        }
    }
    return login;
}

}  // namespace kontavo
