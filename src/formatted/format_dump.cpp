// Placeholder until the formatted dump lands.
#include "formatted/format_dump.h"

namespace vesk {

void format_dump() {}

}  // namespace vesk
