// The page heading of the plain dump: the column scale over the hex pairs
// and the character column.
#pragma once

#include <string>

#include "dump/dump_line.h"
#include "output/report.h"

namespace vesk {

class ScaleHeading : public ScaleHeadingBase {
 public:
  // layout: the dump's, which may move right during the run.
  explicit ScaleHeading(const DumpLayout& layout) : layout_(layout) {}

 protected:
  int shift() const override { return layout_.shift; }
  std::string build(int shift) const override;

 private:
  const DumpLayout& layout_;
};

}  // namespace vesk
