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
  long long pairs = 0;      // first-file blocks paired with a second-file block
  long long updated = 0;    // pairs whose list form shows a difference
  long long deleted = 0;    // first-file blocks without a partner
  long long inserted = 0;   // second-file blocks without a partner
  bool differ() const { return updated > 0 || deleted > 0 || inserted > 0; }
};

// Returns the exit status: 0 when the report is complete (also when no block
// was selected); 1 when the inputs cannot be compared (a block shorter than
// the block size, more blocks than the id table holds, an input that cannot
// seek: reported before any report line), or after a failed read or write.
// totals, when given, receives what was found.
int compare_dump(const Settings& settings, const Definitions& defs, ByteSource& in1, ByteSource& in2,
                 Report& report, CompareTotals* totals = nullptr);

}  // namespace vesk
