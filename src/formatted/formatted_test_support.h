// Helpers for the unit tests of the formatted dump: definition tables filled
// by hand, default settings, and the report captured.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "common/line_buffer.h"
#include "format/definitions.h"
#include "main/settings.h"
#include "output/report.h"
#include "output/writer.h"

namespace vesk::formatted_test {

// Empty tables and the settings of a plain "-f" run.
inline void reset() {
  defs = Definitions{};
  settings = Settings{};
  settings.run_mode = 2;
  settings.fmt_name = "t.fmt";
  page = PageState{};
  list_line.fill_blanks();
}

// Adds a simple item; returns its index.
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
inline void close_struct(int rec) { defs.item_inf[rec].last = static_cast<int16_t>(defs.item_cnt - 1); }

// An item of structure type sharing the members of structure rec.
inline int ref_item(int rec, int count = 1, const char* name = "") {
  int i = item('R', defs.item_inf[rec].length, count, name, "");
  defs.item_inf[i].first = defs.item_inf[rec].first;
  defs.item_inf[i].last = defs.item_inf[rec].last;
  return i;
}

// Runs f with standard output captured; returns what it wrote.
template <class F>
std::string capture(F f) {
  out_flush();
  testing::internal::CaptureStdout();
  f();
  out_flush();
  return testing::internal::GetCapturedStdout();
}

}  // namespace vesk::formatted_test
