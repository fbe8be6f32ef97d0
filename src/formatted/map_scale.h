// The page heading of the map forms: the column scale over the cells.
#pragma once

#include <string>

#include "formatted/form_printer.h"
#include "output/report.h"

namespace vesk {

class MapScaleHeading : public PageHeading {
 public:
  // p: the printer of the maps, whose cells may move right during the run.
  explicit MapScaleHeading(const FormPrinter& p) : p_(p) {}
  void write(Report& report) override;

 private:
  const std::string& text();

  const FormPrinter& p_;
  std::string text_;
  int built_shift_ = -1;
};

}  // namespace vesk
