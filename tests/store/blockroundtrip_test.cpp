#include <gtest/gtest.h>

#include <random>

#include "blocktestsupport.h"
#include "store/extendedblock.h"

namespace kontavo {
namespace {

// Random extended properties over an alphabet that stresses the block: the
// special characters, backslashes, white space, Cyrillic, 0x80-0xFF,
// 0x100-0x3FFF, characters the coding cuts to 14 bits, NUL and empty values.
class PropertyGenerator {
public:
    explicit PropertyGenerator(uint32_t seed) : m_rng(seed) {}

    ExtendedProperties next();

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_rng); }
    QChar character();
    QString text(int maxLength);
    QString label() {
        return QChar(pick(0, 1) ? u'A' + pick(0, 25) : 0x0410 + pick(0, 31)) + text(6);
    }
    QList<LabeledValue> pairs();

    std::mt19937 m_rng;
};

QChar PropertyGenerator::character() {
    static const QString kSpecial = QStringLiteral(":;[]\\ \t\r\n");
    switch (pick(0, 9)) {
        case 0:
        case 1:
            return kSpecial[pick(0, int(kSpecial.size()) - 1)];
        case 2:
            return QChar(0x0410 + pick(0, 0x3F));
        case 3:
            return QChar(0x80 + pick(0, 0x7F));
        case 4:
            return QChar(0x100 + pick(0, 0x3EFF));
        case 5:
            switch (pick(0, 3)) {
                case 0:
                    return QChar(0);
                case 1:  // cut to 14 bits, this lands on a special character or on NUL
                    return QChar(0x4000 * pick(1, 3) +
                                 (pick(0, 4) ? kSpecial[pick(0, 4)].unicode() : 0));
                default:
                    return QChar(0x4000 + pick(0, 0xBFFF));
            }
        default:
            return QChar(0x20 + pick(0, 0x5E));
    }
}

QString PropertyGenerator::text(int maxLength) {
    QString out;
    for (int n = pick(0, maxLength); n > 0; --n) {
        out += character();
    }
    return out;
}

QList<LabeledValue> PropertyGenerator::pairs() {
    QList<LabeledValue> out;
    for (int n = pick(0, 3); n > 0; --n) {
        out.append({label(), text(12)});
    }
    return out;
}

ExtendedProperties PropertyGenerator::next() {
    ExtendedProperties props;
    props.phones = pairs();
    props.emails = pairs();
    props.webPages = pairs();
    props.people = pairs();
    props.links = pairs();
    props.otherProps = pairs();
    for (int n = pick(0, 2); n > 0; --n) {
        props.messengers.append({label(), text(10), text(5)});
    }
    for (int n = pick(0, 2); n > 0; --n) {
        ExtendedAddress address{label(), {}, uint32_t(pick(0, 3) == 0 ? 0 : pick(1, 1 << 30))};
        for (QString& part : address.parts) {
            part = text(8);
        }
        props.addresses.append(address);
    }
    for (int n = pick(0, 2); n > 0; --n) {
        const QDate date = QDate(1601, 1, 1).addDays(pick(0, 3000000));
        props.dates.append({label(), fileTimeFromDate(date).value()});
    }
    props.homeAddressFormat = uint32_t(pick(0, 1) * pick(1, 58));
    props.workAddressFormat = uint32_t(pick(0, 1) * pick(1, 58));
    props.otherAddressFormat = uint32_t(pick(0, 1) * pick(1, 58));
    props.image = pick(0, 1) ? text(10) : QString();
    return props;
}

// A string as it reads back: 14 bits per character, no NULs, trimmed.
QString readBack(const QString& text) {
    QString reduced;
    for (QChar c : text) {
        if ((c.unicode() & 0x3FFF) != 0) {
            reduced += QChar(c.unicode() & 0x3FFF);
        }
    }
    return reduced.trimmed();
}

QList<LabeledValue> readBack(const QList<LabeledValue>& pairs) {
    QList<LabeledValue> out;
    for (const LabeledValue& pair : pairs) {
        if (!readBack(pair.value).isEmpty()) {
            out.append({readBack(pair.label), readBack(pair.value)});
        }
    }
    return out;
}

// What reading gives for written properties: pairs with empty values,
// messengers without account and addresses without any slot are dropped.
ExtendedProperties readBack(const ExtendedProperties& props) {
    ExtendedProperties out = props;
    for (auto list : {&ExtendedProperties::phones, &ExtendedProperties::emails,
                      &ExtendedProperties::webPages, &ExtendedProperties::people,
                      &ExtendedProperties::links, &ExtendedProperties::otherProps}) {
        out.*list = readBack(props.*list);
    }
    out.messengers.clear();
    for (const MessengerEntry& entry : props.messengers) {
        if (!readBack(entry.account).isEmpty()) {
            out.messengers.append(
                {readBack(entry.label), readBack(entry.account), readBack(entry.type)});
        }
    }
    out.addresses.clear();
    for (ExtendedAddress address : props.addresses) {
        address.label = readBack(address.label);
        for (QString& part : address.parts) {
            part = readBack(part);
        }
        if (!address.allSlotsEmpty()) {
            out.addresses.append(address);
        }
    }
    for (ExtendedDate& date : out.dates) {
        date.label = readBack(date.label);
    }
    out.image = readBack(props.image);
    return out;
}

TEST(BlockRoundTripTest, RandomPropertiesReadBackInEveryNoteEncoding) {
    const struct {
        const char* name;
        QByteArray userNote;
    } notes[] = {
        {"no note", QByteArray()},
        {"utf-16", test::utf16Note("User line\r\n\r\nЮзер")},
        {"8-bit", test::ansiNote("User line\r\n\r\nЮзер", test::russian())},
        {"ink", test::inkNote({"User line", "", "Юзер"})},
    };
    PropertyGenerator generator(20240611);
    for (int round = 0; round < 150; ++round) {
        const ExtendedProperties props = generator.next();
        for (const auto& note : notes) {
            const auto written = writeBlock(note.userNote, props, test::russian());
            ASSERT_TRUE(written) << note.name << " round " << round;
            ExtendedProperties back;
            QString userText;
            ASSERT_TRUE(readBlock(*written, back, userText, test::russian()))
                << note.name << " round " << round;
            ASSERT_EQ(back, readBack(props)) << note.name << " round " << round;
            const QByteArray stripped = stripBlock(*written, test::russian());
            if (note.userNote.startsWith("{\\pwi")) {
                ASSERT_EQ(stripped, note.userNote) << "round " << round;
            } else {
                ASSERT_EQ(noteToText(stripped).trimmed(),
                          note.userNote.isEmpty() ? QString() : QStringLiteral("User line Юзер"))
                    << note.name << " round " << round;
            }
        }
    }
}

TEST(BlockRoundTripTest, UserParagraphsSurviveRepeatedSaves) {
    QByteArray notes = test::inkNote({"first", "", "second"});
    const QByteArray user = notes;
    PropertyGenerator generator(7);
    for (int save = 0; save < 20; ++save) {
        notes = writeBlock(stripBlock(notes), generator.next()).value();
    }
    EXPECT_EQ(stripBlock(notes), user);
}

}  // namespace
}  // namespace kontavo
