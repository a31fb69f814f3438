#include "platform/propcodec.h"

#include <gtest/gtest.h>

namespace kontavo {
namespace {

constexpr PropTag kShort = 0x40020002;
constexpr PropTag kInt = 0x00500003;
constexpr PropTag kName = 0x3A06001F;
constexpr PropTag kEmptyName = 0x3A11001F;
constexpr PropTag kTime = 0x40010040;
constexpr PropTag kMask = 0x00160041;
constexpr PropTag kNotes = 0x00170041;
constexpr PropTag kEmptyBlob = 0x00180041;

PropList sampleRecord() {
    return propcodec::normalized({
        PropValue::int16(kShort, -2),
        PropValue::int32(kInt, int32_t(0x80000001)),
        PropValue::string(kName, QStringLiteral("Фёдор \U0001F600")),
        PropValue::string(kEmptyName, QString()),
        PropValue::fileTime(kTime, 0x01D0FFFFFFFFFFFFull),
        PropValue::blob(kMask, QByteArray("\x01\x00\x80", 3)),
        PropValue::blob(kNotes, QByteArray(5000, 'n')),
        PropValue::blob(kEmptyBlob, QByteArray()),
    });
}

TEST(PropCodecTest, EveryTypeRoundTrips) {
    const PropList props = sampleRecord();
    const auto encoded = propcodec::encode(props);
    const auto decoded = propcodec::decode(encoded.inlinePart, encoded.externalPart);
    ASSERT_TRUE(decoded.has_value());
    ASSERT_EQ(decoded->size(), props.size());
    for (qsizetype i = 0; i < props.size(); ++i) {
        EXPECT_EQ(decoded->at(i), props[i]) << "tag " << std::hex << props[i].tag();
    }
}

TEST(PropCodecTest, EmptyValuesStayPresent) {
    const auto encoded = propcodec::encode(sampleRecord());
    const auto decoded = propcodec::decode(encoded.inlinePart, encoded.externalPart);
    ASSERT_TRUE(decoded.has_value());
    const auto find = [&](PropTag tag) {
        return *std::find_if(decoded->begin(), decoded->end(),
                             [tag](const PropValue& p) { return p.tag() == tag; });
    };
    EXPECT_FALSE(find(kEmptyName).isNotFound());
    EXPECT_TRUE(find(kEmptyName).toString().isEmpty());
    EXPECT_TRUE(find(kEmptyBlob).toBlob().isEmpty());
}

TEST(PropCodecTest, OnlyLongValuesGoToTheExternalPart) {
    const auto shortOnly = propcodec::encode({PropValue::blob(kNotes, QByteArray(256, 'x'))});
    EXPECT_TRUE(shortOnly.externalPart.isEmpty());
    const auto withLong = propcodec::encode(sampleRecord());
    EXPECT_FALSE(withLong.externalPart.isEmpty());
    EXPECT_LT(withLong.inlinePart.size(), 200);
    // Without its external part a record with long values is incomplete.
    EXPECT_FALSE(propcodec::decode(withLong.inlinePart, {}).has_value());
}

TEST(PropCodecTest, ListedDecodeSkipsUnwantedAndResolvesExternalOnDemand) {
    const auto encoded = propcodec::encode(sampleRecord());
    propcodec::InlineProps small;
    ASSERT_TRUE(propcodec::decodeInline(encoded.inlinePart, {kInt, kName, 0x7777001F}, small));
    ASSERT_EQ(small.props.size(), 2);
    EXPECT_TRUE(small.externalSlots.isEmpty());
    EXPECT_EQ(small.props[1].toString(), QStringLiteral("Фёдор \U0001F600"));

    propcodec::InlineProps notes;
    ASSERT_TRUE(propcodec::decodeInline(encoded.inlinePart, {kNotes}, notes));
    ASSERT_EQ(notes.externalSlots.size(), 1);
    ASSERT_TRUE(propcodec::resolveExternal(encoded.externalPart, notes));
    EXPECT_EQ(notes.props[0].toBlob(), QByteArray(5000, 'n'));
}

TEST(PropCodecTest, NormalizedKeepsTheLastValueOfATag) {
    const PropList props = propcodec::normalized(
        {PropValue::int32(kInt, 1), PropValue::int16(kShort, 5), PropValue::int32(kInt, 2)});
    ASSERT_EQ(props.size(), 2);
    EXPECT_EQ(props[0], PropValue::int32(kInt, 2));
    EXPECT_EQ(props[1].tag(), kShort);
}

TEST(PropCodecTest, RejectsMalformedBytes) {
    const auto encoded = propcodec::encode(sampleRecord());
    // Every truncation of either part is refused, never read past the end.
    for (qsizetype n = 0; n < encoded.inlinePart.size(); ++n) {
        EXPECT_FALSE(propcodec::decode(encoded.inlinePart.left(n), encoded.externalPart))
            << "inline cut at " << n;
    }
    for (qsizetype n = 0; n < encoded.externalPart.size(); n += 97) {
        EXPECT_FALSE(propcodec::decode(encoded.inlinePart, encoded.externalPart.left(n)))
            << "external cut at " << n;
    }
    QByteArray badVersion = encoded.inlinePart;
    badVersion[0] = 2;
    EXPECT_FALSE(propcodec::decode(badVersion, encoded.externalPart));
    QByteArray trailing = encoded.inlinePart + 'x';
    EXPECT_FALSE(propcodec::decode(trailing, encoded.externalPart));
}

TEST(PropCodecTest, RejectsUnknownTypesOddStringsAndUnorderedTags) {
    const auto unknownType = propcodec::encode({PropValue::int32(kInt, 7)});
    QByteArray bytes = unknownType.inlinePart;
    bytes[2] = 0x04;  // tag type 0x0004
    EXPECT_FALSE(propcodec::decode(bytes, {}));

    QByteArray odd = propcodec::encode({PropValue::string(kName, "ab")}).inlinePart;
    odd[6] = char(3 << 1);  // 3 bytes of UTF-16
    EXPECT_FALSE(propcodec::decode(odd.left(odd.size() - 1), {}));

    const QByteArray a = propcodec::encode({PropValue::int32(kInt, 1)}).inlinePart;
    const QByteArray b = propcodec::encode({PropValue::int16(kShort, 1)}).inlinePart;
    const QByteArray twoEntries("\x01\x02", 2);
    EXPECT_TRUE(propcodec::decode(twoEntries + a.mid(2) + b.mid(2), {}));
    EXPECT_FALSE(propcodec::decode(twoEntries + b.mid(2) + a.mid(2), {}));  // descending
    EXPECT_FALSE(propcodec::decode(twoEntries + a.mid(2) + a.mid(2), {}));  // repeated
}

}  // namespace
}  // namespace kontavo
