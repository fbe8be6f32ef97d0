#include "dump/repeat_filter.h"

#include <cstring>

namespace vesk {

RepeatFilter::RepeatFilter(int width, bool text_compare, bool enabled)
    : kept_(new char[width > 0 ? width : 1]()), width_(width > 0 ? width : 0), text_compare_(text_compare),
      enabled_(enabled) {}

}  // namespace vesk
