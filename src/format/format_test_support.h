// Helpers for the unit tests of the format reader: one set of tables for the
// tests of a file, and format text read from a string.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "format/definitions.h"
#include "format/format_context.h"
#include "format/format_reader.h"

namespace vesk::format_test {

inline Definitions defs;
// No letter B, no comparison, messages named "t.fmt".
inline FormatOptions options;

inline FormatContext ctx() { return FormatContext{defs, options}; }

// Empty tables and the options of a plain "-f" run.
inline void reset_tables() {
  defs = Definitions{};
  options = FormatOptions{};
  options.name = "t.fmt";
}

// Reads text as a format file. The messages written on the way are returned
// in *errors.
inline int load(const std::string& text, std::string* errors = nullptr) {
  testing::internal::CaptureStderr();
  int rc = read_format_text(options, defs, text);
  std::string err = testing::internal::GetCapturedStderr();
  if (errors) *errors = err;
  return rc;
}

inline std::string str(const char* s) { return s ? s : "(null)"; }

}  // namespace vesk::format_test
