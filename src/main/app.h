// The body of a vesk run, callable from main, the fuzz harnesses and tests.
#pragma once

#include "output/report_sink.h"

namespace vesk {

// Runs vesk on the arguments, writing the report to standard output; returns
// the exit status. Nothing here ends the process.
int run_vesk(int argc, char** argv);

// The same with the report going to sink (flushed before the return; a failed
// write reported as "write error on standard output").
int run_vesk(int argc, char** argv, ReportSink& sink);

}  // namespace vesk
