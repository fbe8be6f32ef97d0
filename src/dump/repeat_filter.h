// The repeated-line rule of the plain dump. A line whose compared columns
// equal those of the last kept line of the same block is suppressed; the
// first line kept after suppressed ones is preceded by one marker line, and
// so is the end of the dump when it comes during suppression.
#pragma once

#include <cstring>
#include <string>

namespace vesk {

// The line that stands for suppressed repeats.
inline constexpr const char* kSameMarker = "      ....";

class RepeatFilter {
 public:
  // room: the most bytes a line's compared part holds. enabled: false with
  // -L, when every line is kept.
  RepeatFilter(int room, bool enabled) : enabled_(enabled) { kept_.reserve(static_cast<std::size_t>(room)); }

  enum class Verdict {
    suppress,           // a repeat: not written
    keep,               // written
    keep_after_marker,  // written after the marker line
  };
  // The verdict on the line whose compared part is the n bytes at columns; a
  // kept line becomes the one the next lines are compared with.
  // Every line of a dump passes here: kept inline.
  Verdict take(const char* columns, int n, long long block) {
    const auto w = static_cast<std::size_t>(n);
    if (enabled_ && has_kept_ && block == kept_block_ && kept_.size() == w &&
        std::memcmp(columns, kept_.data(), w) == 0) {
      suppressing_ = true;
      return Verdict::suppress;
    }
    kept_.assign(columns, w);
    kept_block_ = block;
    has_kept_ = true;
    Verdict v = suppressing_ ? Verdict::keep_after_marker : Verdict::keep;
    suppressing_ = false;
    return v;
  }

  // Lines are being suppressed and no marker has been written for them.
  bool marker_pending() const { return suppressing_; }

 private:
  std::string kept_;  // the compared part of the last kept line
  bool enabled_;
  long long kept_block_ = 0;
  bool has_kept_ = false;  // the first line is never a repeat
  bool suppressing_ = false;
};

}  // namespace vesk
