#include "output/writer.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace vesk {

namespace writer_detail {
char buffer[kBufferSize];
std::size_t used = 0;
}  // namespace writer_detail

using writer_detail::buffer;
using writer_detail::kBufferSize;
using writer_detail::used;

namespace {

bool write_failed = false;

void write_all(const char* p, std::size_t n) {
  while (n > 0 && !write_failed) {
    ssize_t k = ::write(STDOUT_FILENO, p, n);
    if (k < 0) {
      if (errno == EINTR) continue;
      write_failed = true;
      return;
    }
    p += k;
    n -= static_cast<std::size_t>(k);
  }
}

}  // namespace

void writer_detail::write_slow(const char* p, std::size_t n) {
  if (n >= kBufferSize) {
    out_flush();
    write_all(p, n);
    return;
  }
  if (used + n > kBufferSize) out_flush();
  std::memcpy(buffer + used, p, n);
  used += n;
}

bool out_flush() {
  write_all(buffer, used);
  used = 0;
  return !write_failed;
}

void end_process(int status) {
  if (!out_flush()) {
    const char msg[] = "write error on standard output\n";
    std::fwrite(msg, 1, sizeof msg - 1, stderr);
    if (status == 0) status = 1;
  }
  std::fflush(stderr);
  std::_Exit(status);
}

}  // namespace vesk
