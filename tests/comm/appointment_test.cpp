// Appointments: subject and body from a contact, the iCalendar file, and the
// bounded watch for the calendar window.
#include <gtest/gtest.h>

#include "comm/appointmenttext.h"
#include "comm/appointmentwatcher.h"
#include "comm/icalendar.h"
#include "store/record/contactrecord.h"

namespace kontavo {
namespace {

TEST(AppointmentTextTest, SubjectJoinsTheNamePartsElseTheCompany) {
    ContactRecord record;
    record.setField(ContactField::Company, QStringLiteral("Acme"));
    EXPECT_EQ(appointmentSubject(record), "Acme");
    record.setField(ContactField::LastName, QStringLiteral("Baker"));
    record.setField(ContactField::Title, QStringLiteral("Dr."));
    EXPECT_EQ(appointmentSubject(record), "Dr. Baker");
    record.setField(ContactField::FirstName, QStringLiteral("Ann"));
    record.setField(ContactField::MiddleName, QStringLiteral("B."));
    EXPECT_EQ(appointmentSubject(record), "Dr. Ann B. Baker");
    EXPECT_EQ(appointmentSubject(ContactRecord()), "");
}

TEST(AppointmentTextTest, BodyHasOneLinePerPhoneInThePhoneListOrder) {
    ContactRecord record;
    record.setField(ContactField::HomePhone, QStringLiteral("222"));
    record.setField(ContactField::WorkPhone, QStringLiteral("111"));
    record.setField(ContactField::HomeFax, QStringLiteral("333"));
    record.extended.phones.append({QStringLiteral("Dacha"), QStringLiteral("444")});
    EXPECT_EQ(appointmentBody(record),
              QStringList({"Work: 111", "Home: 222", "Home fax: 333", "Dacha: 444"}));
}

CalendarEvent sampleEvent() {
    CalendarEvent event;
    event.uid = QStringLiteral("1234@kontavo");
    event.stamp = QDateTime(QDate(2024, 3, 5), QTime(9, 41, 7), Qt::UTC);
    event.start = QDateTime(QDate(2024, 3, 5), QTime(10, 0), Qt::UTC);
    event.summary = QStringLiteral("Ann, Baker; Jr.");
    event.descriptionLines = {QStringLiteral("Work: 111"), QStringLiteral("Mobile: 222")};
    return event;
}

TEST(ICalendarTest, OneEventWithEscapedTextAndUtcTimes) {
    EXPECT_EQ(writeICalendar(sampleEvent()),
              "BEGIN:VCALENDAR\r\n"
              "VERSION:2.0\r\n"
              "PRODID:-//Kontavo//Contacts//EN\r\n"
              "BEGIN:VEVENT\r\n"
              "UID:1234@kontavo\r\n"
              "DTSTAMP:20240305T094107Z\r\n"
              "DTSTART:20240305T100000Z\r\n"
              "DURATION:PT15M\r\n"
              "SUMMARY:Ann\\, Baker\\; Jr.\r\n"
              "DESCRIPTION:Work: 111\\nMobile: 222\r\n"
              "END:VEVENT\r\n"
              "END:VCALENDAR\r\n");
}

// The handheld separated the body's lines with U+000D U+0007; nothing a
// contact holds may end a line of the file or start a property.
TEST(ICalendarTest, ControlCharactersAndLineEndsCannotBreakTheFile) {
    CalendarEvent event = sampleEvent();
    event.summary = QStringLiteral("Ann\r\nDTSTART:19700101T000000Z");
    event.descriptionLines = {QStringLiteral("Work\r\x07: 1"),
                              QStringLiteral("Car\n: \x1b[2J2\x7f")};
    const QByteArray text = writeICalendar(event);
    int startLines = 0;
    for (const QByteArray& line : text.split('\n')) {
        startLines += line.startsWith("DTSTART:") ? 1 : 0;
        EXPECT_FALSE(line.left(line.size() - 1).contains('\r')) << line.toStdString();
        for (const char c : line) {
            EXPECT_TRUE(uchar(c) >= 0x20 || c == '\r') << int(c);
            EXPECT_NE(c, '\x7f');
        }
    }
    EXPECT_EQ(startLines, 1) << "the summary did not start a property";
    EXPECT_TRUE(text.contains("SUMMARY:Ann\\nDTSTART:19700101T000000Z\r\n"));
    EXPECT_TRUE(text.contains("DESCRIPTION:Work\\n: 1\\nCar\\n: [2J2\r\n"));
}

TEST(ICalendarTest, LongValuesAreFoldedAt75OctetsBetweenCharacters) {
    CalendarEvent event = sampleEvent();
    event.summary = QString(60, QChar(u'ж'));  // 120 octets of UTF-8
    const QByteArray text = writeICalendar(event);
    for (const QByteArray& line : text.split('\n')) {
        EXPECT_LE(line.size(), 76) << "75 octets and the CR";
    }
    QByteArray unfolded = text;
    unfolded.replace("\r\n ", "");
    EXPECT_TRUE(unfolded.contains("SUMMARY:" + event.summary.toUtf8() + "\r\n"));
}

// The watch, polled with the elapsed time as its owner's 20 ms timer does.
class WatcherTest : public ::testing::Test {
protected:
    AppointmentWatcher watcher{[this] { return calendar; },
                               [this](WindowHandle window) { posted.append(window); }};
    WindowHandle calendar = 0;
    QList<WindowHandle> posted;
};

TEST_F(WatcherTest, TheCalendarGetsTheCommandOnceAndTheWatchEnds) {
    EXPECT_TRUE(watcher.poll(0, true));
    EXPECT_TRUE(watcher.poll(20, true));
    calendar = 77;
    EXPECT_FALSE(watcher.poll(40, true));
    EXPECT_EQ(watcher.state(), AppointmentWatcher::State::Posted);
    EXPECT_FALSE(watcher.poll(60, true));
    EXPECT_EQ(posted, QList<WindowHandle>{77});
}

TEST_F(WatcherTest, ItEndsWhenTheDisplayReturnsOrAfterAMinute) {
    EXPECT_TRUE(watcher.poll(20, true));
    EXPECT_FALSE(watcher.poll(40, false));
    EXPECT_EQ(watcher.state(), AppointmentWatcher::State::DisplayReturned);

    AppointmentWatcher slow([] { return WindowHandle(0); }, [](WindowHandle) {});
    EXPECT_TRUE(slow.poll(59999, true));
    EXPECT_FALSE(slow.poll(60000, true));
    EXPECT_EQ(slow.state(), AppointmentWatcher::State::TimedOut);
    EXPECT_FALSE(slow.poll(60020, true));
    EXPECT_TRUE(posted.isEmpty());
}

}  // namespace
}  // namespace kontavo
