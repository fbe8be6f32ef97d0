// The settings of a run: filled once by the option parser, read-only for the
// rest of the run. What a driver works out on its way (the size of the
// current block, label widths, map geometry) lives in structs of its own.
#pragma once

namespace vesk {

enum class RunMode {
  hex_dump,    // hex pairs and characters
  char_dump,   // characters only (-C)
  formatted,   // -f
  compare,     // -F
};

enum class CharMode {
  ascii,       // -A
  kana,        // -K: ASCII and half-width kana
  sjis,        // the default
  jis,         // -J, -j
  euc,         // -E
  utf8,        // -U
};

enum class PageMode {
  lines,       // a heading every page_lines lines
  per_block,   // -pb (or -p32000): in the plain dump, a page per block
};

// How the report's characters are written: as Shift_JIS, or as UTF-8 for a
// terminal that reads it; automatic picks UTF-8 for a UTF-8 terminal.
enum class OutputEncoding { automatic, sjis, utf8 };

// Whether the report is colored: automatic colors it on a terminal, unless
// NO_COLOR is set or TERM is dumb.
enum class ColorChoice { automatic, always, never };

// Records for other programs in place of the report: --json (JSON Lines),
// --csv (a table).
enum class RecordsForm { none, json, csv };

constexpr int kDefaultLastBlock = 32767;
// The largest block number: every block of a file of 2^62 bytes, and its
// position still fits 64 bits at the largest block size.
constexpr long long kMaxBlockNumber = 1LL << 50;
// The largest block: -d, and the block size a format file may lay out.
constexpr int kMaxBlockSize = 4096;
constexpr int kMaxEndCode = 8;
// Page lengths of -p0 (no practical paging) and -pb.
constexpr int kNoPagingLines = 32767;
constexpr int kPerBlockPageLines = 32000;

struct Settings {
  RunMode run_mode = RunMode::hex_dump;
  CharMode char_mode = CharMode::sjis;
  bool show_ctrl = false;  // -j: JIS escape sequences shown
  int line_bytes = 16;     // -b
  int line_width = 79;     // -l
  int page_lines = 24;     // -p; 32767 for -p0, 32000 for -pb
  PageMode page_mode = PageMode::lines;
  bool omit_same = true;   // false with -L
  bool map_disp = false;   // -m, -M
  int map_cell = 3;        // 4 with -M
  bool byte_swap = false;  // -v
  bool align_mode = false; // -B
  bool dec_mode = false;   // -D
  int hdr_size = 0;        // -h
  int blk_size = 256;      // -d
  long long start_blk = 0; // -n
  long long end_blk = kDefaultLastBlock;
  bool range_given = false;  // -n given: no notice that the default range cut the dump short
  // -t, -x: the end code of a block; a blank first byte means none.
  unsigned char eod_code[kMaxEndCode] = {' ', ' ', ' ', 0, 0, 0, 0, 0};
  int eod_len = 0;
  int item_size = 15;      // -w first number
  int comment_size = 30;   // -w second number
  const char* file1_name = nullptr;
  const char* file2_name = nullptr;
  const char* fmt_name = nullptr;  // -f, -F
  const char* block_id = nullptr;  // -F

  // Long options.
  OutputEncoding encoding = OutputEncoding::automatic;  // --utf8, --sjis
  ColorChoice color = ColorChoice::automatic;           // --color
  bool all_blocks = false;    // --all: no default block limits
  bool changes_only = false;  // --changes-only: the comparison leaves out unchanged pairs
  bool summary = false;       // --summary: the comparison ends with counts
  bool exit_code = false;     // --exit-code: 0 same, 1 different, 2 trouble
  RecordsForm records = RecordsForm::none;  // --json, --csv
  bool guess = false;         // --guess: which code reads the file, in place of the dump
  // --skip-bytes, --read-bytes: the first byte and the number of bytes wanted
  // (-1: to the end); the option parser turns them into start_blk and end_blk.
  long long skip_bytes = 0;
  long long read_bytes = -1;
  const char* byte_option = nullptr;  // the first of the two given, as typed; nullptr: neither

  bool is_plain_dump() const { return run_mode == RunMode::hex_dump || run_mode == RunMode::char_dump; }
  bool has_end_code() const { return eod_code[0] != ' ' && eod_len > 0; }
  bool per_block_pages() const { return page_mode == PageMode::per_block; }
  // The plain dump shows its header block: when the blocks come from a byte
  // range, if the range starts in it; else unless -n asks for one block.
  bool shows_header() const { return byte_option != nullptr ? skip_bytes < hdr_size : start_blk != end_blk; }
};

}  // namespace vesk
