// Reads a format file into the definition tables.
#pragma once

#include <string_view>

#include "format/format_context.h"

namespace vesk {

// Reads the format file options.name into defs. 0 on success; -1 after a
// message.
int read_format(const FormatOptions& options, Definitions& defs);

// The same over the text of a format file held in memory.
int read_format_text(const FormatOptions& options, Definitions& defs, std::string_view text);

// The longest piece of a line taken by one read; a longer line is read in
// pieces, each counted as a line.
constexpr int kMaxPiece = 255;

}  // namespace vesk
