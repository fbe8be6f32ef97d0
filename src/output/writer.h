// The one buffered writer of standard output, and the one way to end the process.
#pragma once

#include <cstddef>
#include <cstring>

namespace vesk {

namespace writer_detail {
constexpr std::size_t kBufferSize = 1 << 18;
extern char buffer[kBufferSize];
extern std::size_t used;
// Writes out the buffer as needed and appends (or writes directly) n bytes.
void write_slow(const char* p, std::size_t n);
}  // namespace writer_detail

// Appends n bytes to the output buffer; the buffer is written out when full.
// The common case, room in the buffer, is a copy in the caller.
inline void out_write(const char* p, std::size_t n) {
  using namespace writer_detail;
  if (n < kBufferSize - used) {
    std::memcpy(buffer + used, p, n);
    used += n;
  } else {
    write_slow(p, n);
  }
}
inline void out_char(char c) {
  using namespace writer_detail;
  if (used < kBufferSize)
    buffer[used++] = c;
  else
    write_slow(&c, 1);
}
// Writes out what is buffered; returns false when a write to standard output failed.
bool out_flush();

// Flushes standard output and ends the process. A failed write turns a status
// of 0 into 1, with a message on standard error.
[[noreturn]] void end_process(int status);

}  // namespace vesk
