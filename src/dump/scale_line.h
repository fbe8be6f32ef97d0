// The page heading of the plain dump: the column scale over the hex pairs
// and the character column.
#pragma once

#include <string>

#include "dump/dump_line.h"
#include "output/report.h"

namespace vesk {

class ScaleHeading : public PageHeading {
 public:
  explicit ScaleHeading(const DumpLayout& layout);
  void write(Report& report) override;
  const std::string& text() const { return text_; }

 private:
  std::string text_;  // the same on every page: built once
};

}  // namespace vesk
