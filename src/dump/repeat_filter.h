// The repeated-line rule of the plain dump. A line whose compared columns
// equal those of the last kept line of the same block is suppressed; the
// first line kept after suppressed ones is preceded by one marker line, and
// so is the end of the dump when it comes during suppression.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>

namespace vesk {

// The line that stands for suppressed repeats.
inline constexpr const char* kSameMarker = "      ....";

class RepeatFilter {
 public:
  // room: the most bytes a line's compared part holds. enabled: false with
  // -L, when every line is kept.
  RepeatFilter(int room, bool enabled) : kept_(new char[room > 0 ? room : 1]), enabled_(enabled) {}

  enum class Verdict {
    suppress,           // a repeat: not written
    keep,               // written
    keep_after_marker,  // written after the marker line
  };
  // The verdict on the line whose compared part is the n bytes at columns
  // (at most room); a kept line becomes the one the next lines are compared
  // with. Every line of a dump passes here: kept inline.
  [[gnu::always_inline]] Verdict take(const char* columns, int n, long long block) {
    const auto w = static_cast<std::size_t>(n);
    if (enabled_ && has_kept_ && block == kept_block_ && kept_len_ == n && same(columns, kept_.get(), w)) {
      suppressing_ = true;
      return Verdict::suppress;
    }
    copy(kept_.get(), columns, w);
    kept_len_ = n;
    kept_block_ = block;
    has_kept_ = true;
    Verdict v = suppressing_ ? Verdict::keep_after_marker : Verdict::keep;
    suppressing_ = false;
    return v;
  }

  // Whether lines are compared at all (false with -L).
  bool enabled() const { return enabled_; }
  // A line that follows a kept line of the same block and differs from it:
  // kept with no verdict asked for (none can be a marker), and the one the
  // next lines are compared with.
  void keep_next(const char* columns, int n) {
    copy(kept_.get(), columns, static_cast<std::size_t>(n));
    kept_len_ = n;
  }

  // Lines are being suppressed and no marker has been written for them.
  bool marker_pending() const { return suppressing_; }

 private:
  // memcmp(a, b, n) == 0, eight bytes at a time: the parts compared are a
  // few dozen bytes, for which a call costs more than the comparison.
  static bool same(const char* a, const char* b, std::size_t n) {
    if (n == 16) {
      std::uint64_t x[2], y[2];
      std::memcpy(x, a, 16);
      std::memcpy(y, b, 16);
      return ((x[0] ^ y[0]) | (x[1] ^ y[1])) == 0;
    }
    std::size_t i = 0;
    for (; i + 16 <= n; i += 16) {
      std::uint64_t x[2], y[2];
      std::memcpy(x, a + i, 16);
      std::memcpy(y, b + i, 16);
      if (((x[0] ^ y[0]) | (x[1] ^ y[1])) != 0) return false;
    }
    for (; i + 8 <= n; i += 8) {
      std::uint64_t x, y;
      std::memcpy(&x, a + i, 8);
      std::memcpy(&y, b + i, 8);
      if (x != y) return false;
    }
    for (; i < n; ++i)
      if (a[i] != b[i]) return false;
    return true;
  }

  // memcpy(to, from, n) eight bytes at a time (kept_ has room for a whole
  // word past n).
  static void copy(char* to, const char* from, std::size_t n) {
    if (n == 16) {
      std::memcpy(to, from, 16);
      return;
    }
    std::size_t i = 0;
    for (; i + 16 <= n; i += 16) std::memcpy(to + i, from + i, 16);
    for (; i + 8 <= n; i += 8) std::memcpy(to + i, from + i, 8);
    for (; i < n; ++i) to[i] = from[i];
  }

  std::unique_ptr<char[]> kept_;  // the compared part of the last kept line
  int kept_len_ = 0;
  bool enabled_;
  long long kept_block_ = 0;
  bool has_kept_ = false;  // the first line is never a repeat
  bool suppressing_ = false;
};

}  // namespace vesk
