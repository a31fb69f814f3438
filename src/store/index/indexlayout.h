#pragma once

#include <cstdint>

// The byte layout of the index store ("pim_index1.dat"), written up in
// docs/formats/index-files.md. All links are byte offsets from the start of
// the data; 0 means none.
namespace kontavo::indexlayout {

// Header: nine 32-bit words.
inline constexpr uint32_t kMagicAt = 0;
inline constexpr uint32_t kVersionAt = 4;
inline constexpr uint32_t kRootAt[2] = {8, 12};   // word trees: plain, group-rewritten
inline constexpr uint32_t kMapAt[2] = {16, 20};   // Oid maps of the trees
inline constexpr uint32_t kListAt[2] = {24, 28};  // Oid list 0 (every contact), list 1
inline constexpr uint32_t kRecordMapAt = 32;      // the third list: Oid -> PropsStore record
inline constexpr uint32_t kHeaderBytes = 36;
inline constexpr uint32_t kMagic = 1;
inline constexpr uint32_t kVersion = 5;

// Tree node: 24 bytes, 28 with a tail.
inline constexpr uint32_t kParentAt = 0;
inline constexpr uint32_t kHigherAt = 4;
inline constexpr uint32_t kEqualAt = 8;
inline constexpr uint32_t kLowerAt = 12;
inline constexpr uint32_t kNodeListAt = 16;
inline constexpr uint32_t kCharAt = 20;
inline constexpr uint32_t kTailFlagAt = 22;  // 255 when the node carries a tail
inline constexpr uint32_t kWideFlagAt = 23;  // 1: a 28-byte node whose tail was dropped
inline constexpr uint32_t kTailAt = 24;
inline constexpr uint32_t kNodeBytes = 24;
inline constexpr uint32_t kTailNodeBytes = 28;
inline constexpr uint8_t kTailFlag = 255;

// Node-list chunk: a ring of 92-byte chunks per contact and tree.
inline constexpr uint32_t kChunkNextAt = 0;
inline constexpr uint32_t kChunkPrevAt = 4;
inline constexpr uint32_t kChunkCountAt = 8;
inline constexpr uint32_t kChunkSlotsAt = 12;
inline constexpr uint32_t kChunkSlots = 20;
inline constexpr uint32_t kChunkBytes = 92;

// Space table: the first heap item of every store this program creates.
inline constexpr uint32_t kSpaceTableAt = kHeaderBytes;
inline constexpr uint32_t kSpaceSignature = 0x4350534B;  // "KSPC"
inline constexpr uint32_t kSpaceSignatureAt = 0;
inline constexpr uint32_t kSpaceTopAt = 4;                 // first byte never handed out
inline constexpr uint32_t kSpaceDirectoryAt[2] = {8, 12};  // prefix-list directories
inline constexpr uint32_t kSpaceLargeFreeAt = 16;          // free items over 256 bytes
inline constexpr uint32_t kSpaceChangeAt = 20;             // counts changes (readers' caches)
inline constexpr uint32_t kSpaceSmallFreeAt = 24;          // 64 heads: free items of 4..256 bytes
inline constexpr uint32_t kSmallClasses = 64;
inline constexpr uint32_t kSmallLimit = 4 * kSmallClasses;
inline constexpr uint32_t kSpaceTableBytes = kSpaceSmallFreeAt + 4 * kSmallClasses;
inline constexpr uint32_t kHeapStart = kSpaceTableAt + kSpaceTableBytes;

// Depth (prefix length) up to which the nodes of each tree keep a prefix
// list: every Oid filed at the node or below its equal link, sorted. Both
// trees keep them for first characters only: deeper lists would cost more
// bytes per contact than the files can spare (at most 1 KiB per contact for
// both), and two-character prefixes are answered by a walk whose result the
// reading process keeps until the store changes.
inline constexpr uint32_t kPrefixListDepth[2] = {1, 1};

}  // namespace kontavo::indexlayout
