#include "support/richcontact.h"

#include <QDate>

#include "store/notes/utf16note.h"

namespace kontavo::test {

namespace {

FileTime day(int year, int month, int date) {
    return fileTimeFromDate(QDate(year, month, date)).value_or(0);
}

}  // namespace

ContactRecord richContact(const QByteArray& categoryMask) {
    using F = ContactField;
    ContactRecord c;
    c.setField(F::Title, QStringLiteral("Dr."));
    c.setField(F::FirstName, QStringLiteral("Anna"));
    c.setField(F::MiddleName, QStringLiteral("Maria"));
    c.setField(F::LastName, QStringLiteral("Lindqvist"));
    c.setField(F::JobTitle, QStringLiteral("Head of Research"));
    c.setField(F::Company, QStringLiteral("Nordlicht Instruments"));
    c.setField(F::Department, QStringLiteral("Optics"));
    c.setField(F::WorkPhone, QStringLiteral("+49 30 2345 6789"));
    c.setField(F::WorkPhone2, QStringLiteral("+49 30 2345 6700"));
    c.setField(F::MobilePhone, QStringLiteral("+49 171 234 5678"));
    c.setField(F::HomePhone, QStringLiteral("+1 212 555 0147"));
    c.setField(F::WorkFax, QStringLiteral("+49 30 2345 6799"));
    c.setField(F::Email1, QStringLiteral("anna.lindqvist@nordlicht.de"));
    c.setField(F::Email2, QStringLiteral("anna@lindqvist.se"));
    c.setField(F::WebPage, QStringLiteral("www.nordlicht.de/optics"));
    c.setField(F::Office, QStringLiteral("Building C, room 312"));
    c.setField(F::Spouse, QStringLiteral("Erik"));
    c.setField(F::Children, QStringLiteral("Lena, Jonas"));
    c.setField(F::WorkStreet, QStringLiteral("Friedrichstraße 112"));
    c.setField(F::WorkCity, QStringLiteral("Berlin"));
    c.setField(F::WorkPostalCode, QStringLiteral("10117"));
    c.setField(F::WorkCountry, QStringLiteral("Germany"));
    c.setField(F::HomeStreet, QStringLiteral("350 Fifth Avenue"));
    c.setField(F::HomeCity, QStringLiteral("New York"));
    c.setField(F::HomeRegion, QStringLiteral("NY"));
    c.setField(F::HomePostalCode, QStringLiteral("10118"));
    c.setField(F::HomeCountry, QStringLiteral("USA"));
    c.setField(F::FileAs, QStringLiteral("Lindqvist, Anna"));
    c.birthday = day(1978, 3, 14);
    c.anniversary = day(2005, 6, 18);
    c.categoryMask = categoryMask;

    ExtendedProperties& x = c.extended;
    x.phones = {{QStringLiteral("Boat"), QStringLiteral("+46 70 123 45 67")}};
    x.emails = {{QStringLiteral("E-mail"), QStringLiteral("a.lindqvist@photonics.org")}};
    x.webPages = {{QStringLiteral("Blog"), QStringLiteral("http://anna.lindqvist.se")}};
    x.messengers = {{QStringLiteral("IM"), QStringLiteral("123456789"), QStringLiteral("ICQ")},
                    {QStringLiteral("IM 2"), QStringLiteral("anna.l"), QStringLiteral("MSN")}};
    x.dates = {{QStringLiteral("Name day"), day(2024, 12, 9)}};
    x.links = {{QStringLiteral("Linked file"),
                QStringLiteral("\\My Documents\\Projects\\Spectrometer.pdf")}};
    x.workAddressFormat = kGermanyFormat;
    x.homeAddressFormat = kUnitedStatesFormat;
    c.userNote =
        utf16Note(QStringLiteral("Met at the photonics fair in Munich.\r\n"
                                 "Prefers e-mail before 10 am."));
    return c;
}

}  // namespace kontavo::test
