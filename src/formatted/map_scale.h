// The page heading of the map forms: the column scale over the cells.
#pragma once

#include <string>

#include "formatted/form_printer.h"
#include "output/report.h"

namespace vesk {

class MapScaleHeading : public ScaleHeadingBase {
 public:
  // p: the printer of the maps, whose cells may move right during the run.
  explicit MapScaleHeading(const FormPrinter& p) : p_(p) {}

 protected:
  int shift() const override { return p_.map_shift; }
  std::string build(int shift) const override;

 private:
  const FormPrinter& p_;
};

}  // namespace vesk
