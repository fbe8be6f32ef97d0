// The repeated-line rule of the plain dump. A line whose compared columns
// equal those of the last kept line of the same block is suppressed; the
// first line kept after suppressed ones is preceded by one marker line, and
// so is the end of the dump when it comes during suppression.
#pragma once

#include <cstring>
#include <memory>

namespace vesk {

// The line that stands for suppressed repeats.
inline constexpr const char* kSameMarker = "      ....";

class RepeatFilter {
 public:
  // width: the columns compared. text_compare: a zero byte in both lines ends
  // the comparison as equal (the characters-only dump, whose lines may close
  // early). enabled: false with -L, when every line is kept.
  RepeatFilter(int width, bool text_compare, bool enabled);

  enum class Verdict {
    suppress,           // a repeat: not written
    keep,               // written
    keep_after_marker,  // written after the marker line
  };
  // The verdict on the line whose compared columns start at columns; a kept
  // line becomes the one the next lines are compared with.
  // Every line of a dump passes here: kept inline.
  Verdict take(const char* columns, long long block) {
    const auto w = static_cast<std::size_t>(width_);
    if (enabled_ && has_kept_ && block == kept_block_ &&
        (std::memcmp(columns, kept_.get(), w) == 0 || (text_compare_ && std::strncmp(columns, kept_.get(), w) == 0))) {
      suppressing_ = true;
      return Verdict::suppress;
    }
    std::memcpy(kept_.get(), columns, w);
    kept_block_ = block;
    has_kept_ = true;
    Verdict v = suppressing_ ? Verdict::keep_after_marker : Verdict::keep;
    suppressing_ = false;
    return v;
  }

  // Lines are being suppressed and no marker has been written for them.
  bool marker_pending() const { return suppressing_; }

 private:
  std::unique_ptr<char[]> kept_;  // the compared columns of the last kept line
  int width_;
  bool text_compare_;
  bool enabled_;
  long long kept_block_ = 0;
  bool has_kept_ = false;  // the first line is never a repeat
  bool suppressing_ = false;
};

}  // namespace vesk
