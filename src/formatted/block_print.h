// One block of the formatted dump: its title and definition comment, then its
// items in list form or in map form. Also used by the comparison.
#pragma once

#include "formatted/form_printer.h"
#include "output/line_batch.h"

namespace vesk {

// Prints a data block: data holds size bytes (1 to the block size), read at
// file offset addr. Writes the list-form title line, the comment of the
// #BLNO range holding block, then the items (print_items) or, in map form,
// the map (print_map and its last row). Returns 0, or -1 when no range holds
// the block ("no data description") or the printer failed.
int print_block(FormPrinter& p, const unsigned char* data, int size, long long block, long long addr);
// The same for a block whose place in the ranges is known, the list's lines
// gathered in batch (flushed before any line written otherwise).
int print_block(FormPrinter& p, const unsigned char* data, int size, long long block, long long addr,
                const BlockPlace& place, LineBatch& batch);

// The map-form title line: " [%07X]  size: %04X" (%07d and %04d with -D) with
// the address from column 1, or the size text from column indent when addr is
// negative; no size text when block_size is -1.
void put_block_title(FormPrinter& p, int indent, long long addr, int block_size);

// Seven blanks and a #BLNO range's comment cut or blank-padded to the rest
// of the line width, written as a report line. Printable ASCII, half-width
// kana and valid Shift_JIS pairs show as they are (in every character mode),
// every other byte as "."; a pair is never cut in half.
void put_range_comment(FormPrinter& p, const char* comment);
// The same, gathered in batch.
void put_range_comment(FormPrinter& p, const char* comment, LineBatch& batch);

}  // namespace vesk
