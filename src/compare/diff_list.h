// The difference listing of a pair of blocks matched by block id: for every
// element whose bytes differ, the first file's value and the second file's
// value side by side, with the element's offset, name and comment.
#pragma once

#include "formatted/form_printer.h"
#include "formatted/item_walk.h"

namespace vesk {

class HiddenDifferences;

// The block-id item's first copy, whose bytes paired the blocks: shown, never
// compared. Later copies (the id item in a repeated structure) are compared
// like any other item.
bool is_pairing_id(const Definitions& defs, const ElementRef& e);

// Shows how block2 (of the second file) differs from block1 (of the first
// file); both hold size bytes. In list form: the heading line with both block
// numbers and addresses, the range comment, the differing elements (and the
// block-id item) with the differing hidden bytes among them, and then
// "       ONLY HIDDEN BYTES UPDATED" when no shown element differs but a hidden
// byte does, or "       NO UPDATED" when the blocks are the same. In map
// form: the two difference maps. Returns 0, or -1 when no range holds block1
// or the printer failed.
int print_diff_block(FormPrinter& p, const unsigned char* block1, const unsigned char* block2, int size,
                     long long number1, long long addr1, long long number2, long long addr2);

// Whether the list form of the pair would show a value that differs: an
// element shown in the list (not marked "no display") whose bytes differ.
// Bytes outside the items, or in hidden ones, do not count here.
bool pair_differs(const FormView& view, const unsigned char* block1, const unsigned char* block2, int size,
                  long long number1);

// Walks structure record rec over both blocks from in-block position pos and
// writes a line for every element whose bytes differ, and for the block-id
// item; found is set when a difference was written. With hidden, the hidden
// bytes that differ are listed among them. Returns the position after the
// structure, or -1 when it stopped (end of the data or an unknown type code).
int print_diff_items(FormPrinter& p, int rec, const unsigned char* block1, const unsigned char* block2, int size,
                     int pos, bool& found, HiddenDifferences* hidden = nullptr);

// The name and comment columns of element k of item from column col, with
// the index text "[k]" after the name when the item is an array; the line
// ends after them.
void put_diff_label(FormPrinter& p, int col, int item, int k);

// The line that ends the listing of a pair in which only hidden bytes differ.
constexpr char kOnlyHiddenUpdated[] = "       ONLY HIDDEN BYTES UPDATED";

}  // namespace vesk
