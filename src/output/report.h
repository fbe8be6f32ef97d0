// Report lines: every line of the report goes through put_line, which writes the
// page heading whenever a page begins.
#pragma once

#include <cstddef>

namespace vesk {

struct PageState {
  int line_cnt = 0;  // report lines written; a page starts at each multiple of page_lines
  int hex_col = 13;  // first column of the plain dump's hex part
  int char_col = 0;  // first column of the plain dump's character part
};
extern PageState page;

// Writes a zero-terminated line (without its newline), after the page heading
// when a page begins. Newlines inside the text count as lines.
void put_line(const char* text);
// The same for a line of known length (no terminator needed).
void put_line_len(const char* text, std::size_t len);
// put_line_len for a line known to hold no newline: the line count needs no scan.
void put_line_plain(const char* text, std::size_t len);
// Writes a line without the page-heading check.
void put_line_direct(const char* text);

// The plain dump's position header.
void put_scale_line(int dec, int hex_col, int char_col);
// The map displays' column scale; start is always 12.
void put_map_scale(int dec, int start);

}  // namespace vesk
