// The comparison driver: pairs the blocks of two files of one data format by
// their block id and prints the updated, deleted and inserted blocks.
#pragma once

#include "common/byte_source.h"
#include "common/settings.h"
#include "format/definitions.h"
#include "output/report.h"

namespace vesk {

// Returns the exit status: 0 when the report is complete (also when no block
// was selected); 1 when the inputs cannot be compared (a block shorter than
// the block size, more blocks than the id table holds, an input that cannot
// seek: reported before any report line), or after a failed read or write.
int compare_dump(const Settings& settings, const Definitions& defs, ByteSource& in1, ByteSource& in2,
                 Report& report);

}  // namespace vesk
