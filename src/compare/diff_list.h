// The difference listing of a pair of blocks matched by block id: for every
// element whose bytes differ, the first file's value and the second file's
// value side by side, with the element's offset, name and comment.
#pragma once

#include "formatted/form_printer.h"

namespace vesk {

// Shows how block2 (of the second file) differs from block1 (of the first
// file); both hold size bytes. In list form: the heading line with both block
// numbers and addresses, the range comment, the differing elements (and the
// block-id item), or "       NO UPDATED". In map form: the two difference
// maps. Returns 0, or -1 when no range holds block1 or the printer failed.
int print_diff_block(FormPrinter& p, const unsigned char* block1, const unsigned char* block2, int size,
                     long long number1, long long addr1, long long number2, long long addr2);

// Whether the list form of the pair would show a difference: an element shown
// in the list (not marked "no display") whose bytes differ. Bytes outside the
// items, or in hidden ones, do not count.
bool pair_differs(const FormView& view, const unsigned char* block1, const unsigned char* block2, int size,
                  long long number1);

// Walks structure record rec over both blocks from in-block position pos and
// writes a line for every element whose bytes differ, and for the block-id
// item; found is set when a difference was written. Returns the position after
// the structure, or -1 when it stopped (end of the data or an unknown type code).
int print_diff_items(FormPrinter& p, int rec, const unsigned char* block1, const unsigned char* block2, int size,
                     int pos, bool& found);

}  // namespace vesk
