// The one way out for the report: every byte of the report and of the usage
// text is appended to one buffer, which goes to a file descriptor in large
// writes, or stays in memory (for tests).
#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>

#include "output/line_buffer.h"
#include "output/utf8_transcode.h"
#include "text/encoders.h"

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

  // The report's encoding, chosen once for the run: report lines given in
  // their Shift_JIS form are written in it.
  void set_encoding(ReportEncoding encoding) { utf8_ = encoding == ReportEncoding::utf8; }
  ReportEncoding encoding() const { return utf8_ ? ReportEncoding::utf8 : ReportEncoding::sjis; }
  bool utf8() const { return utf8_; }
  // The sink writes to a terminal.
  bool is_terminal() const;
  // Color, chosen once for the run: the writers of report lines add SGR
  // sequences (output/styled_line.h).
  void set_colored(bool colored) { colored_ = colored; }
  bool colored() const { return colored_; }

  // A report line (Shift_JIS, without its newline) and its newline. Newlines
  // inside it stay. ascii_prefix: its first bytes known to be printable ASCII
  // (the prefix and hex part of a dump line), which UTF-8 leaves as they are.
  // The common case, room in the buffer, is a copy.
  void write_line(const char* p, std::size_t n, std::size_t ascii_prefix = 0) {
    if (utf8_) {
      write_line_utf8(p, n, ascii_prefix);
    } else {
      write_line_sjis(p, n);
    }
  }
  // The same for a line known to hold no newline.
  void write_plain_line(const char* p, std::size_t n, std::size_t ascii_prefix = 0) {
    if (utf8_ && ascii_prefix <= n && n + 1 + (kUtf8PerSjisByte - 1) * (n - ascii_prefix) <= kBufferSize - used_) {
      // The common case: room for the longest UTF-8 form in the buffer.
      std::memcpy(buffer_.get() + used_, p, ascii_prefix);
      used_ += ascii_prefix;
      // An all-ASCII line (a page heading) needs no transcoder, whose tables
      // take a while to build.
      if (n > ascii_prefix) used_ += sjis2utf8(p + ascii_prefix, n - ascii_prefix, buffer_.get() + used_);
      buffer_[used_++] = '\n';
    } else {
      write_line(p, n, ascii_prefix);
    }
  }
  // A line in its Shift_JIS form with cells laid over some of its columns,
  // by column: in UTF-8 each such cell is written in its own UTF-8 form.
  void write_line_with_cells(const char* p, std::size_t n, const LineCell* cells, std::size_t count);
  // A line already in the report's encoding (without its newline), and its
  // newline.
  void write_encoded_line(const char* p, std::size_t n) { write_line_sjis(p, n); }

  // Room for a line of up to max bytes (and its newline) built in place, in
  // the report's encoding: the plain dump's lines go out without a copy.
  // end_line(n) then takes the n bytes written there.
  char* line_space(std::size_t max) {
    if (max + 1 > kBufferSize - used_) flush();
    if (max + 1 > kBufferSize) return nullptr;  // never: a line is a few KiB
    return buffer_.get() + used_;
  }
  void end_line(std::size_t n) {
    used_ += n;
    buffer_[used_++] = '\n';
  }
  // Lines of up to max bytes each (and their newlines) built in place one
  // after the other from line_space(max): how many fit, at least one.
  std::size_t lines_of_room(std::size_t max) const {
    const std::size_t fit = (kBufferSize - used_) / (max + 1);
    return fit > 0 ? fit : 1;
  }
  // Takes the n bytes of such lines, newlines included.
  void end_lines(std::size_t n) { used_ += n; }

 private:
  void write_line_sjis(const char* p, std::size_t n) {
    if (n + 1 < kBufferSize - used_) {
      std::memcpy(buffer_.get() + used_, p, n);
      used_ += n;
      buffer_[used_++] = '\n';
    } else {
      write_slow(p, n);
      write_slow("\n", 1);
    }
  }

 public:
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
  void write_line_utf8(const char* p, std::size_t n, std::size_t ascii_prefix);
  // The UTF-8 form of n bytes without a newline.
  void write_utf8(const char* p, std::size_t n);

  int fd_;  // -1: memory
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
  bool failed_ = false;
  bool utf8_ = false;
  bool colored_ = false;
  std::string memory_;
};

}  // namespace vesk
