#include "format/layout.h"

#include <cstring>

#include "common/messages.h"
#include "format/definitions.h"
#include "main/settings.h"
#include "output/writer.h"

namespace vesk {

namespace {

// A structure range (first to last member) is walked once per call of
// struct_align or layout_struct: templates used many times, nested in each other, would otherwise be
// walked a number of times that grows exponentially with their depth.
struct RangeMemo {
  bool known = false;
  int last = 0;
  long long value = 0;
};
RangeMemo align_memo[MAX_ITEMS];
RangeMemo size_memo[MAX_ITEMS];

// Member ranges come from the reader and always lie inside the table; the guard
// only keeps a damaged record from walking past it or recursing without end.
constexpr int kMaxDepth = 2 * MAX_ITEMS;

struct Range {
  int first;
  int last;
};

Range range_of(const ItemInf& r) {
  int first = r.first < 0 ? 0 : r.first;
  int last = r.last >= MAX_ITEMS ? MAX_ITEMS - 1 : r.last;
  return {first, last};
}

RangeMemo* memo_for(RangeMemo* table, Range range) {
  if (range.first >= MAX_ITEMS || range.last < range.first) return nullptr;
  RangeMemo& m = table[range.first];
  return m.known && m.last == range.last ? &m : nullptr;
}

void remember(RangeMemo* table, Range range, long long value) {
  if (range.first >= MAX_ITEMS || range.last < range.first) return;
  table[range.first] = {true, range.last, value};
}

[[noreturn]] void program_error(char code, int item_no) {
  errmsg("program error: type:%c, item_no:%d\n", code, item_no);
  end_process(1);
}

long long sat_add(long long a, long long b) {
  long long s = a + b;  // both at most kLayoutCap: no overflow
  return s > kLayoutCap ? kLayoutCap : s;
}

long long sat_mul(long long a, long long b) {
  if (a <= 0 || b <= 0) return 0;
  return a > kLayoutCap / b ? kLayoutCap : a * b;
}

long long pad(long long o, int a) {
  if (settings.align_mode == 0 || a <= 0 || o % a == 0) return o;
  return o + (a - o % a);
}

int range_align(Range range, int depth);

// The alignment a member counts for its enclosing structure.
int member_align(int m, int depth) {
  ItemInf& it = defs.item_inf[m];
  switch (it.type) {
    case T_CHAR: case T_HEX:
      return 1;
    case T_SHORT: case T_USHORT:
      return 2;
    case T_INT: case T_UINT: case T_LONG: case T_ULONG: case T_FLOAT: case T_FARPTR: case T_PTR:
      return 4;
    case T_DOUBLE:
      return 8;
    case T_NESTED: case T_REF: {
      int a = range_align(range_of(it), depth + 1);
      it.length = static_cast<int16_t>(a);
      return a;
    }
    default:
      program_error(it.type, m);
  }
}

// Every record of the range counts, the members of nested structures included.
int range_align(Range range, int depth) {
  if (depth > kMaxDepth) return 1;
  if (RangeMemo* known = memo_for(align_memo, range)) return static_cast<int>(known->value);
  int a = 1;
  for (int m = range.first; m <= range.last; ++m) {
    int ma = member_align(m, depth);
    if (ma > a) a = ma;
  }
  remember(align_memo, range, a);
  return a;
}

// The comparison's id item: only one simple item may bear the name, and it
// must not be an array.
void check_block_id(ItemInf& it, long long pos) {
  const char* id = settings.block_id;
  if (id == nullptr || it.name == nullptr || std::strcmp(it.name, id) != 0) {
    it.first = 0;
    return;
  }
  if (defs.block_id_pos != -1) {
    def_error("no unique block_id.", 0);
    end_process(1);
  }
  if (it.count != 1) {
    def_error("block id. is array data", 0);
    end_process(1);
  }
  // A position past 32767 lies in a block far above 4096 bytes, which the
  // reader refuses next; it is only kept from wrapping.
  defs.block_id_pos = static_cast<int16_t>(pos > 32767 ? 32767 : pos);
  defs.block_id_len = it.length;
  it.first = 1;
}

long long record_size(int r, long long base, int depth);

// The size of the members of a range, laid out one after the other from
// offset 0, before the final padding.
long long range_size(Range range, long long base, int depth) {
  if (depth > kMaxDepth) return 0;
  if (RangeMemo* known = memo_for(size_memo, range)) return known->value;
  int id_before = defs.block_id_pos;
  long long o = 0;
  int m = range.first;
  while (m <= range.last) {
    ItemInf& it = defs.item_inf[m];
    long long count = it.count > 0 ? it.count : 0;
    int size = 0;
    switch (it.type) {
      case T_CHAR: case T_HEX:
        size = it.length > 0 ? it.length : 0;
        break;
      case T_SHORT: case T_USHORT:
        o = pad(o, align_short);
        size = 2;
        break;
      case T_INT: case T_UINT: case T_LONG: case T_ULONG: case T_FLOAT: case T_FARPTR:
        o = pad(o, 4);
        size = 4;
        break;
      case T_DOUBLE:
        o = pad(o, align_double);
        size = 8;
        break;
      case T_PTR:
        o = pad(o, align_ptr);
        size = 4;
        break;
      case T_NESTED: case T_REF: {
        o = pad(o, it.length);
        o = sat_add(o, record_size(m, sat_add(base, o), depth + 1));
        // A nested structure's members were just walked; an R's lie elsewhere.
        int next = it.type == T_NESTED && it.last > m ? it.last + 1 : m + 1;
        m = next;
        continue;
      }
      default:
        program_error(it.type, m);
    }
    if (it.type != T_CHAR && it.type != T_HEX) it.length = static_cast<int16_t>(size);
    if (settings.run_mode == 3) check_block_id(it, sat_add(base, o));
    o = sat_add(o, sat_mul(count, size));
    ++m;
  }
  // A range holding the id item is walked again at each use, so that a second
  // use is reported as not unique.
  if (defs.block_id_pos == id_before) remember(size_memo, range, o);
  return o;
}

long long record_size(int r, long long base, int depth) {
  const ItemInf& it = defs.item_inf[r];
  long long o = pad(range_size(range_of(it), base, depth), it.length);
  return sat_mul(o, it.count);
}

void clear_memo() {
  for (auto& m : align_memo) m = RangeMemo{};
  for (auto& m : size_memo) m = RangeMemo{};
}

}  // namespace

int struct_align(int r) {
  clear_memo();
  ItemInf& it = defs.item_inf[r];
  int a = range_align(range_of(it), 0);
  it.length = static_cast<int16_t>(a);
  return a;
}

long long layout_struct(int r, long long base) {
  clear_memo();
  return record_size(r, base, 0);
}

}  // namespace vesk
