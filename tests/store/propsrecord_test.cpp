#include "store/index/propsrecord.h"

#include <gtest/gtest.h>

#include <random>

namespace kontavo {
namespace {

QByteArray hex(const char* text) {
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

// One entry of every kind, small enough to spell out byte by byte.
ExtendedProperties smallProperties() {
    ExtendedProperties p;
    p.checksum = 0x11223344;
    p.homeAddressFormat = 7;
    p.otherAddressFormat = 44;
    p.phones = {{"A", "12"}};
    p.people = {{"Bo", ""}};
    p.messengers = {{"I", "ab", "X"}};
    ExtendedAddress address;
    address.label = "H";
    address.parts = {"S", "", "", "", "R"};
    address.formatCode = 7;
    p.addresses = {address};
    p.dates = {{"D", 0x0102030405060708ull}};
    p.image = "p.b";
    return p;
}

TEST(PropsRecordTest, SmallRecordIsLaidOutByteForByte) {
    const QByteArray expected =
        // length 188, checksum, format codes home 7, work 0, other 44
        hex("bc000000 44332211 07000000 00000000 2c000000") +
        // Phones 60, Emails 76, WebPages 76, People 76, Links 92, OtherProps 92,
        // Messengers 92, Addresses 112, Dates 160, Image 180
        hex("3c000000 4c000000 4c000000 4c000000 5c000000 5c000000"
            "5c000000 70000000 a0000000 b4000000") +
        // phone: size 16 = (2*3 + 13) & ~3, "A", "12", two bytes of padding
        hex("10000000 4100 0000 3100 3200 0000 0000") +
        // person: size 16 = (2*2 + 13) & ~3, "Bo", "", four bytes of padding
        hex("10000000 4200 6f00 0000 0000 00000000") +
        // messenger: size 20 = (2*4 + 15) & ~3, "I", "ab", "X", padding
        hex("14000000 4900 0000 6100 6200 0000 5800 0000 0000") +
        // address: size 48, code 7, slots at 34, 38, 40, 42, 44, label "H",
        // two bytes before slot 0, then "S", "", "", "", "R"
        hex("30000000 07000000 22000000 26000000 28000000 2a000000 2c000000"
            "4800 0000 0000 5300 0000 0000 0000 0000 5200 0000") +
        // date: size 20 = (2*1 + 19) & ~3, FILETIME low then high, "D", padding
        hex("14000000 08070605 04030201 4400 0000 00000000") +
        // image "p.b" with its NUL, not padded
        hex("7000 2e00 6200 0000");
    EXPECT_EQ(PropsRecord::encode(smallProperties()), expected);
}

TEST(PropsRecordTest, EmptyPropertiesAreJustTheHead) {
    ExtendedProperties p;
    p.checksum = 5;
    const QByteArray record = PropsRecord::encode(p);
    ASSERT_EQ(record.size(), 60);
    EXPECT_EQ(record.left(8), hex("3c000000 05000000"));
    for (int section = 0; section < 10; ++section) {
        EXPECT_EQ(record.mid(20 + 4 * section, 4), hex("3c000000")) << section;
    }
    EXPECT_EQ(PropsRecord::decode(record), p);
    EXPECT_EQ(PropsRecord::imageOf(record), QString());
}

TEST(PropsRecordTest, EntrySizesRoundDown) {
    // (2*(label + value) + 13) & ~3 for pairs: the room needed is 8 + 2*(l + v).
    EXPECT_EQ(PropsRecord::pairEntryBytes(u"", u""), 12u);
    EXPECT_EQ(PropsRecord::pairEntryBytes(u"a", u""), 12u);
    EXPECT_EQ(PropsRecord::pairEntryBytes(u"a", u"b"), 16u);
    EXPECT_EQ(PropsRecord::pairEntryBytes(u"ab", u"c"), 16u);
    EXPECT_EQ(PropsRecord::messengerEntryBytes({"", "", ""}), 12u);
    EXPECT_EQ(PropsRecord::messengerEntryBytes({"a", "", ""}), 16u);
    EXPECT_EQ(PropsRecord::messengerEntryBytes({"a", "b", ""}), 16u);
    EXPECT_EQ(PropsRecord::dateEntryBytes(u""), 16u);
    EXPECT_EQ(PropsRecord::dateEntryBytes(u"ab"), 20u);
    ExtendedAddress address;
    EXPECT_EQ(PropsRecord::addressEntryBytes(address), 44u);  // (8 + 37) & ~3
    address.parts[4] = "R";
    EXPECT_EQ(PropsRecord::addressEntryBytes(address), 44u);  // (10 + 37) & ~3
    address.label = "H";
    EXPECT_EQ(PropsRecord::addressEntryBytes(address), 48u);  // (12 + 37) & ~3
}

TEST(PropsRecordTest, StringsEndAtTheirFirstNul) {
    ExtendedProperties p;
    p.phones = {{QStringLiteral("Home"), QString::fromUtf16(u"12\0"
                                                            "34",
                                                            5)}};
    const auto decoded = PropsRecord::decode(PropsRecord::encode(p));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->phones.front().value, QStringLiteral("12"));
    EXPECT_EQ(PropsRecord::pairEntryBytes(u"Home", p.phones.front().value),
              24u);  // 4 + 2 characters
}

QString randomText(std::mt19937& random) {
    static const QString alphabet = QStringLiteral("abcXYZ 019+-@.\u0434\u0436\u00fc\u2116\\[];:") +
                                    QChar(0xD83D) + QChar(0xDE00);
    QString text;
    const int length = int(random() % 9);
    for (int i = 0; i < length; ++i) {
        text.append(alphabet[int(random() % alphabet.size())]);
    }
    return text;
}

ExtendedProperties randomProperties(std::mt19937& random) {
    ExtendedProperties p;
    const auto count = [&] { return int(random() % 4); };
    for (QList<LabeledValue>* list :
         {&p.phones, &p.emails, &p.webPages, &p.people, &p.links, &p.otherProps}) {
        for (int i = count(); i > 0; --i) {
            list->append({randomText(random), randomText(random)});
        }
    }
    for (int i = count(); i > 0; --i) {
        p.messengers.append({randomText(random), randomText(random), randomText(random)});
    }
    for (int i = count(); i > 0; --i) {
        ExtendedAddress address;
        address.label = randomText(random);
        for (QString& part : address.parts) {
            part = randomText(random);
        }
        address.formatCode = random() % 3 == 0 ? 0 : uint32_t(random());
        p.addresses.append(address);
    }
    for (int i = count(); i > 0; --i) {
        p.dates.append({randomText(random), (uint64_t(random()) << 32) | random()});
    }
    p.homeAddressFormat = random() % 60;
    p.workAddressFormat = random() % 60;
    p.otherAddressFormat = random() % 60;
    p.image = randomText(random);
    p.checksum = uint32_t(random());
    return p;
}

TEST(PropsRecordTest, RandomPropertiesSurviveTheRoundTrip) {
    std::mt19937 random(42);
    for (int round = 0; round < 2000; ++round) {
        const ExtendedProperties p = randomProperties(random);
        const QByteArray record = PropsRecord::encode(p);
        ASSERT_EQ(PropsRecord::decode(record), p) << "round " << round;
        EXPECT_EQ(PropsRecord::checksumOf(record), p.checksum);
        EXPECT_EQ(PropsRecord::imageOf(record), p.image);
        EXPECT_EQ(record.size() % 2, 0);
    }
}

TEST(PropsRecordTest, EveryTruncationIsRefused) {
    const QByteArray record = PropsRecord::encode(smallProperties());
    for (qsizetype length = 0; length < record.size(); ++length) {
        EXPECT_FALSE(PropsRecord::decode(record.left(length))) << length;
        EXPECT_FALSE(PropsRecord::imageOf(record.left(length))) << length;
    }
    EXPECT_FALSE(PropsRecord::checksumOf(record.left(59)));
}

void setWord(QByteArray& bytes, int at, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = char(value >> (8 * i));
    }
}

TEST(PropsRecordTest, DamagedRecordsAreRefused) {
    const QByteArray good = PropsRecord::encode(smallProperties());
    ASSERT_TRUE(PropsRecord::decode(good));
    struct Damage {
        const char* what;
        int at;
        uint32_t value;
    } damages[] = {
        {"length longer than the bytes", 0, 189},
        {"length shorter than the head", 0, 59},
        {"first section inside the head", 20, 56},
        {"sections out of order", 44, 60},
        {"image past the end", 56, 200},
        {"entry size not a multiple of 4", 60, 14},
        {"entry size past its section", 60, 20},
        {"entry size too small", 60, 4},
        {"address slot past the entry", 112 + 8, 60},
        {"address slot inside its head", 112 + 12, 4},
    };
    for (const Damage& damage : damages) {
        QByteArray bad = good;
        setWord(bad, damage.at, damage.value);
        EXPECT_FALSE(PropsRecord::decode(bad)) << damage.what;
    }
    QByteArray unterminated = good;
    unterminated[186] = 'x';  // the image's NUL
    EXPECT_FALSE(PropsRecord::decode(unterminated));
    EXPECT_FALSE(PropsRecord::imageOf(unterminated));
}

TEST(PropsRecordTest, BytesAfterTheOwnLengthAreIgnored) {
    const ExtendedProperties p = smallProperties();
    const QByteArray record = PropsRecord::encode(p) + QByteArray(8, 'z');
    EXPECT_EQ(PropsRecord::decode(record), p);
    EXPECT_EQ(PropsRecord::imageOf(record), p.image);
}

}  // namespace
}  // namespace kontavo
