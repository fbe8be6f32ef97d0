#include "output/report_sink.h"

#include <algorithm>
#include <cerrno>
#include <vector>
#include <unistd.h>

#include "common/text_scan.h"

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

bool ReportSink::is_terminal() const { return fd_ >= 0 && ::isatty(fd_) == 1; }

void ReportSink::write_utf8(const char* p, std::size_t n) {
  // A piece at a time, each transcoded straight into the buffer.
  constexpr std::size_t kPiece = kBufferSize / (2 * kUtf8PerSjisByte);
  while (n > 0) {
    std::size_t k = n < kPiece ? n : kPiece;
    // A pair is never cut between two pieces.
    if (k < n) {
      std::size_t i = 0;
      while (i < k) {
        i += is_sjis_lead(static_cast<unsigned char>(p[i])) ? 2 : 1;
      }
      k = i;
    }
    if (kUtf8PerSjisByte * k > kBufferSize - used_) flush();
    used_ += sjis2utf8(p, k, buffer_.get() + used_);
    p += k;
    n -= k;
  }
}

void ReportSink::write_line_utf8(const char* p, std::size_t n, std::size_t ascii_prefix) {
  if (ascii_prefix > n) ascii_prefix = n;
  if (n + 1 + (kUtf8PerSjisByte - 1) * (n - ascii_prefix) > kBufferSize - used_) flush();
  if (ascii_prefix > 0 && ascii_prefix <= kBufferSize - used_) {
    std::memcpy(buffer_.get() + used_, p, ascii_prefix);
    used_ += ascii_prefix;
    p += ascii_prefix;
    n -= ascii_prefix;
  }
  // Newlines inside a line stay newlines.
  while (const void* nl = std::memchr(p, '\n', n)) {
    std::size_t k = static_cast<std::size_t>(static_cast<const char*>(nl) - p);
    write_utf8(p, k);
    write_slow("\n", 1);
    p += k + 1;
    n -= k + 1;
  }
  write_utf8(p, n);
  if (used_ < kBufferSize)
    buffer_[used_++] = '\n';
  else
    write_slow("\n", 1);
}

void ReportSink::write_line_with_cells(const char* p, std::size_t n, const LineCell* cells, std::size_t count) {
  if (!utf8_) {
    write_line(p, n);
    return;
  }
  std::vector<LineCell> sorted(cells, cells + count);
  std::sort(sorted.begin(), sorted.end(), [](const LineCell& a, const LineCell& b) { return a.col < b.col; });
  std::size_t at = 0;
  for (const LineCell& c : sorted) {
    const auto col = static_cast<std::size_t>(c.col);
    if (col < at || col + c.cell.len > n) continue;
    write_utf8(p + at, col - at);
    char form[4 * kMaxCellLength + 8];
    write_slow(form, static_cast<std::size_t>(put_cell<Utf8Encoder>(c.cell, form)));
    at = col + c.cell.len;
  }
  write_utf8(p + at, n - at);
  write_slow("\n", 1);
}

bool ReportSink::flush() {
  if (used_ > 0) write_out(buffer_.get(), used_);
  used_ = 0;
  return !failed_;
}

}  // namespace vesk
