// Helpers for the unit tests of the formatted dump: definition tables filled
// by hand, the settings of a "-f" run, and printing into a memory sink.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/settings.h"
#include "format/definitions.h"
#include "format/format_context.h"
#include "format/layout.h"
#include "formatted/form_printer.h"
#include "output/report.h"

namespace vesk::formatted_test {

inline Definitions defs;
inline Settings settings;

// Empty tables and the settings of a plain "-f" run.
inline void reset() {
  defs = Definitions{};
  settings = Settings{};
  settings.run_mode = RunMode::formatted;
  settings.fmt_name = "t.fmt";
}

// Adds a simple item, raising the longest name and comment as the reader
// does; returns its index.
inline int item(char type, int length, int count, const char* name = "", const char* comment = "",
                int display = 1) {
  int i = defs.item_cnt++;
  ItemInf& m = defs.item_inf[i];
  m.type = type;
  m.length = static_cast<int16_t>(length);
  m.count = static_cast<int16_t>(count);
  m.name = name;
  m.comment = comment;
  m.display = static_cast<int16_t>(display);
  int name_len = static_cast<int>(std::strlen(name)), comment_len = static_cast<int>(std::strlen(comment));
  if (name_len > defs.item_mlen) defs.item_mlen = name_len;
  if (comment_len > defs.comment_mlen) defs.comment_mlen = comment_len;
  return i;
}

// Opens a structure record (its members are the items added until close).
inline int open_struct(char type, int count = 1, int align = 1) {
  int i = defs.item_cnt++;
  ItemInf& m = defs.item_inf[i];
  m.type = type;
  m.count = static_cast<int16_t>(count);
  m.length = static_cast<int16_t>(align);
  m.first = static_cast<int16_t>(i + 1);
  m.tag = m.name = m.comment = "";
  return i;
}
// Lays out structure record rec as the reader does when it closes a data
// format, under the current -B: the offsets that the walks read.
inline void lay_out(int rec) {
  FormatOptions options;
  options.name = "t.fmt";
  options.align = settings.align_mode;
  FormatContext ctx{defs, options};
  struct_align(ctx, rec);
  layout_struct(ctx, rec, 0);
}

// Closes a structure; a data format is laid out then.
inline void close_struct(int rec) {
  defs.item_inf[rec].last = static_cast<int16_t>(defs.item_cnt - 1);
  if (defs.item_inf[rec].type == 'D') lay_out(rec);
}

// An item of structure type sharing the members of structure rec.
inline int ref_item(int rec, int count = 1, const char* name = "") {
  int i = item('R', defs.item_inf[rec].length, count, name, "");
  defs.item_inf[i].first = defs.item_inf[rec].first;
  defs.item_inf[i].last = defs.item_inf[rec].last;
  return i;
}

// A printer over the current settings and tables, writing into memory.
struct Printing {
  ReportSink sink;
  Report report{sink, settings.page_lines};
  FormView view{settings, defs};
  FormPrinter p{view, report};

  // What has been written so far.
  std::string text() {
    sink.flush();
    return sink.memory();
  }
};

// Runs f with a fresh printer; returns what it wrote.
template <class F>
std::string capture(F f) {
  Printing printing;
  f(printing.p);
  return printing.text();
}

}  // namespace vesk::formatted_test
