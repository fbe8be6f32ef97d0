#include "compare/diff_map.h"

#include <cstring>

#include "compare/diff_list.h"

namespace vesk {

namespace {

// Places the block-id item and every element whose bytes differ in the two blocks.
class DifferingElements : public MapFilter {
 public:
  DifferingElements(const Definitions& defs, const unsigned char* shown, const unsigned char* other, Style differing)
      : defs_(defs), shown_(shown), other_(other), differing_(differing) {}
  bool placed(const ElementRef& e) const override {
    if (is_pairing_id(defs_, e)) return true;
    return differ(e);
  }
  // Only the elements that differ are colored: the first file's red, the
  // second's green.
  Style style(const ElementRef& e) const override {
    return !is_pairing_id(defs_, e) && differ(e) ? differing_ : Style::none;
  }

 private:
  bool differ(const ElementRef& e) const {
    return std::memcmp(shown_ + e.pos, other_ + e.pos, static_cast<std::size_t>(e.len)) != 0;
  }

  const Definitions& defs_;
  const unsigned char* shown_;
  const unsigned char* other_;
  Style differing_;
};

void print_one_map(FormPrinter& p, int rec, const unsigned char* shown, const unsigned char* other, int size,
                   long long block, Style differing) {
  MapRow row;
  DifferingElements filter(p.view.defs, shown, other, differing);
  print_map(p, rec, shown, size, block, row, 0, &filter);
  if (row.pending && !p.failed) put_map_line(p, block, row.start);
}

}  // namespace

void print_diff_maps(FormPrinter& p, int rec, const unsigned char* block1, const unsigned char* block2, int size,
                     long long number1, long long number2, bool hidden_only) {
  print_one_map(p, rec, block1, block2, size, number1, Style::old_value);
  if (p.failed) return;
  p.report.put_line(" ---------");
  print_one_map(p, rec, block2, block1, size, number2, Style::new_value);
  if (p.failed) return;
  if (hidden_only) p.report.put_line(kOnlyHiddenUpdated);
  p.report.put_line(" =========");
}

}  // namespace vesk
