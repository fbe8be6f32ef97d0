// The page heading of the map forms: the column scale over the cells.
#pragma once

#include <string>

#include "formatted/form_view.h"
#include "output/report.h"

namespace vesk {

class MapScaleHeading : public PageHeading {
 public:
  explicit MapScaleHeading(const FormView& view);
  void write(Report& report) override;

 private:
  std::string text_;
};

}  // namespace vesk
