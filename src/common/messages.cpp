#include "common/messages.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/text_scan.h"
#include "main/settings.h"
#include "output/writer.h"

namespace vesk {

namespace {

constexpr int kEditLimit = 1024;
// Room for 1,024 characters and the longest single conversion after them
// (a "%f" of the largest double is about 320 characters).
constexpr int kEditSize = kEditLimit + 512;
char edit_buffer[kEditSize];

// Appends n bytes, never past the buffer's last byte (kept for the terminator).
void produce(int& len, const char* p, int n) {
  if (n > kEditSize - 1 - len) n = kEditSize - 1 - len;
  if (n <= 0) return;
  std::memcpy(edit_buffer + len, p, static_cast<std::size_t>(n));
  len += n;
}

}  // namespace

const char* err_edit(const char* format, va_list args) {
  int len = 0;
  const char* f = format;
  char num[400];
  while (len < kEditLimit && *f) {
    if (*f == '\\') {
      if (f[1] != '\0') {
        produce(len, f + 1, 1);
        f += 2;
      } else {
        produce(len, f, 1);
        f += 1;
      }
      continue;
    }
    if (*f != '%') {
      produce(len, f, 1);
      ++f;
      continue;
    }
    char conv = f[1];
    if (conv == '\0') {  // a lone "%" at the end is produced as it stands
      produce(len, f, 1);
      ++f;
      continue;
    }
    f += 2;
    switch (conv) {
      case 'c': {
        char c = static_cast<char>(va_arg(args, int));
        produce(len, &c, 1);
        break;
      }
      case 'd':
        produce(len, num, std::snprintf(num, sizeof num, "%d", va_arg(args, int)));
        break;
      case 'x':
        produce(len, num, std::snprintf(num, sizeof num, "%x", va_arg(args, unsigned)));
        break;
      case 'f':
        produce(len, num, std::snprintf(num, sizeof num, "%f", va_arg(args, double)));
        break;
      case 's': {
        const char* s = va_arg(args, const char*);
        if (s == nullptr) s = "(null)";
        int n = static_cast<int>(std::strlen(s));
        if (n + len > kEditLimit) n = kEditLimit - len - 256;  // may be <= 0: nothing copied
        produce(len, s, n);
        break;
      }
      default: {
        char pair[2] = {'%', conv};
        produce(len, pair, 2);
        break;
      }
    }
  }
  edit_buffer[len] = '\0';
  return edit_buffer;
}

int errmsg(const char* format, ...) {
  const char* text = format;
  if (Strchr(format, '%') != nullptr) {
    va_list args;
    va_start(args, format);
    text = err_edit(format, args);
    va_end(args);
  }
  std::size_t n = std::strlen(text);
  std::fwrite(text, 1, n, stderr);
  std::fflush(stderr);
  return static_cast<int>(n);
}

int def_error(const char* message, int line) {
  const char* name = settings.fmt_name ? settings.fmt_name : "";
  if (line == 0)
    errmsg("%s: %s\n", name, message);
  else
    errmsg("%s: %s (line is %d)\n", name, message, line);
  return 0;
}

int report_no_memory(std::size_t size) {
  if (size > 1000)
    return errmsg("\ncannot get the memory of %d K bytes\n", static_cast<int>(size / 1024));
  return errmsg("\ncannot get the memory of %d bytes\n", static_cast<int>(size));
}

void* getmem(std::size_t size) {
  void* p = std::calloc(size == 0 ? 1 : size, 1);
  if (p == nullptr) {
    report_no_memory(size);
    end_process(1);
  }
  return p;
}

void clear(void* area, int value, int length) {
  if (length <= 0) return;
  std::memset(area, value, static_cast<std::size_t>(length));
}

}  // namespace vesk
