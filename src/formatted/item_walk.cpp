#include "formatted/item_walk.h"

#include "common/line_buffer.h"
#include "common/messages.h"
#include "format/definitions.h"
#include "formatted/element_value.h"
#include "main/settings.h"

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

bool is_simple_type(char t) { return t == 'c' || t == 'x' || is_numeric_type(t); }

int last_member(const ItemInf& r) { return r.last < defs.item_cnt ? r.last : defs.item_cnt - 1; }

int illegal_type() {
  def_error("illegal data type found", 0);
  return -1;
}

int walk(int rec, int size, int pos, const WalkRules& rules, ItemVisitor& v, int depth) {
  // Each level is a distinct record, so a deeper walk can only be a loop.
  if (depth > MAX_ITEMS) return illegal_type();
  const ItemInf& r = defs.item_inf[rec];
  int first = r.first < 0 ? 0 : r.first;
  int last = last_member(r);
  // An empty structure only aligns: once is as good as count times.
  int reps = first > last && r.count > 1 ? 1 : r.count;
  for (int rep = 0; rep < reps; ++rep) {
    int j = first;
    while (j <= last) {
      const ItemInf& m = defs.item_inf[j];
      if (rules.eod_at_member_start && pos >= size) {
        v.data_ended(j, pos);
        return -1;
      }
      if (m.type == T_NESTED || m.type == T_REF) {
        pos = align_position(pos, m.length);
        pos = walk(j, size, pos, rules, v, depth + 1);
        if (pos == -1) return -1;
        // A nested structure's members follow it; a structure item shares them.
        j = (m.type == T_NESTED && m.last > j) ? m.last + 1 : j + 1;
        continue;
      }
      if (!is_simple_type(m.type)) return illegal_type();

      int n = element_size(j);
      pos = align_position(pos, type_alignment(m.type));
      if (m.display == 0 && rules.skip_hidden) {
        pos = advance(pos, static_cast<long long>(n) * m.count, size);
        ++j;
        continue;
      }
      v.member_begin(j, pos);
      bool ended = false;
      int rest = 0;
      bool chars = m.type == T_CHAR || m.type == T_HEX;
      for (int k = 0; k < m.count; ++k) {
        if (chars) {
          int len = n;
          if (pos + len > size) {
            len = size > pos ? size - pos : 0;
            ended = true;
          }
          v.element(ElementRef{j, k, pos, len, ended});
          pos = advance(pos, len, size);
          if (ended) break;
        } else {
          if (pos + n > size) {
            rest = size - pos;
            ended = true;
            break;
          }
          v.element(ElementRef{j, k, pos, n, false});
          pos += n;
        }
      }
      v.member_end(j, pos, ended, rest);
      if (ended) return -1;
      ++j;
    }
    pos = align_position(pos, r.length);
  }
  return pos;
}

}  // namespace

int element_size(int item) {
  const ItemInf& m = defs.item_inf[item];
  if (m.type == T_CHAR || m.type == T_HEX) return m.length > 0 ? m.length : 0;
  return numeric_size(m.type);
}

int type_alignment(char type) {
  switch (type) {
    case 's': case 'S': return align_short;
    case 'i': case 'I': case 'l': case 'L': return align_long;
    case 'f': return align_float;
    case 'd': return align_double;
    case 'p': return align_ptr;
    case 'P': return 4;
    default: return 0;
  }
}

int align_position(int pos, int a) {
  if (settings.align_mode == 0 || a <= 0 || pos % a == 0) return pos;
  return pos + a - pos % a;
}

int walk_struct(int rec, int size, int pos, const WalkRules& rules, ItemVisitor& visitor) {
  if (rec < 0 || rec >= defs.item_cnt) return illegal_type();
  return walk(rec, size, pos, rules, visitor, 0);
}

}  // namespace vesk
