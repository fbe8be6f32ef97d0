// The plain dump driver.
#pragma once

namespace vesk {

// Dumps fp1 and ends the process with status 0; returns -1 only when the
// start block cannot be reached.
int plain_dump();

}  // namespace vesk
