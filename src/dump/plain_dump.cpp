#include "dump/plain_dump.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "common/digits.h"
#include "common/messages.h"
#include "dump/color_dump_line.h"
#include "dump/dump_line.h"
#include "dump/repeat_filter.h"
#include "dump/scale_line.h"
#include "text/codec.h"

namespace vesk {

namespace {

// Bytes read past a block: a character begun in its last byte is shown whole
// (the longest is four bytes).
constexpr int kLookAhead = kMaxCellLength - 1;
// A block and its look-ahead.
constexpr int kBlockBufSize = kMaxBlockSize + kLookAhead;

// The sixteen bytes at a and at b are the same.
inline bool same16(const unsigned char* a, const unsigned char* b) {
  std::uint64_t x[2], y[2];
  std::memcpy(x, a, 16);
  std::memcpy(y, b, 16);
  return ((x[0] ^ y[0]) | (x[1] ^ y[1])) == 0;
}

// The lines of the blocks: built, filtered for repeats and written, the
// characters being Decoder's cells written by Encoder.
template <class Decoder, class Encoder>
class BlockPrinter {
 public:
  BlockPrinter(const Settings& s, Report& report)
      : layout_(DumpLayout::of(s)),
        encoding_(report.sink().encoding()),
        codec_(codec_of(s.char_mode)),
        builder_(layout_),
        repeats_(layout_.chars_only ? kMaxKey : layout_.line_bytes, s.omit_same),
        heading_(builder_.layout()),
        heading_in_use_(report, &heading_),
        report_(report),
        per_block_pages_(s.per_block_pages()) {
    columns_.decoder.show_escapes = s.show_ctrl;
    if (report.sink().colored()) color_ = std::make_unique<ColorDumpLineBuilder>(builder_);
  }

  // Dumps one block (block -1 is the header block); avail >= length bytes
  // may be read at data.
  void block(const unsigned char* data, int length, int avail, long long block) {
    if (per_block_pages_) report_.new_page();
    const int lb = layout_.line_bytes;
    if (length <= 0) return;
    int o = 0;
    if (!color_ && length >= 16) {
      builder_.start_block(block);
      if (builder_.builds16()) o = lines16(data, length - length % 16, avail, block);
    }
    if (o == 0) {
      line(data, length < lb ? length : lb, avail, block, 0);
      o = lb;
    }
    if (color_ ? color_->builds16() : builder_.builds16()) {
      for (; o + 16 <= length; o += 16) line16(data + o, avail - o, block, o);
    }
    for (; o < length; o += lb) {
      int n = length - o < lb ? length - o : lb;
      line(data + o, n, avail - o, block, o);
    }
  }

  // A block that is not shown: only the character column's state moves on.
  void skip(const unsigned char* data, int length, int avail) {
    skip_columns<Decoder, Encoder>(columns_, data, length, avail, layout_.line_bytes);
  }

  ColumnState& columns() { return columns_; }
  const Codec& codec() const { return codec_; }
  ReportEncoding encoding() const { return encoding_; }

  // The end of the dump: the marker of a run of repeats that reached it.
  void finish() {
    if (repeats_.marker_pending()) put_marker();
  }

 private:
  // The most bytes a line's repeat key holds: a line of -C and the state
  // of its characters before and after it.
  static constexpr int kStateBytes = 16;
  static constexpr int kMaxKey = 256 + 2 * kStateBytes;

  // The state of the character column, field by field (a struct's padding
  // holds no known bytes).
  [[gnu::always_inline]] void put_state(char* out) const {
    const ColumnState& st = columns_;
    const Cell c = st.has_pending ? st.pending : Cell{};
    const unsigned char state[kStateBytes] = {
        static_cast<unsigned char>(st.decoder.shift), st.decoder.escape_left, st.has_pending,
        static_cast<unsigned char>(st.has_pending ? st.from : 0),
        static_cast<unsigned char>(st.has_pending ? st.shown_to : 0), c.len, c.at, static_cast<unsigned char>(c.cls),
        static_cast<unsigned char>(c.sjis >> 8), static_cast<unsigned char>(c.sjis),
        static_cast<unsigned char>(c.cp >> 24), static_cast<unsigned char>(c.cp >> 16),
        static_cast<unsigned char>(c.cp >> 8), static_cast<unsigned char>(c.cp), 0, 0};
    std::memcpy(out, state, sizeof state);
  }

  // With the hex part, a line repeats the last kept line of its block when
  // it holds the same bytes, and so the same hex digits: decided before the
  // line is built, which is then built in place in the report. A repeat is
  // not built; its characters still move the column's state on.
  void line(const unsigned char* data, int n, int avail, long long block, int offset) {
    if (layout_.chars_only) {
      chars_only_line(data, n, avail, block, offset);
      return;
    }
    RepeatFilter::Verdict v = repeats_.take(reinterpret_cast<const char*>(data), n, block);
    if (v == RepeatFilter::Verdict::suppress) {
      skip_columns<Decoder, Encoder>(columns_, data, n, avail, layout_.line_bytes);
      return;
    }
    if (v == RepeatFilter::Verdict::keep_after_marker) put_marker();
    if (color_) {
      char* out = report_.begin_line(static_cast<std::size_t>(color_->max_line()));
      report_.end_line(static_cast<std::size_t>(
          color_->template build<Decoder, Encoder>(out, data, n, avail, block, offset, columns_)));
      return;
    }
    char* out = report_.begin_line(static_cast<std::size_t>(builder_.max_line()));
    report_.end_line(static_cast<std::size_t>(builder_.template build<Decoder, Encoder>(out, data, n, avail, block, offset, columns_)));
  }

  // The same for a whole line of sixteen bytes after the first of a block.
  [[gnu::always_inline]] void line16(const unsigned char* data, int avail, long long block, int offset) {
    RepeatFilter::Verdict v = repeats_.take(reinterpret_cast<const char*>(data), 16, block);
    if (v == RepeatFilter::Verdict::suppress) {
      skip_columns<Decoder, Encoder>(columns_, data, 16, avail, 16);
      return;
    }
    if (v == RepeatFilter::Verdict::keep_after_marker) put_marker();
    if (color_) {
      char* out = report_.begin_line(static_cast<std::size_t>(color_->max_line()));
      report_.end_line(
          static_cast<std::size_t>(color_->template build16<Decoder, Encoder>(out, data, avail, offset, columns_)));
      return;
    }
    char* out = report_.begin_line(static_cast<std::size_t>(builder_.max_line()));
    report_.end_line(static_cast<std::size_t>(builder_.template build16<Decoder, Encoder>(out, data, avail, offset, columns_)));
  }

  // The lines of sixteen bytes of a block up to end (a multiple of sixteen),
  // without color: in runs that go into the report one after the other,
  // each up to a page's heading, a repeat or the end of the report's buffer.
  // The first line of a run goes through the repeat filter; the others are
  // compared with the line before. Returns end.
  int lines16(const unsigned char* data, int end, int avail, long long block) {
    const int max = builder_.max_line() + 1;
    const Line16Frame frame = builder_.frame16();
    int o = 0;
    while (o < end) {
      RepeatFilter::Verdict v = repeats_.take(reinterpret_cast<const char*>(data + o), 16, block);
      if (v == RepeatFilter::Verdict::suppress) {
        skip_columns<Decoder, Encoder>(columns_, data + o, 16, avail - o, 16);
        o += 16;
        continue;
      }
      if (v == RepeatFilter::Verdict::keep_after_marker) put_marker();
      long long lines = (end - o) / 16;
      char* const out = report_.begin_lines(static_cast<std::size_t>(max), &lines);
      char* p = out;
      const int run_start = o;
      const int run_end = o + static_cast<int>(lines) * 16;
      if (o == 0) {
        const int len = frame.template build<Decoder, Encoder>(p, data, avail, 0, columns_);
        builder_.put_first_prefix(p, block);
        p[len] = '\n';
        p += len + 1;
        o = 16;
      }
      const bool compare = repeats_.enabled();
      while (o < run_end && !(compare && same16(data + o, data + o - 16))) {
        const int len = frame.template build<Decoder, Encoder>(p, data + o, avail - o, o, columns_);
        p[len] = '\n';
        p += len + 1;
        o += 16;
      }
      if (compare) repeats_.keep_next(reinterpret_cast<const char*>(data + o - 16), 16);
      report_.end_lines(static_cast<std::size_t>(p - out), (o - run_start) / 16);
    }
    return end;
  }

  // Without it, a line repeats the last when it shows the same: the same
  // bytes, read from the same state and leaving the same state (the same
  // character cut at its end). Comparing what it shows would take lines of
  // other bytes that look alike, as control bytes do, for repeats, and would
  // differ between the report's encodings.
  void chars_only_line(const unsigned char* data, int n, int avail, long long block, int offset) {
    std::memcpy(key_, data, static_cast<std::size_t>(n));
    put_state(key_ + n);
    int len = color_ ? color_->template build<Decoder, Encoder>(data, n, avail, block, offset, columns_)
                     : builder_.template build<Decoder, Encoder>(data, n, avail, block, offset, columns_);
    put_state(key_ + n + kStateBytes);
    RepeatFilter::Verdict v = repeats_.take(key_, n + 2 * kStateBytes, block);
    if (v == RepeatFilter::Verdict::suppress) return;
    if (v == RepeatFilter::Verdict::keep_after_marker) put_marker();
    report_.put_encoded_line(color_ ? color_->text() : builder_.text(), static_cast<std::size_t>(len));
  }

  void put_marker() {
    if (color_)
      report_.put_encoded_line(ColorDumpLineBuilder::marker(), std::strlen(ColorDumpLineBuilder::marker()));
    else
      report_.put_line(kSameMarker);
  }

  DumpLayout layout_;
  ReportEncoding encoding_;
  const Codec& codec_;
  DumpLineBuilder builder_;
  std::unique_ptr<ColorDumpLineBuilder> color_;  // the lines in color, for a terminal
  ColumnState columns_;
  RepeatFilter repeats_;
  char key_[kMaxKey];
  ScaleHeading heading_;
  ScopedHeading heading_in_use_;
  Report& report_;
  bool per_block_pages_;
};

struct BlockBuffer {
  unsigned char bytes[kBlockBufSize];
};

// Reads up to want bytes to buf + carry and keeps up to kLookAhead bytes
// behind them (not taken: they start the next block). Returns the bytes
// taken; *ahead gets the look-ahead bytes.
int read_part(ByteSource& in, BlockBuffer& buf, int carry, int want, int* ahead) {
  unsigned char* dest = buf.bytes + carry;
  int got = static_cast<int>(in.read(dest, static_cast<std::size_t>(want)));
  *ahead = got == want ? static_cast<int>(in.peek(dest + got, kLookAhead)) : 0;
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
  // avail, number), avail >= length being the bytes readable at data.
  // Returns false after a failed read (reported).
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
  int ahead = 0;
  int got = read_part(in_, buf_, carry_, want_, &ahead);
  if (in_.failed()) return false;
  if (got == 0) {
    at_end_ = true;
    if (carry_ == 0) return true;
  }
  int n = got + carry_;
  if (!has_eod_) {
    emit(buf_.bytes, n, n + ahead, block_);
    want_ = s_.blk_size;
    carry_ = 0;
  } else {
    while (n > 0) {
      int e = find_eod(buf_.bytes, s_.eod_code, s_.eod_len, n);
      if (e == -1) {
        // No end code: the whole buffer is one block.
        emit(buf_.bytes, n, n + ahead, block_);
        want_ = s_.blk_size;
        carry_ = 0;
        break;
      }
      emit(buf_.bytes, e, n + ahead, block_);
      std::memmove(buf_.bytes, buf_.bytes + e, static_cast<std::size_t>(n + ahead - e));
      if (!at_end_) {
        // The next read tops the buffer up to the same length again.
        want_ = e;
        carry_ = n - e;
        break;
      }
      // At the end of the file the rest is cut into all its blocks now.
      n -= e;
      block_ += 1;
    }
  }
  if (!at_end_) block_ += 1;
  return true;
}

// The number of the input's last block, when it can be known without
// reading an input that may never end: from the size of a regular file (or,
// with read_to_end, of any input that was read to its end), or (blocks ended
// by a code) by cutting the rest of one, after last_cut, the last block cut
// so far. -1 otherwise.
long long last_block(const Settings& s, ByteSource& in, BlockCutter& cutter, int hdr_size, long long last_cut,
                     bool read_to_end) {
  long long size = read_to_end ? in.known_size() : in.regular_file_size();
  if (size < 0) return -1;
  if (!s.has_end_code()) {
    long long data = size - hdr_size;
    return data <= 0 ? -1 : (data + s.blk_size - 1) / s.blk_size - 1;
  }
  // At the end of the input the cutter has cut every block already.
  long long last = last_cut;
  while (!cutter.at_end())
    if (!cutter.step([&last](const unsigned char*, int, int, long long b) { last = b; })) return -1;
  return last;
}

// A block number as -n reads them: hexadecimal, decimal under -D.
struct BlockText {
  char text[kDecimalTextSize];
  BlockText(const Settings& s, long long block) {
    text[put_digits(text, static_cast<std::uint64_t>(block), s.dec_mode ? 10 : 16, 1)] = '\0';
  }
};

// After a dump that the default last block cut short: one line on standard
// error telling how to see the rest.
void notice_cut_short(const Settings& s, long long last) {
  BlockText stopped(s, s.end_blk);
  if (last < 0) {
    errmsg("vesk: stopped after block %s; --all shows the rest\n", stopped.text);
    return;
  }
  BlockText rest(s, last);
  errmsg("vesk: stopped after block %s; -n0,%s or --all shows the rest\n", stopped.text, rest.text);
}

// -n asked for blocks that start past the end of the input.
void report_past_end(const Settings& s, long long last) {
  BlockText first(s, s.start_blk);
  if (last < 0) {
    errmsg("vesk: block %s is past the end of the file (it holds no block)\n", first.text);
    return;
  }
  BlockText end(s, last);
  errmsg("vesk: block %s is past the end of the file (last block %s)\n", first.text, end.text);
}

// Goes straight to block start_blk of an input whose code can start decoding
// afresh a few bytes before any position: reads the bytes just before the
// block, finds where a cell begins among them, and decodes from there, so
// that a character begun in the block before and ending in this one shows as
// the dump from the start would show it. False when no cell start is found
// near enough, with the input back at data_start (the caller then reads the
// blocks before: only an input that can seek goes back, and a code whose
// every byte begins a cell always finds one); also false after a failed read
// or seek.
template <class Printer>
bool seek_to_block(const Settings& s, ByteSource& in, Printer& printer, long long data_start) {
  const Codec& codec = printer.codec();
  const long long target = data_start + static_cast<long long>(s.blk_size) * s.start_blk;
  // A run of bytes that could each lead a pair hides where cells begin:
  // look back that far at most.
  constexpr long long kMaxBack = 1 << 16;
  const int back = static_cast<int>(target - data_start < kMaxBack ? target - data_start : kMaxBack);
  std::vector<unsigned char> window(static_cast<std::size_t>(back + kLookAhead), 0);
  if (!in.seek(target - back)) return false;
  int got = static_cast<int>(in.read(window.data(), static_cast<std::size_t>(back)));
  if (in.failed()) return false;
  // The input ends before the block: there is nothing to decode.
  if (got < back) return in.seek(target);
  const int avail = back + static_cast<int>(in.peek(window.data() + back, kLookAhead));
  // The latest position at or before the block where a cell begins.
  int start = -1;
  for (int j = back; j >= 1 && start < 0; --j)
    if (codec.starts_fresh(window[static_cast<std::size_t>(j - 1)], window[static_cast<std::size_t>(j)])) start = j;
  if (start < 0 && target - back == data_start) start = 0;
  if (start < 0) {
    in.seek(data_start);
    return false;
  }
  // The cells from there: one that crosses into the block was cut by the
  // lines of the block before.
  DecoderState& decoder = printer.columns().decoder;
  const int lb = s.line_bytes;
  for (int at = start; at < back;) {
    Cell c = codec.decode(decoder, window.data() + at, avail - at);
    if (at + c.len > back) {
      const long long in_block = target - back + at - (target - s.blk_size);
      const long long line_end = in_block - in_block % lb + lb < s.blk_size ? in_block - in_block % lb + lb : s.blk_size;
      const int first_part = static_cast<int>(line_end - in_block);
      carry_cut_cell(printer.columns(), printer.encoding(), c, first_part, back - at - first_part, lb);
    }
    at += c.len;
  }
  return true;
}

template <class Decoder, class Encoder>
int dump_with(const Settings& s, ByteSource& in, Report& report) {
  BlockPrinter<Decoder, Encoder> printer(s, report);
  BlockBuffer buf;
  auto shown = [&s](long long block) { return s.start_blk <= block && block <= s.end_blk; };

  int hdr_size = s.hdr_size;
  if (hdr_size > 0) {
    int got = static_cast<int>(in.read(buf.bytes, static_cast<std::size_t>(hdr_size)));
    if (in.failed()) return 1;
    if (got < hdr_size) hdr_size = got;
    // No look-ahead for the header: a character its end cuts shows as
    // points. Not shown (a single block asked for, or a byte range after
    // it), its escape sequences still set the JIS shift of the data.
    if (s.shows_header())
      printer.block(buf.bytes, hdr_size, hdr_size, -1);
    else
      printer.skip(buf.bytes, hdr_size, hdr_size);
  }

  long long first = 0;
  // Straight to the first block shown where the code allows: the blocks
  // before it are read only to follow a JIS text's shifts, or when the
  // blocks end at a code.
  if (s.start_blk != 0 && !s.has_end_code() && printer.codec().resumable() && s.blk_size >= kMaxCellLength &&
      (in.seekable() || printer.codec().max_len == 1)) {
    if (seek_to_block(s, in, printer, hdr_size)) first = s.start_blk;
    if (in.failed()) return 1;
  }

  BlockCutter cutter(s, in, buf, first);
  bool past_range = false;  // a block past the range was cut (at the end of the input)
  bool any_shown = false;
  long long last_cut = -1;
  auto print = [&](const unsigned char* data, int n, int avail, long long b) {
    if (b > s.end_blk) past_range = true;
    last_cut = b;
    if (shown(b)) {
      any_shown = true;
      printer.block(data, n, avail, b);
    } else if (b < s.start_blk) {
      printer.skip(data, n, avail);
    }
  };
  while (cutter.block() <= s.end_blk && !cutter.at_end()) {
    if (report.failed()) return 1;
    if (!cutter.step(print)) return 1;
  }
  printer.finish();
  if (report.failed()) return 1;
  if (!any_shown && s.start_blk > 0) {
    if (in.failed()) return 1;
    long long last = last_cut >= 0 ? last_cut : last_block(s, in, cutter, hdr_size, last_cut, true);
    if (last < s.start_blk) {
      report_past_end(s, last);
      return 1;
    }
  }
  // The default range ended the dump before the input did.
  if (!s.range_given && !s.all_blocks && (past_range || cutter.more_input())) {
    if (in.failed()) return 1;
    notice_cut_short(s, last_block(s, in, cutter, hdr_size, last_cut, false));
  }
  return 0;
}

}  // namespace

int plain_dump(const Settings& s, ByteSource& in, Report& report) {
  const bool utf8 = report.sink().encoding() == ReportEncoding::utf8;
  return with_decoder(s.char_mode, [&]<class Decoder>() {
    return utf8 ? dump_with<Decoder, Utf8Encoder>(s, in, report) : dump_with<Decoder, SjisEncoder>(s, in, report);
  });
}

}  // namespace vesk
