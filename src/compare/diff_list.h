// The difference listing of a pair of blocks matched by block id: for every
// element whose bytes differ, the first file's value and the second file's
// value side by side, with the element's offset, name and comment.
#pragma once

#include "common/line_buffer.h"

namespace vesk {

// Shows how block2 (of the second file) differs from block1 (of the first
// file); both hold size bytes. Kind is 'D', a data block. In list form: the
// heading line with both block numbers and addresses, the range comment, the
// differing elements (and the block-id item), or "       NO UPDATED". With -m
// or -M: the two difference maps. Returns 0, or -1 when no range holds block1.
int print_diff_block(char kind, const unsigned char* block1, const unsigned char* block2, int size,
                     int number1, long long addr1, int number2, long long addr2);

// Walks structure record rec over both blocks from in-block position pos and
// writes a line for every element whose bytes differ, and for the block-id
// item; found is set when a difference was written. Returns the position after
// the structure, or -1 when it stopped (end of the data or an unknown type code).
int print_diff_items(int rec, const unsigned char* block1, const unsigned char* block2, int size,
                     int pos, bool& found);

// The name and comment columns of element k of item after the values ending at
// col, with the index text "[k]" after the name when the item is an array.
// Returns the column where the label begins.
int put_diff_label(LineBuffer& line, int col, int item, int k);

}  // namespace vesk
