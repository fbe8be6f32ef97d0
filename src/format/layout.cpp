#include "format/layout.h"

#include <cstring>
#include <vector>

#include "format/item_types.h"

namespace vesk {

namespace {

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

// Offsets past this lie in a layout the reader refuses (a block holds 4096
// bytes at most); they are only kept from wrapping.
constexpr long long kMaxOffset = 1 << 30;

long long sat_add(long long a, long long b) {
  long long s = a + b;  // both at most kLayoutCap: no overflow
  return s > kLayoutCap ? kLayoutCap : s;
}

long long sat_mul(long long a, long long b) {
  if (a <= 0 || b <= 0) return 0;
  return a > kLayoutCap / b ? kLayoutCap : a * b;
}

// One layout call. A structure range (first to last member) is walked once:
// templates used many times, nested in each other, would otherwise be walked
// a number of times that grows exponentially with their depth.
class Layout {
 public:
  explicit Layout(const FormatContext& ctx) : ctx_(ctx), defs_(ctx.defs) {}

  int align_of(int r) {
    ItemInf& it = defs_.item_inf[r];
    int a = range_align(range_of(it), 0);
    if (failed_) return -1;
    it.length = static_cast<int16_t>(a);
    return a;
  }

  long long size_of(int r, long long base) {
    long long size = record_size(r, base, 0);
    return failed_ ? -1 : size;
  }

 private:
  struct Memo {
    bool known = false;
    int last = 0;
    long long value = 0;
  };

  const Memo* memo_for(const std::vector<Memo>& table, Range range) const {
    if (range.first >= MAX_ITEMS || range.last < range.first) return nullptr;
    const Memo& m = table[static_cast<std::size_t>(range.first)];
    return m.known && m.last == range.last ? &m : nullptr;
  }

  void remember(std::vector<Memo>& table, Range range, long long value) {
    if (range.first >= MAX_ITEMS || range.last < range.first) return;
    table[static_cast<std::size_t>(range.first)] = {true, range.last, value};
  }

  // An unknown code in a record: reported once, and the layout fails.
  int fail(char code, int item_no) {
    if (!failed_) {
      errmsg("program error: type:%c, item_no:%d\n", code, item_no);
      quote_item(item_no, 0, "no item type: a letter of the type table");
    }
    failed_ = true;
    return 1;
  }

  // The line that declared item m, the caret at column (or under its name).
  void quote_item(int m, int column, const char* note) const {
    const ItemSource& src = defs_.item_source[m];
    if (src.text == nullptr) return;
    quote_source(SourceLine{src.text, src.length, src.line}, column < 0 ? src.name_at : column, note,
                 ctx_.options.utf8_messages);
  }

  long long pad(long long o, int a) const {
    if (!ctx_.options.align || a <= 0 || o % a == 0) return o;
    return o + (a - o % a);
  }

  // The alignment a member counts for its enclosing structure.
  int member_align(int m, int depth) {
    ItemInf& it = defs_.item_inf[m];
    const ItemType* t = item_type(it.type);
    if (t == nullptr || it.type == T_FORMAT || it.type == T_TEMPLATE) return fail(it.type, m);
    if (t->form != ValueForm::structure) return t->struct_align;
    int a = range_align(range_of(it), depth + 1);
    it.length = static_cast<int16_t>(a);
    return a;
  }

  // Every record of the range counts, the members of nested structures included.
  int range_align(Range range, int depth) {
    if (depth > kMaxDepth) return 1;
    if (const Memo* known = memo_for(align_memo_, range)) return static_cast<int>(known->value);
    int a = 1;
    for (int m = range.first; m <= range.last && !failed_; ++m) {
      int ma = member_align(m, depth);
      if (ma > a) a = ma;
    }
    remember(align_memo_, range, a);
    return a;
  }

  // The comparison's id item: only one simple item may bear the name, and it
  // must not be an array.
  void check_block_id(ItemInf& it, long long pos) {
    const char* id = ctx_.options.block_id;
    if (id == nullptr || it.name == nullptr || std::strcmp(it.name, id) != 0) {
      it.first = 0;
      return;
    }
    const int m = static_cast<int>(&it - defs_.item_inf);
    if (defs_.block_id_pos != -1) {
      def_error(ctx_.options.name, "no unique block_id.", 0);
      quote_item(m, -1, "a second item of the id's name (an item of a template counts at each use)");
      failed_ = true;
      return;
    }
    if (it.count != 1) {
      def_error(ctx_.options.name, "block id. is array data", 0);
      quote_item(m, -1, "the id is one value: no array");
      failed_ = true;
      return;
    }
    // A position past 32767 lies in a block far above 4096 bytes, which the
    // reader refuses next; it is only kept from wrapping.
    defs_.block_id_pos = static_cast<int16_t>(pos > 32767 ? 32767 : pos);
    defs_.block_id_len = it.length;
    it.first = kBlockIdMark;
  }

  // The size of the members of a range, laid out one after the other from
  // offset 0, before the final padding.
  long long range_size(Range range, long long base, int depth) {
    if (depth > kMaxDepth) return 0;
    if (const Memo* known = memo_for(size_memo_, range)) return known->value;
    int id_before = defs_.block_id_pos;
    long long o = 0;
    int m = range.first;
    while (m <= range.last && !failed_) {
      ItemInf& it = defs_.item_inf[m];
      const ItemType* t = item_type(it.type);
      if (t == nullptr || it.type == T_FORMAT || it.type == T_TEMPLATE) {
        fail(it.type, m);
        break;
      }
      if (t->form == ValueForm::structure) {
        o = pad(o, it.length);
        it.offset = static_cast<int32_t>(o > kMaxOffset ? kMaxOffset : o);
        o = sat_add(o, record_size(m, sat_add(base, o), depth + 1));
        m = next_member(it, m);
        continue;
      }
      long long count = it.count > 0 ? it.count : 0;
      int size = has_item_length(it.type) ? (it.length > 0 ? it.length : 0) : t->size;
      o = pad(o, t->pad_align);
      it.offset = static_cast<int32_t>(o > kMaxOffset ? kMaxOffset : o);
      if (!has_item_length(it.type)) it.length = static_cast<int16_t>(size);
      if (ctx_.options.block_id != nullptr) check_block_id(it, sat_add(base, o));
      o = sat_add(o, sat_mul(count, size));
      ++m;
    }
    // A range holding the id item is walked again at each use, so that a
    // second use is reported as not unique.
    if (defs_.block_id_pos == id_before) remember(size_memo_, range, o);
    return o;
  }

  long long record_size(int r, long long base, int depth) {
    ItemInf& it = defs_.item_inf[r];
    long long o = pad(range_size(range_of(it), base, depth), it.length);
    it.instance = static_cast<int32_t>(o > kMaxOffset ? kMaxOffset : o);
    return sat_mul(o, it.count);
  }

  const FormatContext& ctx_;
  Definitions& defs_;
  std::vector<Memo> align_memo_ = std::vector<Memo>(MAX_ITEMS);
  std::vector<Memo> size_memo_ = std::vector<Memo>(MAX_ITEMS);
  bool failed_ = false;
};

}  // namespace

int struct_align(const FormatContext& ctx, int r) { return Layout(ctx).align_of(r); }

long long layout_struct(const FormatContext& ctx, int r, long long base) { return Layout(ctx).size_of(r, base); }

}  // namespace vesk
