// The difference map of a pair of blocks: each block's map shows only the
// elements whose bytes differ from the other block (and the block-id item);
// rows without any of them are not written.
#pragma once

#include "formatted/item_map.h"

namespace vesk {

// The map walk of structure record rec over shown[0..size) from pos, placing
// only the elements that differ from other (and the block-id item). Kind is
// 'D', a data block. Returns the position after the structure, or -1 when it
// stopped (an unknown type code, or an element that runs past the block).
int print_diff_map(char kind, int rec, const unsigned char* shown, const unsigned char* other, int size,
                   int block, MapRow& row, int pos);

// The pair in map form: block1 against block2, " ---------", block2 against
// block1, " =========".
void print_diff_maps(int rec, const unsigned char* block1, const unsigned char* block2, int size,
                     int number1, int number2);

}  // namespace vesk
