// The bytes of a pair that the difference listing shows no value of: the
// elements of items marked "no display" and the padding, the bytes that no
// item covers (alignment under -B). Every byte of a pair is compared; where
// these differ the listing says so, in walk order among the value lines:
//   " 0004: (hidden)" and the item's label, for each hidden element;
//   " 0003: (padding: 1 byte)", for each run of padding, its first position
//   and its length.
#pragma once

#include "formatted/form_printer.h"

namespace vesk {

class HiddenDifferences {
 public:
  HiddenDifferences(FormPrinter& p, const unsigned char* block1, const unsigned char* block2, int size)
      : p_(p), block1_(block1), block2_(block2), size_(size) {}

  // The walk has reached an element of len bytes at pos: the padding before
  // it is listed when it differs, and the element is covered.
  void element(int pos, int len);
  // A member marked "no display" at pos, passed over by the walk.
  void hidden_member(int item, int pos);
  // The walk is done: the padding after the last item.
  void finish() { padding_to(size_); }

  // Whether a hidden byte differs.
  bool found() const { return found_; }

 private:
  void padding_to(int pos);
  bool differ(int pos, int len) const;

  FormPrinter& p_;
  const unsigned char* block1_;
  const unsigned char* block2_;
  int size_;
  int covered_ = 0;  // every byte before this has been looked at
  bool found_ = false;
};

}  // namespace vesk
