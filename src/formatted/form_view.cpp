#include "formatted/form_view.h"

#include "format/item_types.h"

namespace vesk {

namespace {

// Works out which structure records hold a simple item. Each range of
// members (first to last) is looked at once, so templates that hold copies of
// each other cost no more than the table's size.
class ContentFinder {
 public:
  explicit ContentFinder(const Definitions& d) : defs_(d), range_state_(MAX_ITEMS, kUnknown) {}

  std::vector<char> find() {
    std::vector<char> content(MAX_ITEMS, 0);
    for (int i = 0; i < defs_.item_cnt; ++i)
      if (is_struct_code(defs_.item_inf[i].type)) content[static_cast<std::size_t>(i)] = holds_items(i) ? 1 : 0;
    return content;
  }

 private:
  enum State : char { kUnknown, kLooking, kNo, kYes };

  int last_member(const ItemInf& r) const { return r.last < defs_.item_cnt ? r.last : defs_.item_cnt - 1; }

  bool holds_items(int rec) {
    const ItemInf& r = defs_.item_inf[rec];
    int first = r.first < 0 ? 0 : r.first;
    int last = last_member(r);
    if (first > last || first >= MAX_ITEMS) return false;
    char& state = range_state_[static_cast<std::size_t>(first)];
    // A range met again while it is being looked at is a loop in a damaged
    // table: it counts, so that the walk reaches it and refuses it.
    if (state == kLooking) return true;
    if (state != kUnknown) return state == kYes;
    state = kLooking;
    bool found = false;
    for (int j = first; j <= last && !found;) {
      const ItemInf& m = defs_.item_inf[j];
      if (m.type == T_NESTED || m.type == T_REF) {
        found = holds_items(j);
        j = next_member(m, j);
      } else {
        // Any other code counts: an unknown one must reach the walk's message.
        found = true;
      }
    }
    state = found ? kYes : kNo;
    return found;
  }

  const Definitions& defs_;
  std::vector<char> range_state_;  // by the range's first member
};

ByteOrder list_byte_order(const Settings& s, const Definitions& d) {
  ByteOrder stated = d.endian == Endian::little ? ByteOrder::lsb_first : ByteOrder::msb_first;
  if (!s.byte_swap) return stated;
  return stated == ByteOrder::msb_first ? ByteOrder::lsb_first : ByteOrder::msb_first;
}

}  // namespace

FormView::FormView(const Settings& s, const Definitions& d)
    : defs(d),
      fmt_name(s.fmt_name ? s.fmt_name : ""),
      line_width(s.line_width),
      item_size(s.item_size < d.item_mlen ? s.item_size : d.item_mlen),
      comment_size(s.comment_size < d.comment_mlen ? s.comment_size : d.comment_mlen),
      dec(s.dec_mode),
      char_mode(s.char_mode),
      list_order(list_byte_order(s, d)),
      map_order(d.endian == Endian::big ? ByteOrder::msb_first : ByteOrder::lsb_first),
      coded(d.code_stated),
      code(d.code),
      show_ctrl(s.show_ctrl),
      align(s.align_mode),
      map(s.map_disp),
      map_cell(s.map_cell),
      line_bytes(s.line_bytes),
      widen(s.all_blocks),
      content_(ContentFinder(d).find()) {}

const Codec& FormView::text_codec(const ItemInf& item) const {
  if (item.code_stated) return codec_of(item.code);
  return codec_of(coded ? code : char_mode);
}

}  // namespace vesk
