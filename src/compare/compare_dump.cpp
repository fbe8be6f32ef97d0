// Placeholder until the comparison lands.
#include "compare/compare_dump.h"

namespace vesk {

int compare_dump() { return 0; }

}  // namespace vesk
