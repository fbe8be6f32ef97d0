#include "output/report.h"

#include <cstdio>
#include <cstring>

#include "common/messages.h"
#include "main/settings.h"
#include "output/writer.h"

namespace vesk {

PageState page;

namespace {

char* scale_buffer = nullptr;
char* map_scale_buffer = nullptr;
int scale_size = 0;
int map_scale_size = 0;

// Heading buffers are sized from -b when first used: line_bytes * 4 + 30 bytes.
char* heading_buffer(char*& buffer, int& size) {
  if (buffer == nullptr) {
    size = settings.line_bytes * 4 + 30;
    buffer = static_cast<char*>(getmem(static_cast<std::size_t>(size)));
  }
  return buffer;
}

// Writes text and its terminator at col, never past the buffer.
void put_at(char* buf, int size, int col, const char* text) {
  int n = static_cast<int>(std::strlen(text));
  if (col < 0 || col >= size) return;
  if (n > size - 1 - col) n = size - 1 - col;
  std::memcpy(buf + col, text, static_cast<std::size_t>(n));
  buf[col + n] = '\0';
}

void count_and_write(const char* text, std::size_t len) {
  out_write(text, len);
  out_char('\n');
  page.line_cnt += 1;
  for (const char* p = static_cast<const char*>(std::memchr(text, '\n', len)); p != nullptr;
       p = static_cast<const char*>(std::memchr(p + 1, '\n', len - static_cast<std::size_t>(p + 1 - text))))
    page.line_cnt += 1;
}

void put_heading_at_page_start() {
  if (settings.page_lines > 0 && page.line_cnt % settings.page_lines == 0) {
    if (settings.run_mode == 0 || settings.run_mode == 1)
      put_scale_line(settings.dec_mode, page.hex_col, page.char_col);
    else if (settings.map_disp == 1)
      put_map_scale(settings.dec_mode, 12);
  }
}

}  // namespace

void put_line_len(const char* text, std::size_t len) {
  put_heading_at_page_start();
  count_and_write(text, len);
}

void put_line_plain(const char* text, std::size_t len) {
  put_heading_at_page_start();
  out_write(text, len);
  out_char('\n');
  page.line_cnt += 1;
}

void put_line(const char* text) { put_line_len(text, std::strlen(text)); }

void put_line_direct(const char* text) { count_and_write(text, std::strlen(text)); }

void put_scale_line(int dec, int hex_col, int char_col) {
  // The heading is the same on every page of a run: built once, then rewritten
  // only when its inputs change.
  static int built_key[5] = {-1, -1, -1, -1, -1};
  static std::size_t built_len = 0;
  const int key[5] = {dec, hex_col, char_col, settings.run_mode, settings.line_bytes};
  char* buf = heading_buffer(scale_buffer, scale_size);
  if (std::memcmp(key, built_key, sizeof key) != 0) {
    std::memset(buf, ' ', static_cast<std::size_t>(scale_size - 1));
    buf[scale_size - 1] = '\0';
    char digit[8];
    if (settings.run_mode == 0) {
      int p = hex_col - 1;
      for (int i = 0; i < settings.line_bytes; ++i) {
        if (i % 2 == 0) p += 1;
        std::snprintf(digit, sizeof digit, dec ? " %d " : " %X ", dec ? i % 10 : i % 16);
        put_at(buf, scale_size, p, digit);
        p += 2;
      }
      put_at(buf, scale_size, p, "   ");
    }
    for (int i = 0; i < settings.line_bytes; ++i) {
      int col = char_col + i;
      if (col >= 0 && col < scale_size - 1) buf[col] = "0123456789ABCDEF"[dec ? i % 10 : i % 16];
    }
    int end = char_col + settings.line_bytes;
    if (end >= 0 && end < scale_size) buf[end] = '\0';
    built_len = std::strlen(buf);
    std::memcpy(built_key, key, sizeof key);
  }
  count_and_write(buf, built_len);
}

void put_map_scale(int dec, int start) {
  char* buf = heading_buffer(map_scale_buffer, map_scale_size);
  std::memset(buf, ' ', static_cast<std::size_t>(map_scale_size - 1));
  buf[map_scale_size - 1] = '\0';
  int saved = settings.map_disp;
  settings.map_disp = 0;
  char cell[8];
  for (int i = 0; i < settings.line_bytes; ++i) {
    std::snprintf(cell, sizeof cell, dec ? " %d  " : " %X  ", dec ? i % 10 : i % 16);
    put_at(buf, map_scale_size, start + i * settings.map_cell, cell);
  }
  put_line(buf);
  settings.map_disp = saved;
}

}  // namespace vesk
