// The one way out for the report: every byte of the report and of the usage
// text is appended to one buffer, which goes to a file descriptor in large
// writes, or stays in memory (for tests).
#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>

namespace vesk {

class ReportSink {
 public:
  // A sink that writes to the file descriptor fd.
  explicit ReportSink(int fd);
  // A sink that keeps what it is given; memory() returns it.
  ReportSink();
  ~ReportSink();
  ReportSink(const ReportSink&) = delete;
  ReportSink& operator=(const ReportSink&) = delete;

  // Appends n bytes; the buffer is written out when full. The common case,
  // room in the buffer, is a copy.
  void write(const char* p, std::size_t n) {
    if (n < kBufferSize - used_) {
      std::memcpy(buffer_.get() + used_, p, n);
      used_ += n;
    } else {
      write_slow(p, n);
    }
  }
  // A report line and its newline.
  void write_line(const char* p, std::size_t n) {
    if (n + 1 < kBufferSize - used_) {
      std::memcpy(buffer_.get() + used_, p, n);
      used_ += n;
      buffer_[used_++] = '\n';
    } else {
      write_slow(p, n);
      write_slow("\n", 1);
    }
  }

  // Writes out what is buffered; false once a write has failed.
  bool flush();
  // A write has failed: what comes after is dropped, and the run should stop.
  bool failed() const { return failed_; }
  // What a memory sink has been given (after flush()).
  const std::string& memory() const { return memory_; }

 private:
  static constexpr std::size_t kBufferSize = 1 << 18;
  void write_slow(const char* p, std::size_t n);
  void write_out(const char* p, std::size_t n);

  int fd_;  // -1: memory
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
  bool failed_ = false;
  std::string memory_;
};

}  // namespace vesk
