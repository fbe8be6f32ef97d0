#include "compare/diff_map.h"

#include <cstring>

#include "format/definitions.h"
#include "output/report.h"

namespace vesk {

namespace {

// Places the block-id item and every element whose bytes differ in the two blocks.
class DifferingElements : public MapFilter {
 public:
  DifferingElements(const unsigned char* shown, const unsigned char* other) : shown_(shown), other_(other) {}

  bool placed(const ElementRef& e) const override {
    if (defs.item_inf[e.item].first == 1) return true;
    return std::memcmp(shown_ + e.pos, other_ + e.pos, static_cast<std::size_t>(e.len)) != 0;
  }

 private:
  const unsigned char* shown_;
  const unsigned char* other_;
};

void print_one_map(int rec, const unsigned char* shown, const unsigned char* other, int size, int block) {
  MapRow row;
  print_diff_map('D', rec, shown, other, size, block, row, 0);
  if (row.pending) put_map_line(block, row.start);
}

}  // namespace

int print_diff_map(char kind, int rec, const unsigned char* shown, const unsigned char* other, int size,
                   int block, MapRow& row, int pos) {
  (void)kind;  // always a data block
  DifferingElements filter(shown, other);
  return print_map(rec, shown, size, block, row, pos, &filter);
}

void print_diff_maps(int rec, const unsigned char* block1, const unsigned char* block2, int size,
                     int number1, int number2) {
  print_one_map(rec, block1, block2, size, number1);
  put_line(" ---------");
  print_one_map(rec, block2, block1, size, number2);
  put_line(" =========");
}

}  // namespace vesk
