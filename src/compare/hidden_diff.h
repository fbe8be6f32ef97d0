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

// Where the hidden bytes that differ are told, in walk order.
class HiddenListener {
 public:
  virtual ~HiddenListener() = default;
  // A run of padding, len bytes from pos, differs.
  virtual void padding(int pos, int len) = 0;
  // Element k of a hidden item, at pos, differs.
  virtual void hidden(int item, int k, int pos) = 0;
};

// The listing's lines of them.
class HiddenLines : public HiddenListener {
 public:
  explicit HiddenLines(FormPrinter& p) : p_(p) {}
  void padding(int pos, int len) override;
  void hidden(int item, int k, int pos) override;

 private:
  FormPrinter& p_;
};

class HiddenDifferences {
 public:
  HiddenDifferences(HiddenListener& listener, const FormView& view, const unsigned char* block1,
                    const unsigned char* block2, int size)
      : listener_(listener), view_(view), block1_(block1), block2_(block2), size_(size) {}

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

  HiddenListener& listener_;
  const FormView& view_;
  const unsigned char* block1_;
  const unsigned char* block2_;
  int size_;
  int covered_ = 0;  // every byte before this has been looked at
  bool found_ = false;
};

}  // namespace vesk
