#include "formatted/form_view.h"

namespace vesk {

FormView::FormView(const Settings& s, const Definitions& d)
    : defs(d),
      fmt_name(s.fmt_name ? s.fmt_name : ""),
      line_width(s.line_width),
      item_size(s.item_size < d.item_mlen ? s.item_size : d.item_mlen),
      comment_size(s.comment_size < d.comment_mlen ? s.comment_size : d.comment_mlen),
      dec(s.dec_mode),
      char_mode(s.char_mode),
      list_order(s.byte_swap ? ByteOrder::lsb_first : ByteOrder::msb_first),
      align(s.align_mode),
      map(s.map_disp),
      map_cell(s.map_cell),
      line_bytes(s.line_bytes) {}

}  // namespace vesk
