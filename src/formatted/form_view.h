// What the formatted dump and the comparison print with: the definitions and
// the settings that shape their lines, worked out once for a run.
#pragma once

#include <vector>

#include "common/settings.h"
#include "format/definitions.h"
#include "formatted/element_value.h"
#include "text/codec.h"

namespace vesk {

struct FormView {
  const Definitions& defs;
  const char* fmt_name = "";  // named in messages
  int line_width = 79;        // -l
  // The name and comment columns of a label: -w, lowered to the longest name
  // and comment the format file holds.
  int item_size = 15;
  int comment_size = 30;
  bool dec = false;           // -D
  CharMode char_mode = CharMode::sjis;
  // The byte order of numbers: #ENDIAN, else most significant byte first in a
  // list and least significant first in a map; -v reverses the list's.
  ByteOrder list_order = ByteOrder::msb_first;
  ByteOrder map_order = ByteOrder::lsb_first;
  // #CODE: char items are decoded in this code, as the plain dump decodes it,
  // unless an item states its own (text_codec).
  bool coded = false;
  CharMode code = CharMode::sjis;
  bool show_ctrl = false;     // -j: the bytes of JIS escape sequences shown
  bool align = false;         // -B
  bool map = false;           // -m, -M
  int map_cell = 3;           // 4 with -M
  int line_bytes = 16;        // -b: bytes a map row
  bool widen = false;         // --all: long block numbers move the map cells right

  FormView(const Settings& s, const Definitions& d);

  // The code a text item is read in: its own (char(EUC) name[20]), else
  // #CODE's, else the one the run's letter picks (Shift_JIS by default).
  const Codec& text_codec(const ItemInf& item) const;

  // Whether structure record rec holds a simple item, in itself or in any
  // structure within. A walk passes over a structure without one at once,
  // however often it repeats: it takes no bytes and shows nothing.
  bool has_content(int rec) const { return content_[static_cast<std::size_t>(rec)] != 0; }

 private:
  std::vector<char> content_;  // by record: 1 when the record holds a simple item
};


}  // namespace vesk
