// What the readers of a format file work on: the tables being filled and the
// options of the command line that shape them.
#pragma once

#include "common/messages.h"
#include "format/definitions.h"
#include "format/source_quote.h"

namespace vesk {

struct FormatOptions {
  const char* name = "";           // the format file, named in messages
  bool align = false;              // -B (given before -f/-F)
  const char* block_id = nullptr;  // -F: the name of the comparison's id item
  bool open_ranges = false;        // --all: a range "n &" runs to the end of the file
  bool utf8_messages = false;      // the lines quoted under a message are written in UTF-8
};

struct FormatContext {
  Definitions& defs;
  const FormatOptions& options;
  // The line being read, quoted under a message about it; null outside the
  // reader (a unit test that parses one line), and then nothing is quoted.
  const SourceLine* source = nullptr;

  // "<format file>: <message>" with the line number (none when 0), then the
  // line being read with a caret under at, a position in its text, and the
  // note after the caret (may be null). Returns -1.
  int error_at(const char* message, long long line, const char* at, const char* note = nullptr) const;
  // The same, quoting the line src with the caret at column.
  int error_in(const SourceLine& src, const char* message, long long line, int column,
               const char* note = nullptr) const;
};

}  // namespace vesk
