// The formatted dump driver: the blocks of the input from the first to the
// last -n block number, placed by the #BLNO ranges, each printed through
// print_block.
#pragma once

#include "common/byte_source.h"
#include "common/settings.h"
#include "format/definitions.h"
#include "output/report.h"

namespace vesk {

// Returns the exit status: 0, or 1 after a message (a block before the first
// shown that no range defines, an offset that goes back, a failed read or
// seek, a failed write to the report).
int format_dump(const Settings& settings, const Definitions& defs, ByteSource& in, Report& report);

}  // namespace vesk
