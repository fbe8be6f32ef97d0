// One block of the formatted dump: its title and definition comment, then its
// items in list form or in map form. Also used by the comparison.
#pragma once

namespace vesk {

// Prints a block of kind 'D' (a data block): data holds size bytes (1 to the
// block size), read at file offset addr. Writes the list-form title line, the
// comment of the #BLNO range holding block, then the items (print_items) or,
// with -m / -M, the map (print_map and its last row). Returns 0, or -1 when
// no range holds the block ("no data description").
int print_block(char kind, const unsigned char* data, int size, int block, long long addr);

// The map-form title line: " [%07X]  size: %s" (%07d with -D) with the address
// from column 1, or the size text from column indent when addr is negative;
// no size text when size is -1. The size shown is always the current block
// size (blk_size).
void put_block_title(int indent, long long addr, int size);

// The current block size (blk_size) as "%04X", or "%04d" with -D, in a buffer
// the next call overwrites.
const char* size_text();

// Seven blanks and a #BLNO range's comment cut or blank-padded to the rest
// of the line width, written as a report line. Printable ASCII, half-width
// kana and valid Shift_JIS pairs show as they are (in every character mode),
// every other byte as "."; a pair is never cut in half.
void put_range_comment(const char* comment);

// The index in blno_inf of the first range holding block, or -1.
int find_blno_entry(int block);

}  // namespace vesk
