#include "dump/plain_dump.h"

#include <cstring>

#include "common/digits.h"
#include "common/messages.h"
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
        heading_(builder_.layout()),
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
    RepeatFilter::Verdict v = repeats_.take(builder_.text() + builder_.layout().hex_start(), block);
    if (v == RepeatFilter::Verdict::suppress) return;
    // The marker is written even before a line that is not shown.
    if (v == RepeatFilter::Verdict::keep_after_marker) report_.put_line(kSameMarker);
    // The decoders write no newline, so the line counts as one.
    // Up to the character column the line is printable ASCII.
    if (show)
      report_.put_line_plain(builder_.text(), static_cast<std::size_t>(len),
                             static_cast<std::size_t>(builder_.layout().char_start()));
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

namespace {

// Cuts the input into blocks, one read at a time: fixed-size blocks, or
// blocks ended by the end code.
class BlockCutter {
 public:
  BlockCutter(const Settings& s, ByteSource& in, BlockBuffer& buf, long long first_block)
      : s_(s), in_(in), buf_(buf), has_eod_(s.has_end_code()), want_(s.blk_size), block_(first_block) {}

  // Reads once and hands the blocks it completes to emit(data, length,
  // number). Returns false after a failed read (reported).
  template <class Emit>
  bool step(Emit emit);

  long long block() const { return block_; }
  bool at_end() const { return at_end_; }
  // Bytes are left after the blocks handed out so far.
  bool more_input() {
    unsigned char b;
    return !at_end_ && (carry_ > 0 || in_.peek(&b, 1) > 0);
  }

 private:
  const Settings& s_;
  ByteSource& in_;
  BlockBuffer& buf_;
  const bool has_eod_;
  int want_;
  int carry_ = 0;
  bool at_end_ = false;
  long long block_;
};

template <class Emit>
bool BlockCutter::step(Emit emit) {
  int got = read_part(in_, buf_, carry_, want_);
  if (in_.failed()) return false;
  if (got == 0) {
    at_end_ = true;
    if (carry_ == 0) return true;
  }
  int n = got + carry_;
  if (!has_eod_) {
    emit(buf_.bytes, n, block_);
    want_ = s_.blk_size;
    carry_ = 0;
  } else {
    while (n > 0) {
      int e = find_eod(buf_.bytes, s_.eod_code, s_.eod_len, n);
      if (e == -1) {
        // No end code: the whole buffer is one block.
        emit(buf_.bytes, n, block_);
        want_ = s_.blk_size;
        carry_ = 0;
        break;
      }
      emit(buf_.bytes, e, block_);
      std::memmove(buf_.bytes, buf_.bytes + e, static_cast<std::size_t>(n - e));
      if (!at_end_) {
        // The next read tops the buffer up to the same length again.
        want_ = e;
        carry_ = n - e;
        break;
      }
      // At the end of the file the rest is cut into all its blocks now.
      n -= e;
      buf_.zero_tail(n);
      block_ += 1;
    }
  }
  if (!at_end_) block_ += 1;
  return true;
}

// The number of the input's last block, when it can be known without
// reading an input that may never end: from the size of a regular file, or
// (blocks ended by a code) by cutting the rest of one, after last_cut, the
// last block cut so far. -1 otherwise.
long long last_block(const Settings& s, ByteSource& in, BlockCutter& cutter, int hdr_size, long long last_cut) {
  long long size = in.regular_file_size();
  if (size < 0) return -1;
  if (!s.has_end_code()) {
    long long data = size - hdr_size;
    return data <= 0 ? -1 : (data + s.blk_size - 1) / s.blk_size - 1;
  }
  // At the end of the input the cutter has cut every block already.
  long long last = last_cut;
  while (!cutter.at_end())
    if (!cutter.step([&last](const unsigned char*, int, long long b) { last = b; })) return -1;
  return last;
}

// After a dump that the default last block cut short: one line on standard
// error telling how to see the rest.
void notice_cut_short(const Settings& s, long long last) {
  char stopped[kDecimalTextSize], rest[kDecimalTextSize];
  const unsigned base = s.dec_mode ? 10 : 16;
  stopped[put_digits(stopped, static_cast<std::uint64_t>(s.end_blk), base, 1)] = '\0';
  if (last < 0) {
    errmsg("vesk: stopped after block %s; --all shows the rest\n", stopped);
    return;
  }
  rest[put_digits(rest, static_cast<std::uint64_t>(last), base, 1)] = '\0';
  errmsg("vesk: stopped after block %s; -n0,%s or --all shows the rest\n", stopped, rest);
}

}  // namespace

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
    if (s.shows_header()) printer.block(buf.bytes, hdr_size, -1, true);
  }

  long long first = 0;
  // Only the modes without multi-byte state may skip the blocks before the
  // first one shown; the others decode them to stay in step.
  bool stateless = s.char_mode == CharMode::ascii || s.char_mode == CharMode::kana;
  if (stateless && s.start_blk != 0 && !s.has_end_code()) {
    if (!in.seek(static_cast<long long>(s.blk_size) * s.start_blk + hdr_size)) return 1;
    first = s.start_blk;
  }

  BlockCutter cutter(s, in, buf, first);
  bool past_range = false;  // a block past the range was cut (at the end of the input)
  long long last_cut = -1;
  auto print = [&](const unsigned char* data, int n, long long b) {
    if (b > s.end_blk) past_range = true;
    last_cut = b;
    printer.block(data, n, b, shown(b));
  };
  while (cutter.block() <= s.end_blk && !cutter.at_end()) {
    if (report.failed()) return 1;
    if (!cutter.step(print)) return 1;
  }
  printer.finish();
  if (report.failed()) return 1;
  // The default range ended the dump before the input did.
  if (!s.range_given && !s.all_blocks && (past_range || cutter.more_input())) {
    if (in.failed()) return 1;
    notice_cut_short(s, last_block(s, in, cutter, hdr_size, last_cut));
  }
  return 0;
}

}  // namespace vesk
