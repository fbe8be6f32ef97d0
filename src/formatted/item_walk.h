// The walk over a structure record of item_inf: where each item lies in a
// block, from the offsets the layout worked out. Repetitions, members in
// table order, nested structures and items of structure type and the end of
// the data are handled here, once; what is done with each element is left
// to an ItemVisitor.
#pragma once

#include "format/item_types.h"
#include "formatted/form_view.h"

namespace vesk {

// How a form treats the end of the data and items marked "no display".
struct WalkRules {
  // A member that starts at or past the end of the data stops the walk
  // (ItemVisitor::data_ended) — the list forms. Otherwise each element tests
  // for itself — the map form.
  bool eod_at_member_start;
  // Members marked "no display" are passed over whole (after their
  // alignment), without visiting or testing their elements.
  bool skip_hidden;
  // Every element is visited, to the end of the structure, also those that
  // the end of the data cuts or leaves out (ElementRef::cut) — the records,
  // whose every block has the same items. Not with eod_at_member_start.
  bool through_end = false;
};

// One element of a simple member, ready to be shown.
struct ElementRef {
  int item;   // the member's record in item_inf
  int index;  // element number, 0 .. count - 1
  int pos;    // in-block position of its first byte
  int len;    // its bytes: the element size, or what the data holds of an element it cuts (0 or more)
  // The end of the data cut the element short: a 'c'/'x' one (the member's
  // last), or with through_end any element, also one wholly past the end.
  bool cut;
  ValueForm form;  // how the member's type is shown
};

class ItemVisitor {
 public:
  virtual ~ItemVisitor() = default;
  // Set by a visitor that met a condition that ends the run: the walk stops.
  bool stopped = false;
  // With eod_at_member_start: the data ended before the member item.
  virtual void data_ended(int item, int pos) { (void)item; (void)pos; }
  // A member has a type code that is no type: the walk stops. Reports
  // "illegal data type found" against the format file.
  virtual void illegal_type(const FormView& view);
  // The walk of a structure record begins (the record walk_struct was given,
  // a nested structure, an item of structure type): its instances follow, one
  // after the other, each between instance_begin and instance_end. A walk
  // that stops early ends none of them.
  virtual void structure_begin(int item) { (void)item; }
  virtual void instance_begin(int item, int index) { (void)item; (void)index; }
  virtual void instance_end(int item) { (void)item; }
  virtual void structure_end(int item) { (void)item; }
  // A simple member starts (after its alignment).
  virtual void member_begin(int item, int pos) { (void)item; (void)pos; }
  // With skip_hidden: a member marked "no display" that the walk passes over,
  // at its position after its alignment.
  virtual void hidden_member(int item, int pos) { (void)item; (void)pos; }
  // One element that lies inside the data ('c' and 'x' ones possibly cut).
  virtual void element(const ElementRef& e) = 0;
  // The member is done. data_end: the data ended inside it, and then rest is
  // the number of bytes left of a numeric element that did not fit (0 for
  // 'c' and 'x'; may be 0 or negative). pos is where the walk stopped.
  virtual void member_end(int item, int pos, bool data_end, int rest) {
    (void)item; (void)pos; (void)data_end; (void)rest;
  }
};

// Walks structure record rec over a block of size bytes from in-block
// position pos. Returns the position after the structure (after its
// repetitions and final alignment), or -1 when it stopped: the data ended
// (after the visitor's data_ended or member_end), a member has an unknown
// type code ("illegal data type found" has then been reported), or the
// visitor stopped it.
int walk_struct(const FormView& view, int rec, int size, int pos, const WalkRules& rules, ItemVisitor& visitor);

// Bytes of one element of a simple item: its length for 'c', 'x' and the
// decimals, the type's size for the other numeric codes, 0 for any other code.
int element_size(const ItemInf& item);

}  // namespace vesk
