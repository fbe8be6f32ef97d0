#include "dump/plain_dump.h"

#include <cstdio>
#include <cstring>

#include "common/line_buffer.h"
#include "dump/block_input.h"
#include "dump/dump_line.h"
#include "main/settings.h"
#include "output/report.h"
#include "output/writer.h"

namespace vesk {

namespace {

// The decoders may read three bytes past a block; past the data they find zeros.
constexpr int kTailZeros = 3;
static_assert(kMaxBlockSize + 2 + kTailZeros <= kBlockBufSize, "block buffer too small");

void zero_tail(int at) { std::memset(r_buff + at, 0, kTailZeros); }

// Reads up to want bytes to r_buff + carry and keeps up to two look-ahead bytes
// behind them (not taken: they start the next block) so that a character begun
// in the block's last byte can be shown whole. Returns the bytes taken.
int read_part(BlockInput& in, int carry, int want) {
  unsigned char* dest = r_buff + carry;
  int got = static_cast<int>(in.read(dest, static_cast<std::size_t>(want)));
  int ahead = 0;
  if (got == want) ahead = static_cast<int>(in.peek(dest + got, 2));
  zero_tail(carry + got + ahead);
  return got;
}

int shown(long long block) { return settings.start_blk <= block && block <= settings.end_blk ? 1 : 0; }

[[noreturn]] void finish() {
  if (dump_state.same_flag == 1) put_line(kSameMarker);
  std::fclose(settings.fp1);
  settings.fp1 = nullptr;
  end_process(0);
}

}  // namespace

int find_eod(const unsigned char* buffer, const unsigned char* code, int n) {
  const int len = settings.eod_len;
  for (int i = 0; i < n - 1 && i + len <= n; ++i) {
    if (std::memcmp(buffer + i, code, static_cast<std::size_t>(len)) == 0) return i + len;
  }
  return -1;
}

int plain_dump() {
  Settings& s = settings;
  BlockInput in(fileno(s.fp1), s.file1_name);

  if (s.hdr_size > 0) {
    int got = static_cast<int>(in.read(r_buff, static_cast<std::size_t>(s.hdr_size)));
    if (got < s.hdr_size) s.hdr_size = got;
    zero_tail(s.hdr_size);
    // A single block asked for: no header block.
    if (s.start_blk != s.end_blk) dump_block(r_buff, s.hdr_size, -1, 0, 1);
  }

  const bool has_eod = s.eod_code[0] != ' ' && s.eod_len > 0;
  long long block = 0;
  long long position = s.hdr_size;
  // Only the modes without multi-byte state may skip the blocks before the
  // first one shown; the others decode them to stay in step.
  if (s.char_mode < 3 && s.start_blk != 0 && !has_eod) {
    position = static_cast<long long>(s.blk_size) * s.start_blk + s.hdr_size;
    in.skip_to(position);
    block = s.start_blk;
  }

  int want = s.blk_size;
  int carry = 0;
  bool at_end = false;
  while (block <= s.end_blk && !at_end) {
    int got = read_part(in, carry, want);
    if (got == 0) {
      at_end = true;
      if (carry == 0) break;
    }
    int n = got + carry;
    if (!has_eod) {
      dump_block(r_buff, n, block, position, shown(block));
      position += n;
      want = s.blk_size;
      carry = 0;
    } else {
      while (n > 0) {
        int e = find_eod(r_buff, s.eod_code, n);
        if (e == -1) {
          // No end code: the whole buffer is one block.
          dump_block(r_buff, n, block, position, shown(block));
          position += n;
          want = s.blk_size;
          carry = 0;
          break;
        }
        dump_block(r_buff, e, block, position, shown(block));
        position += e;
        std::memmove(r_buff, r_buff + e, static_cast<std::size_t>(n - e));
        if (!at_end) {
          // The next read tops the buffer up to the same length again.
          want = e;
          carry = n - e;
          break;
        }
        // At the end of the file the rest is cut into all its blocks now.
        n -= e;
        zero_tail(n);
        block += 1;
      }
    }
    if (at_end) break;
    block += 1;
  }
  finish();
}

}  // namespace vesk
