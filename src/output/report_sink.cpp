#include "output/report_sink.h"

#include <cerrno>
#include <unistd.h>

namespace vesk {

ReportSink::ReportSink(int fd) : fd_(fd), buffer_(new char[kBufferSize]) {}

ReportSink::ReportSink() : ReportSink(-1) {}

ReportSink::~ReportSink() { flush(); }

void ReportSink::write_out(const char* p, std::size_t n) {
  if (fd_ < 0) {
    memory_.append(p, n);
    return;
  }
  while (n > 0 && !failed_) {
    ssize_t k = ::write(fd_, p, n);
    if (k < 0) {
      if (errno == EINTR) continue;
      failed_ = true;
      return;
    }
    p += k;
    n -= static_cast<std::size_t>(k);
  }
}

void ReportSink::write_slow(const char* p, std::size_t n) {
  if (n >= kBufferSize) {
    flush();
    write_out(p, n);
    return;
  }
  if (used_ + n > kBufferSize) flush();
  std::memcpy(buffer_.get() + used_, p, n);
  used_ += n;
}

bool ReportSink::flush() {
  if (used_ > 0) write_out(buffer_.get(), used_);
  used_ = 0;
  return !failed_;
}

}  // namespace vesk
