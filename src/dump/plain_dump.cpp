#include "dump/plain_dump.h"

#include <cstring>

#include "dump/char_decode.h"
#include "dump/dump_line.h"
#include "dump/repeat_filter.h"
#include "dump/scale_line.h"

namespace vesk {

namespace {

// The decoders may read three bytes past a block; past the data they find zeros.
constexpr int kTailZeros = 3;
// A block, two look-ahead bytes and the zeros.
constexpr int kBlockBufSize = kMaxBlockSize + 2 + kTailZeros;

// The lines of the blocks: built, filtered for repeats and written.
class BlockPrinter {
 public:
  BlockPrinter(const Settings& s, Report& report)
      : layout_(DumpLayout::of(s)),
        builder_(layout_),
        decoder_(s.char_mode, s.show_ctrl),
        repeats_(layout_.same_w, layout_.chars_only, s.omit_same),
        heading_(layout_),
        heading_in_use_(report, &heading_),
        report_(report),
        per_block_pages_(s.per_block_pages()) {}

  // Dumps one block (block -1 is the header block). show false builds the
  // lines for the repeat and decoder state without writing them.
  void block(const unsigned char* data, int length, long long block, bool show) {
    if (per_block_pages_) report_.new_page();
    const int lb = layout_.line_bytes;
    for (int o = 0; o < length; o += lb) {
      int n = length - o < lb ? length - o : lb;
      line(data + o, n, block, o, show);
    }
  }

  // The end of the dump: the marker of a run of repeats that reached it.
  void finish() {
    if (repeats_.marker_pending()) report_.put_line(kSameMarker);
  }

 private:
  void line(const unsigned char* data, int n, long long block, int offset, bool show) {
    int len = builder_.build(data, n, block, offset, decoder_);
    RepeatFilter::Verdict v = repeats_.take(builder_.text() + layout_.hex_col, block);
    if (v == RepeatFilter::Verdict::suppress) return;
    // The marker is written even before a line that is not shown.
    if (v == RepeatFilter::Verdict::keep_after_marker) report_.put_line(kSameMarker);
    // The decoders write no newline, so the line counts as one.
    if (show) report_.put_line_plain(builder_.text(), static_cast<std::size_t>(len));
  }

  DumpLayout layout_;
  DumpLineBuilder builder_;
  CharDecoder decoder_;
  RepeatFilter repeats_;
  ScaleHeading heading_;
  ScopedHeading heading_in_use_;
  Report& report_;
  bool per_block_pages_;
};

struct BlockBuffer {
  unsigned char bytes[kBlockBufSize];
  void zero_tail(int at) { std::memset(bytes + at, 0, kTailZeros); }
};

// Reads up to want bytes to buf + carry and keeps up to two look-ahead bytes
// behind them (not taken: they start the next block) so that a character begun
// in the block's last byte can be shown whole. Returns the bytes taken.
int read_part(ByteSource& in, BlockBuffer& buf, int carry, int want) {
  unsigned char* dest = buf.bytes + carry;
  int got = static_cast<int>(in.read(dest, static_cast<std::size_t>(want)));
  int ahead = 0;
  if (got == want) ahead = static_cast<int>(in.peek(dest + got, 2));
  buf.zero_tail(carry + got + ahead);
  return got;
}

}  // namespace

int find_eod(const unsigned char* buffer, const unsigned char* code, int code_len, int n) {
  for (int i = 0; i < n - 1 && i + code_len <= n; ++i) {
    if (std::memcmp(buffer + i, code, static_cast<std::size_t>(code_len)) == 0) return i + code_len;
  }
  return -1;
}

int plain_dump(const Settings& s, ByteSource& in, Report& report) {
  BlockPrinter printer(s, report);
  BlockBuffer buf;
  auto shown = [&s](long long block) { return s.start_blk <= block && block <= s.end_blk; };

  int hdr_size = s.hdr_size;
  if (hdr_size > 0) {
    int got = static_cast<int>(in.read(buf.bytes, static_cast<std::size_t>(hdr_size)));
    if (in.failed()) return 1;
    if (got < hdr_size) hdr_size = got;
    buf.zero_tail(hdr_size);
    // A single block asked for: no header block.
    if (s.start_blk != s.end_blk) printer.block(buf.bytes, hdr_size, -1, true);
  }

  const bool has_eod = s.has_end_code();
  long long block = 0;
  long long position = hdr_size;
  // Only the modes without multi-byte state may skip the blocks before the
  // first one shown; the others decode them to stay in step.
  bool stateless = s.char_mode == CharMode::ascii || s.char_mode == CharMode::kana;
  if (stateless && s.start_blk != 0 && !has_eod) {
    position = static_cast<long long>(s.blk_size) * s.start_blk + hdr_size;
    if (!in.seek(position)) return 1;
    block = s.start_blk;
  }

  int want = s.blk_size;
  int carry = 0;
  bool at_end = false;
  while (block <= s.end_blk && !at_end) {
    if (report.failed()) return 1;
    int got = read_part(in, buf, carry, want);
    if (in.failed()) return 1;
    if (got == 0) {
      at_end = true;
      if (carry == 0) break;
    }
    int n = got + carry;
    if (!has_eod) {
      printer.block(buf.bytes, n, block, shown(block));
      position += n;
      want = s.blk_size;
      carry = 0;
    } else {
      while (n > 0) {
        int e = find_eod(buf.bytes, s.eod_code, s.eod_len, n);
        if (e == -1) {
          // No end code: the whole buffer is one block.
          printer.block(buf.bytes, n, block, shown(block));
          position += n;
          want = s.blk_size;
          carry = 0;
          break;
        }
        printer.block(buf.bytes, e, block, shown(block));
        position += e;
        std::memmove(buf.bytes, buf.bytes + e, static_cast<std::size_t>(n - e));
        if (!at_end) {
          // The next read tops the buffer up to the same length again.
          want = e;
          carry = n - e;
          break;
        }
        // At the end of the file the rest is cut into all its blocks now.
        n -= e;
        buf.zero_tail(n);
        block += 1;
      }
    }
    if (at_end) break;
    block += 1;
  }
  printer.finish();
  return report.failed() ? 1 : 0;
}

}  // namespace vesk
