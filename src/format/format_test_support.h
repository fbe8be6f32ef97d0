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

// A message without the lines quoted from the format file under it (" 12 |
// ..." and the caret line), which the quoting's own tests check.
inline std::string message_only(const std::string& err) {
  std::string out;
  std::size_t at = 0;
  while (at < err.size()) {
    std::size_t end = err.find('\n', at);
    end = end == std::string::npos ? err.size() : end + 1;
    std::string line = err.substr(at, end - at);
    std::size_t bar = line.find(" | ");
    bool quoted = line.size() > 1 && line[0] == ' ' && bar != std::string::npos &&
                  line.find_first_not_of(" 0123456789") == bar + 1;
    if (!quoted) out += line;
    at = end;
  }
  return out;
}

// Reads text as a format file. The messages written on the way are returned
// in *errors, without their quoted lines; in *quoted with them.
inline int load(const std::string& text, std::string* errors = nullptr, std::string* quoted = nullptr) {
  testing::internal::CaptureStderr();
  int rc = read_format_text(options, defs, text);
  std::string err = testing::internal::GetCapturedStderr();
  if (errors) *errors = message_only(err);
  if (quoted) *quoted = err;
  return rc;
}

inline std::string str(const char* s) { return s ? s : "(null)"; }

}  // namespace vesk::format_test
