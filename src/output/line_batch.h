// Report lines gathered in the report's encoding and handed to the report
// some at a time: a line costs a copy into the batch (its UTF-8 form in a
// UTF-8 report), not a write of its own through the report and the sink.
// Lines go to the report in the order given, when the batch is flushed: no
// other line may be written to the report while the batch holds some.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "common/short_copy.h"
#include "output/report.h"
#include "output/utf8_transcode.h"

namespace vesk {

class LineBatch {
 public:
  // A few blocks' lines. A batch goes to the sink as one copy, which a copy
  // routine makes with vector moves at this size (larger ones it may hand
  // to a string instruction, slower to start).
  static constexpr std::size_t kSize = 2048;

  explicit LineBatch(Report& report) : report_(report), utf8_(report.sink().utf8()) {}
  ~LineBatch() { flush(); }
  LineBatch(const LineBatch&) = delete;
  LineBatch& operator=(const LineBatch&) = delete;

  // A line in its Shift_JIS form, without its newline, holding no newline.
  void add(const char* text, std::size_t len) {
    // Room for the line in its longest form and its newline.
    const std::size_t room = (utf8_ ? kUtf8PerSjisByte * len : len) + 1;
    make_room(room);
    if (room > kSize - used_) {
      // Longer than a batch: on its own.
      report_.put_line(text, len);
      return;
    }
    if (utf8_) {
      used_ += sjis2utf8(text, len, text_ + used_);
    } else {
      copy_short(text_ + used_, text, static_cast<int>(len));
      used_ += len;
    }
    text_[used_++] = '\n';
    lines_ += 1;
  }

  // A line already in the report's encoding (printable ASCII is in both),
  // without its newline, holding no newline.
  void add_encoded(const char* text, std::size_t len) {
    make_room(len + 1);
    if (len + 1 > kSize - used_) {
      report_.put_encoded_line(text, len);
      return;
    }
    copy_short(text_ + used_, text, static_cast<int>(len));
    used_ += len;
    text_[used_++] = '\n';
    lines_ += 1;
  }

  // Room for a line of up to max bytes (max < kSize) already in the
  // report's encoding, to be written in place and ended by end_line.
  char* line_space(std::size_t max) {
    make_room(max + 1);
    return text_ + used_;
  }
  // The line written in line_space holds len bytes, no newline among them.
  void end_line(std::size_t len) {
    used_ += len;
    text_[used_++] = '\n';
    lines_ += 1;
  }
  bool utf8() const { return utf8_; }

  // Writes the lines gathered to the report.
  void flush() {
    if (lines_ == 0) return;
    // The last newline is the report's own.
    report_.put_encoded_lines(text_, used_ - 1, lines_);
    used_ = 0;
    lines_ = 0;
  }

 private:
  // Room for a line of bytes: the lines gathered go out first when the
  // batch lacks the room, or when they end the page (a heading comes before
  // the next line). The page's room is looked up with a batch's first line.
  void make_room(std::size_t bytes) {
    if (lines_ > 0 && (bytes > kSize - used_ || lines_ >= page_room_)) flush();
    if (lines_ == 0) page_room_ = report_.page_room();
  }

  Report& report_;
  const bool utf8_;
  std::size_t used_ = 0;
  long long lines_ = 0;
  long long page_room_ = 0;
  char text_[kSize];
};

}  // namespace vesk
