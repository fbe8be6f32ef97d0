// The difference map of a pair of blocks: each block's map shows only the
// elements whose bytes differ from the other block (and the block-id item);
// rows without any of them are not written.
#pragma once

#include "formatted/item_map.h"

namespace vesk {

// The pair in map form: block1 against block2, " ---------", block2 against
// block1, then, when hidden_only (the blocks differ in hidden bytes only),
// "       ONLY HIDDEN BYTES UPDATED", and " =========".
void print_diff_maps(FormPrinter& p, int rec, const unsigned char* block1, const unsigned char* block2, int size,
                     long long number1, long long number2, bool hidden_only = false);

}  // namespace vesk
