#include "dump/repeat_filter.h"

#include <cstring>

namespace vesk {

RepeatFilter::RepeatFilter(int width, bool text_compare, bool enabled)
    : kept_(new char[width > 0 ? width : 1]()), width_(width > 0 ? width : 0), text_compare_(text_compare),
      enabled_(enabled) {}

RepeatFilter::Verdict RepeatFilter::take(const char* columns, long long block) {
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

}  // namespace vesk
