// Plain dump lines: a block cut into lines of line_bytes bytes, each shown as a
// position prefix, hexadecimal pairs and the character column between bars, with
// runs of identical lines replaced by one marker line.
#pragma once

namespace vesk {

// Line renderer state that lives for the whole run.
struct DumpLineState {
  char* line_buf = nullptr;   // the line being built
  char* prev_line = nullptr;  // the last kept line
  char* blank_line = nullptr; // blanks and bars: the start of every line
  int buf_size = 0;           // line_bytes * 4 + 34
  int same_w = 0;             // columns from 13 that decide whether two lines are the same
  long long prev_blk = 0;     // block number of the last kept line
  int same_flag = 0;          // 1 while lines are being suppressed as repeats
};
extern DumpLineState dump_state;

// The marker line that stands for suppressed repeats.
inline constexpr const char* kSameMarker = "      ....";

// Dumps one block (block -1 is the header block). show 0 renders the lines for
// the repeat and decoder state without writing them.
void dump_block(const unsigned char* data, int length, long long block, long long position, int show);

// Builds and, when kept and shown, writes the line of the n bytes (1..line_bytes)
// at offset in block. Reads up to 3 bytes past data[n - 1].
void dump_line(const unsigned char* data, int n, long long block, int offset, int show);

// Writes b1 and b2 as four lower-case hex digits and a blank; with b2 < 0, b1's
// two digits and three blanks.
void put_hex_pair(char* dest, int b1, int b2);

}  // namespace vesk
