// The list form of a block: one line per displayed item, with its offset, the
// texts of all its elements and its name and comment at the right edge.
#pragma once

#include "formatted/form_printer.h"
#include "output/line_batch.h"

namespace vesk {

// Prints structure record rec over data[0..size) from in-block position pos,
// into the printer's line. Returns the position after the structure, or -1
// when it stopped (the data ended: " [EOD]" has been written; or an unknown
// type code).
int print_items(FormPrinter& p, int rec, const unsigned char* data, int size, int pos);
// The same, with the lines gathered in batch (and the batch flushed before
// any line the printer writes itself).
int print_items(FormPrinter& p, int rec, const unsigned char* data, int size, int pos, LineBatch& batch);

}  // namespace vesk
