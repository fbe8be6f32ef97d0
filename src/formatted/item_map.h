// The map form of a block: rows of -b bytes, one cell of 3 (or, with -M, 4)
// columns per byte, each value written into the cell of its first byte.
// Numbers are read least significant byte first, unless the format file
// states its byte order (#ENDIAN). Rows are built in the printer's line.
#pragma once

#include "formatted/form_printer.h"
#include "formatted/item_walk.h"

namespace vesk {

// The row being built: the in-block position of its first byte (a multiple
// of -b, shared by all nesting levels of a block's walk) and whether anything
// has been taken into it since the last row was written.
struct MapRow {
  int start = 0;
  bool pending = false;
};

// First column of the cell of in-block position pos in the current row.
int map_cell_column(const FormPrinter& p, const MapRow& row, int pos);

// Writes the current row, clears the pending flag and makes the row holding
// pos the current one: the rare part of map_line_check.
void start_map_row(FormPrinter& p, long long block, MapRow& row, int pos);

// When pos lies at or past the end of the current row: writes the row, clears
// the pending flag and makes the row holding pos the current one (rows in
// between are not written).
inline void map_line_check(FormPrinter& p, long long block, MapRow& row, int pos) {
  const int b = p.view.line_bytes > 0 ? p.view.line_bytes : 1;
  if (row.start + b <= pos) start_map_row(p, block, row, pos);
}

// Writes the current map line: the 12-column prefix (" %04X %04X: " with the
// block number for the row at 0, else "      %04X: " with the row start;
// %04d with -D), trailing blanks cut, through put_line; then blanks the line.
// A longer prefix (a block number of five digits or more) is cut to 12
// columns, or under --all moves the cells right for the rest of the run.
void put_map_line(FormPrinter& p, long long block, int row_start);

// Under --all: moves the cells right as far as the first row of block needs
// (they never move back). Called before a block's first line, so that the
// page heading written with that line stands over the cells.
void widen_map_for(FormPrinter& p, long long block);
// Whether widen_map_for would move the cells for block.
bool map_widens_for(const FormPrinter& p, long long block);

// Chooses which elements a map walk places. An element left out takes no cell,
// no row check and no part in the pending flag (the difference map leaves out
// the elements equal in both blocks).
class MapFilter {
 public:
  virtual ~MapFilter() = default;
  virtual bool placed(const ElementRef& e) const = 0;
  // The style of an element placed (the difference map colors only the
  // elements that differ).
  virtual Style style(const ElementRef& e) const = 0;
};

// The map walk of structure record rec over data[0..size) from pos. Returns
// the position after the structure, or -1 when it stopped (the data ended: the
// row and " [EOD]" have been written; an unknown type code; or a value that
// does not fit its cells, which sets p.failed). With a filter, only the
// elements it chooses are placed.
int print_map(FormPrinter& p, int rec, const unsigned char* data, int size, long long block, MapRow& row,
              int pos, const MapFilter* filter = nullptr);

// The text of a numeric element of item m in a map cell (read in the map's
// byte order). kNoValue when a decimal's bytes are no valid number; a float
// text longer than four cells is refused ("program error!!"): -2.
constexpr int kMapTextTooLong = -2;
int map_value_text(const FormView& view, const ItemInf& m, const unsigned char* p, char* text, int text_size);

}  // namespace vesk
