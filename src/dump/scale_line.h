// The page heading of the plain dump: the column scale over the hex pairs
// and the character column.
#pragma once

#include <string>

#include "dump/dump_line.h"
#include "output/report.h"

namespace vesk {

class ScaleHeading : public PageHeading {
 public:
  // layout: the dump's, which may move right during the run.
  explicit ScaleHeading(const DumpLayout& layout) : layout_(layout) {}
  void write(Report& report) override;
  const std::string& text();

 private:
  const DumpLayout& layout_;
  std::string text_;     // the same on every page: built once, and again when the layout moves
  int built_shift_ = -1;
};

}  // namespace vesk
