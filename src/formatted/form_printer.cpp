#include "formatted/form_printer.h"

#include "common/messages.h"
#include "format/item_types.h"

namespace vesk {

void FormPrinter::error(const char* message) const { def_error(view.fmt_name, message, 0); }

Style FormPrinter::style_of_value(const ItemInf& m) const {
  if (value_style) return *value_style;
  const ItemType* t = item_type(m.type);
  if (t == nullptr) return Style::none;
  switch (t->form) {
    case ValueForm::text:
      return Style::text;
    case ValueForm::hex:
      return Style::hex;
    case ValueForm::pointer:
      return Style::pointer;
    case ValueForm::structure:
      return Style::none;
    default:
      return Style::number;
  }
}

}  // namespace vesk
