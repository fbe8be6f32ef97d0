#include "formatted/item_walk.h"

#include "common/messages.h"
#include "common/settings.h"
#include "format/item_types.h"

namespace vesk {

namespace {

// Positions past the end of the data all behave alike; keeping them below
// this ceiling (a multiple of 8, so alignment keeps it) rules out overflow
// from large counts of items that are passed over.
int ceiling(int size) { return (size / 8 + 1) * 8 + 2 * kMaxBlockSize; }

int advance(int pos, long long bytes, int size) {
  long long p = pos + bytes;
  return p > ceiling(size) ? ceiling(size) : static_cast<int>(p);
}

class Walker {
 public:
  Walker(const FormView& view, int size, const WalkRules& rules, ItemVisitor& v)
      : view_(view), defs_(view.defs), size_(size), rules_(rules), v_(v) {}

  int walk(int rec, int pos, int depth);

 private:
  int illegal_type() {
    v_.illegal_type(view_);
    return -1;
  }
  int last_member(const ItemInf& r) const { return r.last < defs_.item_cnt ? r.last : defs_.item_cnt - 1; }
  // A simple member at pos: its elements, or (hidden in a list) its bytes
  // passed over.
  int member(int j, int pos);

  const FormView& view_;
  const Definitions& defs_;
  const int size_;
  const WalkRules& rules_;
  ItemVisitor& v_;
};

// The members lie where the layout placed them: instance rep of structure
// rec starts rep times its instance size after pos, each member at its
// offset in the instance.
int Walker::walk(int rec, int pos, int depth) {
  // Each level is a distinct record, so a deeper walk can only be a loop.
  if (depth > MAX_ITEMS) return illegal_type();
  const ItemInf& r = defs_.item_inf[rec];
  // A structure without a simple item, however deep, takes no bytes and
  // shows nothing: walking its members count times over would cost as much
  // as the product of all their counts.
  if (!view_.has_content(rec)) return advance(pos, static_cast<long long>(r.instance) * r.count, size_);
  int first = r.first < 0 ? 0 : r.first;
  int last = last_member(r);
  v_.structure_begin(rec);
  for (int rep = 0; rep < r.count; ++rep) {
    const int base = advance(pos, static_cast<long long>(r.instance) * rep, size_);
    v_.instance_begin(rec, rep);
    for (int j = first; j <= last; j = next_member(defs_.item_inf[j], j)) {
      const ItemInf& m = defs_.item_inf[j];
      const int at = advance(base, m.offset, size_);
      if (rules_.eod_at_member_start && at >= size_) {
        v_.data_ended(j, at);
        return -1;
      }
      if (m.type == T_NESTED || m.type == T_REF) {
        if (walk(j, at, depth + 1) == -1) return -1;
        continue;
      }
      if (!is_simple_code(m.type)) return illegal_type();
      if (member(j, at) == -1) return -1;
    }
    v_.instance_end(rec);
  }
  v_.structure_end(rec);
  return advance(pos, static_cast<long long>(r.instance) * r.count, size_);
}

int Walker::member(int j, int pos) {
  const ItemInf& m = defs_.item_inf[j];
  int n = element_size(m);
  if (m.display == 0 && rules_.skip_hidden) {
    v_.hidden_member(j, pos);
    return advance(pos, static_cast<long long>(n) * m.count, size_);
  }
  v_.member_begin(j, pos);
  bool ended = false;
  int rest = 0;
  const bool chars = is_text_code(m.type);
  const ValueForm form = item_type(m.type)->form;
  const bool through = rules_.through_end;
  for (int k = 0; k < m.count; ++k) {
    if (chars) {
      int len = n;
      if (pos + len > size_) {
        len = size_ > pos ? size_ - pos : 0;
        ended = true;
      }
      v_.element(ElementRef{j, k, pos, len, ended, form});
      pos = advance(pos, through ? n : len, size_);
      if ((ended && !through) || v_.stopped) break;
    } else {
      if (pos + n > size_) {
        ended = true;
        if (!through) {
          rest = size_ - pos;
          break;
        }
        v_.element(ElementRef{j, k, pos, size_ > pos ? size_ - pos : 0, true, form});
        pos = advance(pos, n, size_);
        if (v_.stopped) break;
        continue;
      }
      v_.element(ElementRef{j, k, pos, n, false, form});
      pos += n;
      if (v_.stopped) break;
    }
  }
  if (v_.stopped) return -1;
  // Past the end of the data, a walk through it goes on.
  if (through) ended = false;
  v_.member_end(j, pos, ended, rest);
  return ended ? -1 : pos;
}

}  // namespace

void ItemVisitor::illegal_type(const FormView& view) { def_error(view.fmt_name, "illegal data type found", 0); }

int element_size(const ItemInf& m) {
  if (has_item_length(m.type)) return m.length > 0 ? m.length : 0;
  return numeric_size(m.type);
}

int walk_struct(const FormView& view, int rec, int size, int pos, const WalkRules& rules, ItemVisitor& visitor) {
  if (rec < 0 || rec >= view.defs.item_cnt) {
    visitor.illegal_type(view);
    return -1;
  }
  return Walker(view, size, rules, visitor).walk(rec, pos, 0);
}

}  // namespace vesk
