// The comparison driver: pairs the blocks of two files of one data format by
// their block id and prints the updated, deleted and inserted blocks.
#pragma once

#include "common/byte_source.h"
#include "common/settings.h"
#include "format/definitions.h"
#include "output/report.h"

namespace vesk {

// What a comparison found, for --summary and --exit-code.
struct CompareTotals {
  long long pairs = 0;        // first-file blocks paired with a second-file block
  long long updated = 0;      // pairs whose list form shows a value that differs
  long long hidden_only = 0;  // pairs that differ only in hidden items or padding
  long long deleted = 0;      // first-file blocks without a partner
  long long inserted = 0;     // second-file blocks without a partner
  // The default end of an open range stopped the comparison while a file and
  // the -n range went on: the blocks after it were not compared.
  bool range_cut = false;
  bool differ() const { return updated > 0 || hidden_only > 0 || deleted > 0 || inserted > 0; }
};

// Returns the exit status: 0 when the report is complete (also when no block
// was selected); 1 when the inputs cannot be compared (an input that is not a
// regular file, a -n start past a block the format file does not define, a
// block shorter than the block size, more blocks than the id table holds:
// reported before any report line), or after a failed read or write, or when
// a file changed while it was compared.
// totals, when given, receives what was found.
int compare_dump(const Settings& settings, const Definitions& defs, ByteSource& in1, ByteSource& in2,
                 Report& report, CompareTotals* totals = nullptr);

}  // namespace vesk
