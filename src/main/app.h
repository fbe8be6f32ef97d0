// The body of a vesk run, callable from main and from the fuzz harnesses.
#pragma once

namespace vesk {

// Runs vesk on the arguments; returns the exit status for end_process (the
// plain dump, and the drivers on fatal errors, end the process themselves).
int run_vesk(int argc, char** argv);

}  // namespace vesk
