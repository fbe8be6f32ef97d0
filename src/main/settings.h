// The settings of a run: written while the command line is read, read by the
// drivers (blk_size, hdr_size, item_size and comment_size are adjusted by them).
#pragma once

#include <cstdio>

namespace vesk {

struct Settings {
  int run_mode = 0;     // 0 hex and characters, 1 characters only (-C), 2 formatted (-f), 3 comparison (-F)
  int char_mode = 3;    // 1 ASCII, 2 ASCII and kana, 3 Shift_JIS, 4 JIS, 5 EUC, 6 UTF-8
  int show_ctrl = 0;    // JIS with escape sequences shown (-j)
  int line_bytes = 16;  // -b
  int line_width = 79;  // -l
  int page_lines = 24;  // -p; 32767 for -p0, 32000 for -pb
  int omit_same = 1;    // 0 with -L
  int map_disp = 0;     // -m, -M
  int map_cell = 3;     // 4 with -M
  int byte_swap = 0;    // -v
  int align_mode = 0;   // -B
  int dec_mode = 0;     // -D
  int hdr_size = 0;     // -h
  int blk_size = 256;   // -d
  int start_blk = 0;    // -n
  int end_blk = 32767;  // -n
  unsigned char eod_code[8] = {' ', ' ', ' ', 0, 0, 0, 0, 0};  // -t, -x; a blank first byte: none
  int eod_len = 0;
  int item_size = 15;     // -w first number
  int comment_size = 30;  // -w second number
  const char* file1_name = nullptr;
  std::FILE* fp1 = nullptr;
  const char* file2_name = nullptr;
  std::FILE* fp2 = nullptr;
  const char* fmt_name = nullptr;  // -f, -F
  const char* block_id = nullptr;  // -F
};

extern Settings settings;

// Natural alignment under -B.
constexpr int align_short = 2;
constexpr int align_long = 4;
constexpr int align_float = 4;
constexpr int align_double = 4;
constexpr int align_ptr = 4;

// Set by the SIGFPE handler; read around floating-point text conversion.
extern volatile int floaterr_flg;

}  // namespace vesk
