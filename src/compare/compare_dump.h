// The comparison driver: pairs the blocks of two files of one data format by
// their block id and prints the updated, deleted and inserted blocks.
#pragma once

namespace vesk {

// Returns 0 when the report is complete (also when no block was selected).
// Inputs that cannot be compared (a block shorter than the block size, more
// blocks than the id table holds, an input that cannot seek) are reported
// before any report line and end the run with status 1.
int compare_dump();

}  // namespace vesk
