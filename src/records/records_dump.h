// The formatted dump as records for other programs, in place of the report:
// --json writes JSON Lines, one object a block; --csv one table, a header
// row of the items' names and a row a block. The blocks are those the
// report would show; no heading, no page, no line width: the output is the
// same on a terminal and in a pipe. Notices go to standard error.
#pragma once

#include "common/byte_source.h"
#include "common/settings.h"
#include "format/definitions.h"
#include "output/report_sink.h"

namespace vesk {

// A block of JSON Lines:
//   {"block":N,"offset":N,"format":NAME,"items":{...},"unreadable":[...]}
// format: the #BLNO comment of its range, else its structure's tag;
// unreadable (when there is any): the values that are not whole (see
// record_items.h).
//
// The CSV (UTF-8, or Shift_JIS after --sjis or VESK_ENCODING=sjis) is
// refused when the blocks shown are of more than one data format, before
// anything is written. Counts of values not whole, of controls and of
// characters that Shift_JIS lacks are noticed at the end.
//
// Returns the exit status as format_dump does; utf8_messages: the names
// quoted under a message are written in UTF-8.
int records_dump(const Settings& settings, const Definitions& defs, ByteSource& in, ReportSink& sink,
                 bool utf8_messages);

// The data formats of the blocks that a formatted dump shows, each once, in
// the order of their first block (with its number): from the -n range and
// the #BLNO ranges, and the input's size when it is known (size >= 0).
struct FormatShown {
  int entry;  // in blno_inf
  long long first_block;
};
std::vector<FormatShown> formats_shown(const Settings& settings, const Definitions& defs, long long size);

}  // namespace vesk
