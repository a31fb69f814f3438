#pragma once

#include <QByteArray>
#include <QList>
#include <optional>

#include "platform/propvalue.h"

namespace kontavo::propcodec {

// The stored bytes of one record (format: docs/formats/objectstore-db.md).
// Every property is listed in the inline part; string and blob values longer
// than the external threshold are kept in the external part, so that reading
// a few short properties of many records never touches long notes.
struct EncodedRecord {
    QByteArray inlinePart;
    QByteArray externalPart;  // empty when no value is external
};

inline constexpr int kExternalThreshold = 256;  // bytes
inline constexpr int kMaxValueBytes = 0x3FFFFFFF;

// Encodes a record. Preconditions: every value isValid() with no flags, tags
// strictly ascending (see normalized()), no value longer than kMaxValueBytes.
EncodedRecord encode(const PropList& props, int externalThreshold = kExternalThreshold);

// Sorts by tag, keeping the last value of each tag: the canonical order.
PropList normalized(const PropList& props);

// A value of the inline part kept in the external part: its index in
// InlineProps::props and its length in bytes.
struct ExternalSlot {
    qsizetype index = 0;
    qsizetype size = 0;
};

// The inline part decoded. Values kept in the external part are present in
// `props` as empty values of their tag until resolveExternal() fills them.
struct InlineProps {
    PropList props;
    QList<ExternalSlot> externalSlots;
};

// Decodes the inline part, only the tags in `wanted` (ascending) or every tag
// when `wanted` is empty. False when the bytes are malformed; bytes after the
// last wanted tag are not examined.
bool decodeInline(const QByteArray& bytes, const QList<PropTag>& wanted, InlineProps& out);

// Fills the external slots of `decoded` from the external part. False when
// the bytes are malformed or do not hold exactly the values the inline part
// refers to (with their lengths).
bool resolveExternal(const QByteArray& bytes, InlineProps& decoded);

// Decodes a whole record; nullopt when either part is malformed.
std::optional<PropList> decode(const QByteArray& inlinePart, const QByteArray& externalPart);

}  // namespace kontavo::propcodec
