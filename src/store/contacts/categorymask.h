#pragma once

#include <QByteArray>
#include <QList>

namespace kontavo {

// A contact's CategoryMask: bit p (bit p mod 8 of byte p div 8) set means
// the contact belongs to the category at position p. Masks this program
// builds are a whole number of little-endian 32-bit words, as long as the
// highest position needs; no category at all is the one byte 0x00. Masks
// read from the database may have any length; missing bytes count as zero.
// Pure functions.
namespace categorymask {

// Positions are 16-bit values in the categories database.
inline constexpr int kMaxPosition = 0x7FFF;

bool hasBit(const QByteArray& mask, int position);
// The set positions, ascending.
QList<int> positions(const QByteArray& mask);
// The mask of `positions` (in any order, repeats allowed); positions outside
// 0..kMaxPosition are left out. None left: the one byte 0x00.
QByteArray fromPositions(const QList<int>& positions);
// True when no bit is set: absent, zero-length, 0x00, or all zero bytes.
bool isNone(const QByteArray& mask);
// True when the masks share a set bit (bytes compared up to the shorter length).
bool intersects(const QByteArray& a, const QByteArray& b);

}  // namespace categorymask
}  // namespace kontavo
