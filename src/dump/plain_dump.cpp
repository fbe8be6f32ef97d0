// Placeholder until the plain dump lands.
#include "dump/plain_dump.h"

namespace vesk {

int plain_dump() { return 0; }

}  // namespace vesk
