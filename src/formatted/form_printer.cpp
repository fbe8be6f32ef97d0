#include "formatted/form_printer.h"

#include "common/messages.h"

namespace vesk {

void FormPrinter::error(const char* message) const { def_error(view.fmt_name, message, 0); }

}  // namespace vesk
