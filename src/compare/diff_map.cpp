#include "compare/diff_map.h"

#include <cstring>

#include "compare/diff_list.h"

namespace vesk {

namespace {

// Places the block-id item and every element whose bytes differ in the two blocks.
class DifferingElements : public MapFilter {
 public:
  DifferingElements(const Definitions& defs, const unsigned char* shown, const unsigned char* other)
      : defs_(defs), shown_(shown), other_(other) {}
  bool placed(const ElementRef& e) const override {
    if (is_pairing_id(defs_, e)) return true;
    return std::memcmp(shown_ + e.pos, other_ + e.pos, static_cast<std::size_t>(e.len)) != 0;
  }

 private:
  const Definitions& defs_;
  const unsigned char* shown_;
  const unsigned char* other_;
};

void print_one_map(FormPrinter& p, int rec, const unsigned char* shown, const unsigned char* other, int size,
                   long long block) {
  MapRow row;
  DifferingElements filter(p.view.defs, shown, other);
  print_map(p, rec, shown, size, block, row, 0, &filter);
  if (row.pending && !p.failed) put_map_line(p, block, row.start);
}

}  // namespace

void print_diff_maps(FormPrinter& p, int rec, const unsigned char* block1, const unsigned char* block2, int size,
                     long long number1, long long number2, bool hidden_only) {
  print_one_map(p, rec, block1, block2, size, number1);
  if (p.failed) return;
  p.report.put_line(" ---------");
  print_one_map(p, rec, block2, block1, size, number2);
  if (p.failed) return;
  if (hidden_only) p.report.put_line(kOnlyHiddenUpdated);
  p.report.put_line(" =========");
}

}  // namespace vesk
