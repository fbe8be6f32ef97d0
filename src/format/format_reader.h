// Reads a format file into the definition tables.
#pragma once

namespace vesk {

// 0 on success; -1 after a message.
int read_format(const char* fmt_name);

// The longest piece of a line taken by one read; a longer line is read in
// pieces, each counted as a line.
constexpr int kMaxPiece = 255;

}  // namespace vesk
