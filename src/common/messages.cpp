#include "common/messages.h"

#include <cstdio>
#include <cstring>

#include "common/digits.h"
#include "common/text_scan.h"

namespace vesk {

namespace {

// Appends n bytes, never past the buffer's last byte (kept for the terminator).
void produce(char (&out)[kEditSize], int& len, const char* p, int n) {
  if (n > kEditSize - 1 - len) n = kEditSize - 1 - len;
  if (n <= 0) return;
  std::memcpy(out + len, p, static_cast<std::size_t>(n));
  len += n;
}

}  // namespace

const char* err_edit(char (&out)[kEditSize], const char* format, va_list args) {
  int len = 0;
  const char* f = format;
  char num[400];
  while (len < kEditLimit && *f) {
    if (*f == '\\') {
      if (f[1] != '\0') {
        produce(out, len, f + 1, 1);
        f += 2;
      } else {
        produce(out, len, f, 1);
        f += 1;
      }
      continue;
    }
    if (*f != '%') {
      produce(out, len, f, 1);
      ++f;
      continue;
    }
    char conv = f[1];
    if (conv == '\0') {  // a lone "%" at the end is produced as it stands
      produce(out, len, f, 1);
      ++f;
      continue;
    }
    f += 2;
    switch (conv) {
      case 'c': {
        char c = static_cast<char>(va_arg(args, int));
        produce(out, len, &c, 1);
        break;
      }
      case 'd':
        produce(out, len, num, decimal_text(va_arg(args, int), num));
        break;
      case 'x':
        produce(out, len, num, std::snprintf(num, sizeof num, "%x", va_arg(args, unsigned)));
        break;
      case 'f':
        produce(out, len, num, std::snprintf(num, sizeof num, "%f", va_arg(args, double)));
        break;
      case 's': {
        const char* s = va_arg(args, const char*);
        if (s == nullptr) s = "(null)";
        int n = static_cast<int>(std::strlen(s));
        if (n + len > kEditLimit) n = kEditLimit - len - 256;  // may be <= 0: nothing copied
        produce(out, len, s, n);
        break;
      }
      default: {
        char pair[2] = {'%', conv};
        produce(out, len, pair, 2);
        break;
      }
    }
  }
  out[len] = '\0';
  return out;
}

int errmsg(const char* format, ...) {
  char edited[kEditSize];
  const char* text = format;
  if (Strchr(format, '%') != nullptr) {
    va_list args;
    va_start(args, format);
    text = err_edit(edited, format, args);
    va_end(args);
  }
  std::size_t n = std::strlen(text);
  std::fwrite(text, 1, n, stderr);
  std::fflush(stderr);
  return static_cast<int>(n);
}

void write_message(const char* text, std::size_t n) {
  std::fwrite(text, 1, n, stderr);
  std::fflush(stderr);
}

int def_error(const char* fmt_name, const char* message, long long line) {
  const char* name = fmt_name ? fmt_name : "";
  if (line == 0) {
    errmsg("%s: %s\n", name, message);
  } else if (line >= -2147483647LL - 1 && line <= 2147483647LL) {
    errmsg("%s: %s (line is %d)\n", name, message, static_cast<int>(line));
  } else {
    // Line numbers are counted in 64 bits; %d would show only 32 of them.
    char number[kDecimalTextSize];
    decimal_text(line, number);
    errmsg("%s: %s (line is %s)\n", name, message, number);
  }
  return 0;
}

int report_no_memory(std::size_t size) {
  if (size > 1000)
    return errmsg("\ncannot get the memory of %d K bytes\n", static_cast<int>(size / 1024));
  return errmsg("\ncannot get the memory of %d bytes\n", static_cast<int>(size));
}

}  // namespace vesk
