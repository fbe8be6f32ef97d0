// The byte layout of a data format: alignments, element sizes, padding under
// the letter B, the block size, and the block-id item of a comparison.
#pragma once

#include "format/format_context.h"

namespace vesk {

// The alignment of a structure record (its strictest member); also stored in
// the record's length, and in the length of every structure record within.
// -1 after a message (a record of an unknown type code).
int struct_align(const FormatContext& ctx, int r);

// The byte size of a structure record: one instance, padded to its alignment
// under B, times its count. Writes the element size of every numeric item
// reached; in a comparison, locates the block-id item (base is the record's
// offset in the block). Sizes never wrap: a huge layout comes back as a huge
// number (at most kLayoutCap) for the caller to refuse. -1 after a message.
long long layout_struct(const FormatContext& ctx, int r, long long base);

constexpr long long kLayoutCap = 1LL << 40;

}  // namespace vesk
