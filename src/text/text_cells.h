// The cells of a run of bytes read on its own, such as one element of a text
// item: decoded from its first byte in the code's first state (JIS: ASCII),
// nothing read past its end, so a character it cuts is no character.
#pragma once

#include "text/codec.h"

namespace vesk {

class TextCells {
 public:
  TextCells(const Codec& codec, bool show_escapes, const unsigned char* data, int n)
      : decode_(codec.decode), data_(data), n_(n) {
    state_.show_escapes = show_escapes;
  }

  // The next cell; false after the last.
  bool next(Cell& c) {
    if (at_ >= n_) return false;
    c = decode_(state_, data_ + at_, n_ - at_);
    at_ += c.len;
    return true;
  }

 private:
  DecodeFn decode_;
  DecoderState state_;
  const unsigned char* data_;
  int n_;
  int at_ = 0;
};

}  // namespace vesk
