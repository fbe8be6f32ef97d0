// What the readers of a format file work on: the tables being filled and the
// options of the command line that shape them.
#pragma once

#include "common/messages.h"
#include "format/definitions.h"

namespace vesk {

struct FormatOptions {
  const char* name = "";           // the format file, named in messages
  bool align = false;              // -B (given before -f/-F)
  const char* block_id = nullptr;  // -F: the name of the comparison's id item
  bool open_ranges = false;        // --all: a range "n &" runs to the end of the file
};

struct FormatContext {
  Definitions& defs;
  const FormatOptions& options;

  // "<format file>: <message>" with the line number (none when 0); returns -1.
  int error(const char* message, long long line) const {
    def_error(options.name, message, line);
    return -1;
  }
};

}  // namespace vesk
