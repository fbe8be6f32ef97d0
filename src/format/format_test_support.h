// Helpers for the unit tests of the format reader: a clean set of tables and
// a format file written from a text.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

#include "format/definitions.h"
#include "format/format_reader.h"
#include "main/settings.h"

namespace vesk::format_test {

// Texts from getmem live for the whole run; the tests keep them reachable
// when they empty the tables, as the program never does.
inline void keep(const void* p) {
  static std::vector<const void*>* kept = new std::vector<const void*>;
  if (p != nullptr) kept->push_back(p);
}

// Keeps every text the tables point to.
inline void keep_tables() {
  for (const ItemInf& it : defs.item_inf) {
    keep(it.tag);
    keep(it.name);
    keep(it.comment);
  }
  for (const BlnoInf& b : defs.blno_inf) keep(b.comment);
  for (const RenInf& r : defs.ren_inf) keep(r.name);
  for (const DefInf& d : defs.def_inf) keep(d.name);
}

// Empty tables, no letter B, formatted mode, messages named "t.fmt".
inline void reset_tables() {
  keep_tables();
  defs = Definitions{};
  settings.align_mode = 0;
  settings.run_mode = 2;
  settings.block_id = nullptr;
  settings.fmt_name = "t.fmt";
}

// Writes text to a temporary file and reads it as a format file. The
// messages written on the way are returned in *errors.
inline int load(const std::string& text, std::string* errors = nullptr) {
  char path[] = "/tmp/vesk-format-XXXXXX";
  int fd = mkstemp(path);
  EXPECT_GE(fd, 0);
  std::FILE* fp = fdopen(fd, "wb");
  std::fwrite(text.data(), 1, text.size(), fp);
  std::fclose(fp);
  testing::internal::CaptureStderr();
  int rc = read_format(path);
  std::string err = testing::internal::GetCapturedStderr();
  if (errors) *errors = err;
  std::remove(path);
  return rc;
}

inline std::string str(const char* s) { return s ? s : "(null)"; }

}  // namespace vesk::format_test
